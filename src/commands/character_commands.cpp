// Character attribute commands: the switches (.bold, .italic, .box and the
// four border sides) and the numeric attributes (.font, .size, .crpitcha,
// .crpitchb). They record pending attributes that the body text after them
// on the same line carries, or that are written at once when nothing follows.
#include "commands/arguments.h"
#include "commands/body_line.h"
#include "commands/commands.h"
#include "commands/paragraph.h"
#include "source/cursor.h"

namespace zek {

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

void cmd_bold(Context& ctx, FileState& file, Cursor& cursor) {
  apply_switch(ctx, file, cursor, &FormatState::bold, true, Alone::kAttribute);
}

void cmd_box(Context& ctx, FileState& file, Cursor& cursor) {
  apply_switch(ctx, file, cursor, &FormatState::box, false, Alone::kAttribute);
}

void cmd_bborder(Context& ctx, FileState& file, Cursor& cursor) {
  apply_switch(ctx, file, cursor, &FormatState::border_bottom, false, Alone::kHorizontalRule);
}

void cmd_lborder(Context& ctx, FileState& file, Cursor& cursor) {
  apply_switch(ctx, file, cursor, &FormatState::border_left, false, Alone::kAttribute);
}

void cmd_tborder(Context& ctx, FileState& file, Cursor& cursor) {
  apply_switch(ctx, file, cursor, &FormatState::border_top, false, Alone::kHorizontalRule);
}

void cmd_rborder(Context& ctx, FileState& file, Cursor& cursor) {
  apply_switch(ctx, file, cursor, &FormatState::border_right, false, Alone::kAttribute);
}

void cmd_italic(Context& ctx, FileState& file, Cursor& cursor) {
  apply_switch(ctx, file, cursor, &FormatState::italic, true, Alone::kAttribute);
}

void cmd_font(Context& ctx, FileState&, Cursor& cursor) {
  if (set_numeric(ctx, cursor, &FormatState::font, "font")) finish_attribute(ctx, cursor);
}

void cmd_size(Context& ctx, FileState&, Cursor& cursor) {
  if (!set_numeric(ctx, cursor, &FormatState::size, "size")) return;
  // The character-based indents and tab stops measure in this size.
  ctx.format.current_font_size = static_cast<uint32_t>(ctx.format.state.size);
  finish_attribute(ctx, cursor);
}

void cmd_crpitcha(Context& ctx, FileState&, Cursor& cursor) {
  if (set_numeric(ctx, cursor, &FormatState::space_after, "crpitch")) {
    finish_attribute(ctx, cursor);
  }
}

void cmd_crpitchb(Context& ctx, FileState&, Cursor& cursor) {
  if (set_numeric(ctx, cursor, &FormatState::space_before, "crpitch")) {
    finish_attribute(ctx, cursor);
  }
}

}  // namespace zek
