// The handlers of the fifty dot commands, in the order the dispatcher tries
// them. A handler is entered with the cursor just after its keyword; it either
// consumes the line or leaves the cursor on the first byte it did not use, and
// the line loop dispatches the rest.
#pragma once

#include "context.h"
#include "source/cursor.h"

namespace zek {

using CommandHandler = void (*)(Context&, FileState&, Cursor&);

struct CommandEntry {
  const char* keyword;
  CommandHandler handler;
};

// The fifty keywords in dispatch order.
extern const CommandEntry kCommands[50];

// Keyword, alias and ID commands (topics/keyword_commands.cpp).
void cmd_search(Context&, FileState&, Cursor&);
void cmd_alias(Context&, FileState&, Cursor&);
void cmd_idx(Context&, FileState&, Cursor&);
void cmd_id(Context&, FileState&, Cursor&);
// Topic and popup headers (topics/header_commands.cpp).
void cmd_topic2(Context&, FileState&, Cursor&);
void cmd_topic(Context&, FileState&, Cursor&);
void cmd_popup(Context&, FileState&, Cursor&);
// Character attributes (format/character_commands.cpp).
void cmd_bold(Context&, FileState&, Cursor&);
void cmd_box(Context&, FileState&, Cursor&);
void cmd_bborder(Context&, FileState&, Cursor&);
void cmd_lborder(Context&, FileState&, Cursor&);
void cmd_tborder(Context&, FileState&, Cursor&);
void cmd_rborder(Context&, FileState&, Cursor&);
void cmd_italic(Context&, FileState&, Cursor&);
void cmd_font(Context&, FileState&, Cursor&);
void cmd_size(Context&, FileState&, Cursor&);
void cmd_crpitcha(Context&, FileState&, Cursor&);
void cmd_crpitchb(Context&, FileState&, Cursor&);
// Page and document ends (format/page_commands.cpp).
void cmd_end(Context&, FileState&, Cursor&);
void cmd_page(Context&, FileState&, Cursor&);
// Paragraph commands (format/paragraph_commands.cpp).
void cmd_rindentc(Context&, FileState&, Cursor&);
void cmd_rindent(Context&, FileState&, Cursor&);
void cmd_lindentc(Context&, FileState&, Cursor&);
void cmd_lindent(Context&, FileState&, Cursor&);
void cmd_endindent(Context&, FileState&, Cursor&);
void cmd_pardefault(Context&, FileState&, Cursor&);
void cmd_tabstopc(Context&, FileState&, Cursor&);
void cmd_tabstop(Context&, FileState&, Cursor&);
void cmd_crmode(Context&, FileState&, Cursor&);
void cmd_linemode(Context&, FileState&, Cursor&);
void cmd_border(Context&, FileState&, Cursor&);
// Nested source files (source/line_loop.cpp).
void cmd_include(Context&, FileState&, Cursor&);
// Non-scrolling regions and titles (format/title_commands.cpp).
void cmd_endnoscroll(Context&, FileState&, Cursor&);
void cmd_noscroll(Context&, FileState&, Cursor&);
void cmd_title(Context&, FileState&, Cursor&);
void cmd_titlemode(Context&, FileState&, Cursor&);
// Mode commands (topics/mode_commands.cpp).
void cmd_shortcutstr(Context&, FileState&, Cursor&);
void cmd_shortcutmode(Context&, FileState&, Cursor&);
void cmd_shortcut2str(Context&, FileState&, Cursor&);
void cmd_shortcut2mode(Context&, FileState&, Cursor&);
void cmd_groupmode(Context&, FileState&, Cursor&);
void cmd_shortcut(Context&, FileState&, Cursor&);
void cmd_searchmode(Context&, FileState&, Cursor&);
void cmd_resetlink(Context&, FileState&, Cursor&);
void cmd_alllinkmode(Context&, FileState&, Cursor&);
void cmd_nolinkmode(Context&, FileState&, Cursor&);
void cmd_insspace(Context&, FileState&, Cursor&);
void cmd_browse(Context&, FileState&, Cursor&);
void cmd_print(Context&, FileState&, Cursor&);
void cmd_tabconv(Context&, FileState&, Cursor&);

// Reports "bad . command  <text from the command's dot>" and consumes the
// line: what a command not built into this converter does.
void report_bad_command(Context& ctx, Cursor& cursor);

}  // namespace zek
