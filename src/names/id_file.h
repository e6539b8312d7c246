// Reading another project's ID file (-J): each line "name:context string"
// becomes an external name that links into that project's help file.
#pragma once

#include <string>

#include "io/diagnostics.h"
#include "io/environment.h"
#include "names/name_table.h"

namespace zek {

// Appends the entries of the ID file; reports "cannot open" and goes on
// without them when it cannot be read, and then returns false.
bool read_id_file(Environment& env, const Diagnostics& diag, NameTable& names,
                  const std::string& path);

}  // namespace zek
