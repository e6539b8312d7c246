// Paragraph primitives over the FormatState.
#include "commands/paragraph.h"

#include "base/cat.h"
#include "checks/check_notes.h"

namespace zek {

void FormatState::unset_pending() {
  bold = italic = size = font = space_after = space_before = kUnset;
  box = border_bottom = border_left = border_top = border_right = kUnset;
}

bool FormatState::any_border() const {
  return box != kUnset || border_bottom != kUnset || border_left != kUnset ||
         border_top != kUnset || border_right != kUnset;
}

void plain_if_text_mode(Context& ctx, std::string_view text) {
  if (ctx.options.text_mode) ctx.writer.plain(text);
}

void emit_format_state(Context& ctx) {
  FormatState& s = ctx.format.state;
  Writer& w = ctx.writer;
  if (s.bold == 0) w.rtf("\\b0 ");
  if (s.bold == 1) w.rtf("\\b ");
  if (s.italic == 0) w.rtf("\\i0 ");
  if (s.italic == 1) w.rtf("\\i ");
  if (s.box != kUnset) w.rtf("\\box ");
  if (s.border_bottom != kUnset) w.rtf("\\brdrb ");
  if (s.border_left != kUnset) w.rtf("\\brdrl ");
  if (s.border_top != kUnset) w.rtf("\\brdrt ");
  if (s.border_right != kUnset) w.rtf("\\brdrr ");
  const auto u = [](int32_t v) { return static_cast<uint32_t>(v); };
  if (s.font != kUnset) w.rtf(cat("\\f", u(s.font), ' '));
  if (s.size != kUnset) w.rtf(cat("\\fs", u(s.size) * 2u, ' '));
  if (s.space_after != kUnset) w.rtf(cat("\\sa", u(s.space_after) * 20u, ' '));
  if (s.space_before != kUnset) w.rtf(cat("\\sb", u(s.space_before) * 20u, ' '));
  s.unset_pending();
}

void emit_format_state_alone(Context& ctx) {
  const FormatState& s = ctx.format.state;
  ctx.checks.note_font_and_size(s.font, s.size, s.indent_depth != 0 || s.noscroll_open != 0);
  emit_format_state(ctx);
  ctx.writer.rtf("\r\n");
}

void end_line(Context& ctx, LineEnd line_end) {
  ctx.writer.rtf(line_end == LineEnd::line ? "{\\line }\r\n" : "{\\par }\r\n");
  plain_if_text_mode(ctx, "\r\n");
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
  ctx.writer.rtf("{\\page }\r\n");
  // 39 times "━" (0x84 0xAA).
  static const std::string separator = [] {
    std::string line;
    for (int i = 0; i < 39; ++i) line += "\x84\xAA";
    return line + "\r\n";
  }();
  plain_if_text_mode(ctx, separator);
}

}  // namespace zek
