// Automatic link insertion: writes one body line with a hot spot for every
// name of the NameTable that occurs in it.
#pragma once

#include <string>

#include "context.h"

namespace zek {

// Writes `line` (a body line without its line end) with its hot spots.
// `header_type` is the kind of the latest header of the current file.
void link_text_line(Context& ctx, std::string& line, int header_type);

// Prepares link insertion for pass 2, once the NameTable is complete.
void prepare_links(Context& ctx);

}  // namespace zek
