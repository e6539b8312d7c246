// The body-text line: framed with the pending attributes, linked and written;
// and the continuation mark of body lines and titles: a text that ends in a
// space and a backslash goes on in the same paragraph on the next line.
#pragma once

#include <string>

#include "commands/context.h"
#include "source/cursor.h"

namespace zek {

// Handles the text from the cursor as a body-text line and consumes it.
void write_body_line(Context& ctx, FileState& file, Cursor& cursor);

// Cuts a trailing " \" off a text longer than two bytes and returns true.
// The space must start a character of its own: after a lead byte it is the
// second byte of a double-byte character, and the text is left whole.
bool cut_continuation(std::string& text);

}  // namespace zek
