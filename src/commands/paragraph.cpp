// Paragraphs and pages: the primitives every writer of paragraphs uses
// (writing the pending attributes, ending a line, the paragraph reset and the
// page end); .end and .page, the commands that end a page and the document;
// and the simple commands that write a fixed text of their own and a line
// end: .line, .start, .left, .right, .center and .colortable.
#include "commands/paragraph.h"

#include <string>

#include "base/cat.h"
#include "commands/commands.h"

namespace zek {

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

namespace {

void write_fixed(Context& ctx, std::string_view rtf) {
  ctx.writer.rtf(rtf);
  ctx.writer.rtf("\r\n");
}

}  // namespace

void cmd_line(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  write_fixed(ctx, "\\line");
}

void cmd_start(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  ctx.writer.document_start();
}

void cmd_left(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  write_fixed(ctx, "\\ql");
}

void cmd_right(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  write_fixed(ctx, "\\qr");
}

void cmd_center(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  write_fixed(ctx, "\\qc");
}

// The eight colours of the help compiler's palette, after the empty "auto"
// entry.
void cmd_colortable(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  write_fixed(ctx,
              "{\\colortbl;\r\n\\red0\\green0\\blue0;\r\n\\red0\\green0\\blue255;\r\n"
              "\\red0\\green255\\blue255;\r\n\\red0\\green255\\blue0;\r\n"
              "\\red255\\green0\\blue255;\r\n\\red255\\green0\\blue0;\r\n"
              "\\red255\\green255\\blue0;\r\n\\red255\\green255\\blue255;\r\n}");
}

void cmd_end(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  if (!ctx.headers.header_name.empty()) {
    end_page(ctx);
    ctx.headers.header_name.clear();
  }
  ctx.writer.document_end();
}

void cmd_page(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  end_page(ctx);
  reset_paragraph(ctx);
  ctx.headers.header_name.clear();
  ctx.format.collapse_tabs = false;
  ctx.names.clear_link_marks();
}

}  // namespace zek
