// The formatting commands. Character attributes: the switches (.bold,
// .italic, .box and the four border sides) and the numeric attributes (.font,
// .size, .crpitcha, .crpitchb) record pending attributes that the body text
// after them on the same line carries, or that are written at once when
// nothing follows. Paragraph commands: right and left indents (each opens a
// group that .endindent or the page end closes), paragraph defaults, tab
// stops, the line mode and the border style write their RTF at once.

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/cat.h"
#include "commands/body_line.h"
#include "commands/commands.h"
#include "commands/context.h"
#include "commands/paragraph.h"
#include "io/console.h"
#include "source/cursor.h"

namespace zek {

// What the formatting commands read after their keyword.
namespace {

// A value read from the source stored in a signed field: the same 32 bits.
int32_t as_field(uint32_t value) {
  return static_cast<int32_t>(value);
}

// Skips blanks and reads an unsigned number (wrapping at 32 bits). Without a
// digit it reports `error_word` and leaves the cursor on the byte it found, so
// that the rest of the line is dispatched again.
std::optional<uint32_t> read_argument(Context& ctx, Cursor& cursor, std::string_view error_word) {
  skip_blanks(cursor);
  std::optional<uint32_t> value = read_number(cursor);
  if (!value) ctx.diag.report_error(error_word);
  return value;
}

// Skips blanks; at the end of the line writes the pending attributes and a
// line end, so that they hold without a group. Otherwise the rest of the line
// is dispatched again and its body text carries them in its own group.
void finish_attribute(Context& ctx, Cursor& cursor) {
  skip_blanks(cursor);
  if (!cursor.at_end()) return;
  emit_format_state_alone(ctx);
}

}  // namespace

namespace {

using PendingField = int32_t FormatState::*;

// What a switch standing alone at the end of its line does.
enum class Alone {
  kAttribute,       // writes the attribute, which then holds without a group
  kHorizontalRule,  // a bordered empty paragraph: a line across the page
};

// Sets `field` (to 0 when `takes_zero` and a "0" follows the blanks). Any
// other text after the blanks, a "0" included, is dispatched again.
void apply_switch(Context& ctx, FileState& file, Cursor& cursor, PendingField field,
                  bool takes_zero, Alone alone) {
  skip_blanks(cursor);
  int32_t& value = ctx.format.state.*field;
  value = 1;
  if (takes_zero && cursor.peek() == '0') {
    cursor.advance();
    value = 0;
  }
  if (!cursor.at_end()) return;
  if (alone == Alone::kHorizontalRule) {
    write_body_line(ctx, file, cursor);
    return;
  }
  emit_format_state_alone(ctx);
}

// Reads the argument of a numeric attribute into `field`; true when read.
bool set_numeric(Context& ctx, Cursor& cursor, PendingField field, std::string_view error_word) {
  const std::optional<uint32_t> value = read_argument(ctx, cursor, error_word);
  if (!value) return false;
  ctx.format.state.*field = as_field(*value);
  return true;
}

}  // namespace

void cmd_bold(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  apply_switch(ctx, file, cursor, &FormatState::bold, true, Alone::kAttribute);
}

void cmd_box(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  apply_switch(ctx, file, cursor, &FormatState::box, false, Alone::kAttribute);
}

void cmd_bborder(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  apply_switch(ctx, file, cursor, &FormatState::border_bottom, false, Alone::kHorizontalRule);
}

void cmd_lborder(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  apply_switch(ctx, file, cursor, &FormatState::border_left, false, Alone::kAttribute);
}

void cmd_tborder(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  apply_switch(ctx, file, cursor, &FormatState::border_top, false, Alone::kHorizontalRule);
}

void cmd_rborder(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  apply_switch(ctx, file, cursor, &FormatState::border_right, false, Alone::kAttribute);
}

void cmd_italic(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  apply_switch(ctx, file, cursor, &FormatState::italic, true, Alone::kAttribute);
}

void cmd_font(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  if (set_numeric(ctx, cursor, &FormatState::font, error_word)) finish_attribute(ctx, cursor);
}

void cmd_size(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  if (!set_numeric(ctx, cursor, &FormatState::size, error_word)) return;
  // The character-based indents and tab stops measure in this size.
  ctx.format.current_font_size = static_cast<uint32_t>(ctx.format.state.size);
  finish_attribute(ctx, cursor);
}

void cmd_crpitcha(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  if (set_numeric(ctx, cursor, &FormatState::space_after, error_word)) {
    finish_attribute(ctx, cursor);
  }
}

void cmd_crpitchb(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  if (set_numeric(ctx, cursor, &FormatState::space_before, error_word)) {
    finish_attribute(ctx, cursor);
  }
}

namespace {

// Points of a measure of `count` characters, each half the font size; the
// half is rounded down after the product.
uint32_t character_points(const Context& ctx, uint32_t count) {
  return count * ctx.format.current_font_size / 2u;
}

uint32_t plain_points(const Context&, uint32_t points) {
  return points;
}

using ToPoints = uint32_t (*)(const Context&, uint32_t);

void open_right_indent(Context& ctx, Cursor& cursor, std::string_view error_word,
                       uint32_t twips_per_unit) {
  const std::optional<uint32_t> count = read_argument(ctx, cursor, error_word);
  if (!count) return;
  ctx.writer.rtf(cat("{\\ri", *count * twips_per_unit, ' '));
  skip_blanks(cursor);
  ++ctx.format.state.indent_depth;
  ctx.writer.rtf("\r\n");
}

// The first-line indent relative to the left indent: "\fi-" for a first line
// that starts left of the others (a hanging indent), "\fi" for one that starts
// further in.
std::string first_line_indent(uint32_t left_indent, uint32_t first_line_pos) {
  if (first_line_pos > left_indent) return cat("\\fi", (first_line_pos - left_indent) * 20u);
  return cat("\\fi-", (left_indent - first_line_pos) * 20u);
}

void open_left_indent(Context& ctx, Cursor& cursor, std::string_view error_word,
                      ToPoints to_points) {
  const std::optional<uint32_t> left = read_argument(ctx, cursor, error_word);
  if (!left) return;
  FormatContext& format = ctx.format;
  format.left_indent = format.first_line_pos = to_points(ctx, *left);
  ctx.writer.rtf(cat("{\\li", format.left_indent * 20u, ' '));
  skip_blanks(cursor);
  if (const std::optional<uint32_t> first = read_number(cursor)) {
    format.first_line_pos = to_points(ctx, *first);
    ctx.writer.rtf(first_line_indent(format.left_indent, format.first_line_pos));
  } else if (!cursor.at_end()) {
    ctx.diag.report_error(error_word);
    return;
  }
  ++format.state.indent_depth;
  ctx.writer.rtf("\r\n");
}

struct BorderStyle {
  std::string_view word;
  std::string_view rtf;
};

constexpr BorderStyle kBorderStyles[] = {
    {"double", "\\brdrdb\r\n"},
    {"dot", "\\brdrdot\r\n"},
    {"shadow", "\\brdrsh\r\n"},
    {"thick", "\\brdrth\r\n"},
};

}  // namespace

void cmd_rindentc(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  open_right_indent(ctx, cursor, error_word, ctx.format.current_font_size * 10u);
}

void cmd_rindent(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  open_right_indent(ctx, cursor, error_word, 20u);
}

void cmd_lindentc(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  open_left_indent(ctx, cursor, error_word, character_points);
}

void cmd_lindent(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  open_left_indent(ctx, cursor, error_word, plain_points);
}

void cmd_endindent(Context& ctx, FileState&, Cursor&, std::string_view error_word) {
  int32_t& depth = ctx.format.state.indent_depth;
  if (depth == 0) {
    ctx.diag.report_error(error_word);
    return;
  }
  --depth;
  ctx.writer.rtf("\\pard }\r\n");
}

void cmd_pardefault(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  ctx.writer.rtf("\\pard\r\n");
  ctx.format.collapse_tabs = false;
  ctx.format.paragraph_reset = true;
}

void cmd_tabstopc(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  ctx.writer.rtf(cat("\\tx", ctx.format.left_indent * 20u, " \r\n"));
  ctx.format.collapse_tabs = true;
}

void cmd_tabstop(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  const FormatContext& format = ctx.format;
  std::string stops;
  for (uint32_t i = 0; i < 10; ++i) {
    append(stops, "\\tx", i * format.current_font_size * 80u + format.first_line_pos * 20u, ' ');
  }
  stops += "\r\n";
  ctx.writer.rtf(stops);
}

void cmd_crmode(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  ctx.format.line_end = LineEnd::paragraph;
}

void cmd_linemode(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  ctx.format.line_end = LineEnd::line;
}

void cmd_border(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  if (cursor.at_end()) {
    ctx.writer.rtf("\\brdrs\r\n");
    return;
  }
  for (const BorderStyle& style : kBorderStyles) {
    if (match_keyword(cursor, style.word)) {
      ctx.writer.rtf(style.rtf);
      return;
    }
  }
  ctx.diag.report_error(error_word);
}

}  // namespace zek
