// Paragraph primitives over the FormatState.
#include "commands/paragraph.h"

#include <string>

#include "base/cat.h"

namespace zek {

void FormatState::unset_pending() {
  bold = italic = size = font = space_after = space_before = kUnset;
  box = border_bottom = border_left = border_top = border_right = kUnset;
}

bool FormatState::any_border() const {
  return box != kUnset || border_bottom != kUnset || border_left != kUnset ||
         border_top != kUnset || border_right != kUnset;
}

namespace {

// Hands the set pending attributes, as control words, to `put` one by one.
template <typename Put>
void put_format_words(const FormatState& s, Put put) {
  if (s.bold == 0) put("\\b0 ");
  if (s.bold == 1) put("\\b ");
  if (s.italic == 0) put("\\i0 ");
  if (s.italic == 1) put("\\i ");
  if (s.box != kUnset) put("\\box ");
  if (s.border_bottom != kUnset) put("\\brdrb ");
  if (s.border_left != kUnset) put("\\brdrl ");
  if (s.border_top != kUnset) put("\\brdrt ");
  if (s.border_right != kUnset) put("\\brdrr ");
  const auto u = [](int32_t v) { return static_cast<uint32_t>(v); };
  if (s.font != kUnset) put(cat("\\f", u(s.font), ' '));
  if (s.size != kUnset) put(cat("\\fs", u(s.size) * 2u, ' '));
  if (s.space_after != kUnset) put(cat("\\sa", u(s.space_after) * 20u, ' '));
  if (s.space_before != kUnset) put(cat("\\sb", u(s.space_before) * 20u, ' '));
}

}  // namespace

void emit_format_state(Context& ctx) {
  FormatState& s = ctx.format.state;
  put_format_words(s, [&](std::string_view words) { ctx.writer.rtf(words); });
  s.unset_pending();
}

void emit_format_state_alone(Context& ctx) {
  FormatState& s = ctx.format.state;
  const bool in_group = s.indent_depth != 0 || s.noscroll_open != 0;
  std::string words;
  put_format_words(s, [&](std::string_view word) { words += word; });
  words += "\r\n";
  ctx.writer.lasting_format(words, s.font, s.size, in_group);
  s.unset_pending();
}

void end_line(Context& ctx, LineEnd line_end) {
  ctx.writer.line_end(line_end == LineEnd::line ? "{\\line }\r\n" : "{\\par }\r\n");
}

void reset_paragraph(Context& ctx) {
  if (ctx.format.paragraph_reset) return;
  ctx.writer.rtf("\\pard \\i0 \\b0 \r\n");
  ctx.format.paragraph_reset = true;
}

void end_page(Context& ctx) {
  FormatState& s = ctx.format.state;
  if (s.noscroll_open != 0) {
    ctx.writer.rtf("\\pard }");
    s.noscroll_open = 0;
  }
  while (s.indent_depth != 0) {
    --s.indent_depth;
    ctx.writer.rtf("\\pard }");
  }
  ctx.writer.page_break();
}

}  // namespace zek
