// Preprocessor directives: lines and line rests that begin with "#".
#pragma once

#include "commands/context.h"
#include "source/cursor.h"

namespace zek {

// Handles the directive at the cursor (which stands on the "#"). It consumes
// the line or leaves the cursor after its word for the rest to be dispatched.
void handle_directive(Context& ctx, FileState& file, Cursor& cursor);

}  // namespace zek
