// The paragraph primitives every writer of paragraphs uses: writing the
// pending attributes, ending a line, the paragraph reset and the page end.
#pragma once

#include "commands/context.h"

namespace zek {

// Writes the set pending attributes as control words and unsets them.
void emit_format_state(Context& ctx);
// The same for attributes that end their line, followed by "\r\n": written
// outside any body-text group, they hold until changed.
void emit_format_state_alone(Context& ctx);
// "{\line }\r\n" or "{\par }\r\n".
void end_line(Context& ctx, LineEnd line_end);
// "\pard \i0 \b0 \r\n", once until the next body line.
void reset_paragraph(Context& ctx);
// Closes the non-scrolling region and the indent groups, then "{\page }\r\n".
void end_page(Context& ctx);

}  // namespace zek
