// The on/off mode commands. A switch is turned on by its keyword alone and
// off by a "0" after it; anything else is an error that leaves it alone.
#include "commands/commands.h"
#include "io/diagnostics.h"
#include "source/keyword.h"

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

void cmd_shortcutmode(Context& ctx, FileState&, Cursor& cursor) {
  set_switch(ctx, cursor, ctx.modes.shortcut_mode, "shortcutmode", Blanks::skipped);
}

void cmd_shortcut2mode(Context& ctx, FileState&, Cursor& cursor) {
  set_switch(ctx, cursor, ctx.modes.shortcut2_mode, "shortcut2mode", Blanks::skipped);
}

void cmd_searchmode(Context& ctx, FileState&, Cursor& cursor) {
  set_switch(ctx, cursor, ctx.modes.search_mode, "searchmode", Blanks::skipped);
}

void cmd_alllinkmode(Context& ctx, FileState&, Cursor& cursor) {
  set_switch(ctx, cursor, ctx.modes.all_link_mode, "alllinkmode", Blanks::skipped);
}

void cmd_nolinkmode(Context& ctx, FileState&, Cursor& cursor) {
  set_switch(ctx, cursor, ctx.modes.no_link_mode, "nolinkmode", Blanks::skipped);
}

void cmd_insspace(Context& ctx, FileState&, Cursor& cursor) {
  set_switch(ctx, cursor, ctx.modes.insert_space, "insspace", Blanks::significant);
}

// Tab conversion takes the whole line: what follows the argument is dropped.
void cmd_tabconv(Context& ctx, FileState&, Cursor& cursor) {
  set_switch(ctx, cursor, ctx.modes.tab_conversion, "tabconv", Blanks::significant);
  cursor.consume();
}

}  // namespace zek
