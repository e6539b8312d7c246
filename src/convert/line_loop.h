// Reading source files line by line with nested includes, and the per-pass
// reset between the two passes.
#pragma once

#include <string>

#include "commands/context.h"
#include "source/cursor.h"

namespace zek {

// Reads the top source file, opened by the name as given, in the given pass. Returns true when the
// file was read and the run has not failed.
bool include_file(Context& ctx, const std::string& name, Pass pass);

// Restores the per-pass state between pass 1 and pass 2; under -C it attaches
// the check record to the writer, as a listener of what pass 2 writes.
void reset_for_pass(Context& ctx);

}  // namespace zek
