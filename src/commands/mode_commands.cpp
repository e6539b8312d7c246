// The mode commands. The on/off switches are turned on by their keyword
// alone and off by a "0" after it; anything else is an error that leaves the
// switch alone. The others set the shortcut-button labels and target, group
// mode, the link-mark reset, browse sequences and .print.
#include <optional>
#include <string>

#include "base/cat.h"
#include "base/sjis.h"
#include "commands/commands.h"
#include "io/console.h"
#include "source/cursor.h"

namespace zek {

namespace {

enum class Blanks { skipped, significant };

// Reads the switch argument at the cursor and sets `flag`. After "0" the
// cursor stands on the next character; after an error on the argument.
void set_switch(Context& ctx, Cursor& cursor, bool& flag, std::string_view word, Blanks blanks) {
  if (blanks == Blanks::skipped) skip_blanks(cursor);
  if (cursor.at_end()) {
    flag = true;
  } else if (cursor.peek() == '0') {
    flag = false;
    cursor.advance();
  } else {
    ctx.diag.report_error(word);
  }
}

}  // namespace

void cmd_shortcutmode(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  set_switch(ctx, cursor, ctx.modes.shortcut_mode, error_word, Blanks::skipped);
}

void cmd_shortcut2mode(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  set_switch(ctx, cursor, ctx.modes.shortcut2_mode, error_word, Blanks::skipped);
}

void cmd_searchmode(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  set_switch(ctx, cursor, ctx.modes.search_mode, error_word, Blanks::skipped);
}

void cmd_alllinkmode(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  set_switch(ctx, cursor, ctx.modes.all_link_mode, error_word, Blanks::skipped);
}

void cmd_nolinkmode(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  set_switch(ctx, cursor, ctx.modes.no_link_mode, error_word, Blanks::skipped);
}

void cmd_insspace(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  set_switch(ctx, cursor, ctx.modes.insert_space, error_word, Blanks::significant);
}

// Tab conversion takes the whole line: what follows the argument is dropped.
void cmd_tabconv(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  set_switch(ctx, cursor, ctx.modes.tab_conversion, error_word, Blanks::significant);
  cursor.consume();
}

namespace {

// Browse-sequence names are kept to this many bytes.
constexpr size_t kBrowseNameLimit = 20;

// A button label: "0" releases it (the rest of the line is dispatched from
// after the "0"); any other text, even none, becomes the label and takes the
// whole line.
void set_label(Cursor& cursor, std::optional<std::string>& label) {
  skip_blanks(cursor);
  if (cursor.peek() == '0') {
    label.reset();
    cursor.advance();
    return;
  }
  label = std::string(cursor.rest());
  cursor.consume();
}

// The first `limit` bytes of `text`, one less when the cut would split a
// double-byte character.
std::string_view cut_at_character(std::string_view text, size_t limit) {
  if (text.size() <= limit) return text;
  size_t end = 0;
  while (end + char_length(text, end) <= limit) end += char_length(text, end);
  return text.substr(0, end);
}

}  // namespace

void cmd_shortcutstr(Context& ctx, FileState&, Cursor& cursor, std::string_view /*error_word*/) {
  set_label(cursor, ctx.modes.shortcut_str);
}

void cmd_shortcut2str(Context& ctx, FileState&, Cursor& cursor, std::string_view /*error_word*/) {
  set_label(cursor, ctx.modes.shortcut2_str);
}

// Group mode stays on until the next pass; the rest of the line is dispatched.
void cmd_groupmode(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  ctx.modes.group_mode = true;
}

void cmd_shortcut(Context& ctx, FileState&, Cursor& cursor, std::string_view /*error_word*/) {
  ctx.modes.id_name = std::string(cursor.rest());
  cursor.consume();
}

// Names linked in this topic become linkable again; the rest of the line is dispatched.
void cmd_resetlink(Context& ctx, FileState&, Cursor&, std::string_view /*error_word*/) {
  ctx.names.clear_link_marks();
}

void cmd_browse(Context& ctx, FileState&, Cursor& cursor, std::string_view /*error_word*/) {
  skip_blanks(cursor);
  ctx.modes.browse_name = std::string(cut_at_character(cursor.rest(), kBrowseNameLimit));
  ctx.modes.browse_counter = 0;
  cursor.consume();
}

// A message to the author on standard error, once: in the writing pass.
void cmd_print(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  if (file.pass == Pass::write_output) {
    ctx.console.write_err(cat(cursor.rest(), '\n'));
    if (ctx.console.err != nullptr) ctx.console.err->flush();
  }
  cursor.consume();
}

}  // namespace zek
