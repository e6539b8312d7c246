// The body-text line: framed with the pending attributes, linked and written.
#pragma once

#include "commands/context.h"
#include "source/cursor.h"

namespace zek {

// Handles the text from the cursor as a body-text line and consumes it.
void write_body_line(Context& ctx, FileState& file, Cursor& cursor);

}  // namespace zek
