// A body-text line: its framing group, borders, line end and hot spots; the
// continuation mark " \" at the end of a body line or a title.
#include "commands/body_line.h"

#include "base/cat.h"
#include "base/sjis.h"
#include "commands/link_text.h"
#include "commands/paragraph.h"

namespace zek {

bool cut_continuation(std::string& text) {
  if (text.size() <= 2 || !text.ends_with(" \\")) return false;
  if (is_trail_byte(text, text.size() - 2)) return false;
  text.resize(text.size() - 2);
  return true;
}

namespace {

// Every run of tabs becomes one tab.
void collapse_tab_runs(std::string& text) {
  size_t out = 0;
  for (size_t in = 0; in < text.size(); ++in) {
    if (text[in] == '\t' && out > 0 && text[out - 1] == '\t') continue;
    text[out++] = text[in];
  }
  text.resize(out);
}

}  // namespace

void write_body_line(Context& ctx, FileState& file, Cursor& cursor) {
  if (file.condition == Condition::skipped) {
    cursor.consume();
    return;
  }
  ctx.format.paragraph_reset = false;
  if (file.pass == Pass::collect_names) {
    cursor.consume();
    return;
  }
  // The rest of the line becomes the text in place; the line is done with.
  std::string& text = cursor.line;
  text.erase(0, cursor.pos);
  if (ctx.modes.tab_conversion) expand_tabs(text);
  const bool continued = cut_continuation(text);

  FormatState& state = ctx.format.state;
  const bool bordered = state.any_border();
  const bool grouped = bordered || state.bold != kUnset || state.italic != kUnset ||
                       state.font != kUnset || state.size != kUnset;
  Writer& w = ctx.writer;
  if (grouped) w.rtf("{");
  if (ctx.format.collapse_tabs) collapse_tab_runs(text);
  const int32_t border_top = state.border_top;
  const int32_t border_bottom = state.border_bottom;
  emit_format_state(ctx);
  if (state.indent_depth == 0 && ctx.modes.insert_space && text.starts_with('\t')) {
    w.rtf(" ");
  }
  if (border_top == 1) w.border_rule();

  w.body_line(text, grouped || state.indent_depth != 0 || state.noscroll_open != 0);
  if (!ctx.modes.no_link_mode) {
    link_text_line(ctx, text, file.header_kind);
    if (ctx.modes.all_link_mode) ctx.names.clear_link_marks();
  } else {
    w.body_text(text);
  }

  if (continued) {
    if (grouped) w.rtf("}");
    w.line_end("\r\n");
  } else {
    end_line(ctx, ctx.format.line_end);
    if (grouped) w.rtf("}");
  }
  if (bordered) {
    ctx.format.paragraph_reset = true;
    w.line_end("\\pard \r\n");
  }
  if (border_bottom == 1) w.border_rule();
  cursor.consume();
}

}  // namespace zek
