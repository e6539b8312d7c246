// The handlers of the dot commands, in the order the dispatcher tries them. A
// handler is entered with the cursor just after its keyword; it either
// consumes the line or leaves the cursor on the first byte it did not use,
// and the line loop dispatches the rest.
#pragma once

#include <span>
#include <string_view>

#include "commands/context.h"
#include "source/cursor.h"

namespace zek {

// A handler gets its command's error word: the word an error on the line
// names (".crpitcha" and ".crpitchb" both say "crpitch").
using CommandHandler = void (*)(Context&, FileState&, Cursor&, std::string_view error_word);

struct CommandEntry {
  std::string_view keyword;
  KeywordRule rule;
  CommandHandler handler;
  std::string_view error_word;  // empty for a command that reports no error
};

// Every dot command in dispatch order: the first whose keyword matches by its
// rule handles the line.
std::span<const CommandEntry> command_table();

// Keyword, alias and ID commands (commands/topic_commands.cpp).
void cmd_search(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_alias(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_idx(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_id(Context&, FileState&, Cursor&, std::string_view error_word);
// Topic and popup headers (commands/topic_commands.cpp).
void cmd_topic2(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_topic(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_popup(Context&, FileState&, Cursor&, std::string_view error_word);
// Character attributes (commands/format_commands.cpp).
void cmd_bold(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_box(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_bborder(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_lborder(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_tborder(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_rborder(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_italic(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_font(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_size(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_crpitcha(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_crpitchb(Context&, FileState&, Cursor&, std::string_view error_word);
// Page and document ends, and the simple commands that write a fixed text
// (commands/paragraph.cpp).
void cmd_end(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_line(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_start(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_left(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_right(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_center(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_colortable(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_page(Context&, FileState&, Cursor&, std::string_view error_word);
// Paragraph commands (commands/format_commands.cpp).
void cmd_rindentc(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_rindent(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_lindentc(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_lindent(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_endindent(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_pardefault(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_tabstopc(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_tabstop(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_crmode(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_linemode(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_border(Context&, FileState&, Cursor&, std::string_view error_word);
// Nested source files (convert/line_loop.cpp).
void cmd_include(Context&, FileState&, Cursor&, std::string_view error_word);
// Non-scrolling regions and titles (commands/title_commands.cpp).
void cmd_endnoscroll(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_noscroll(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_title(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_titlemode(Context&, FileState&, Cursor&, std::string_view error_word);
// Mode commands (commands/mode_commands.cpp).
void cmd_shortcutstr(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_shortcutmode(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_shortcut2str(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_shortcut2mode(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_groupmode(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_shortcut(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_searchmode(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_resetlink(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_alllinkmode(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_nolinkmode(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_insspace(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_browse(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_print(Context&, FileState&, Cursor&, std::string_view error_word);
void cmd_tabconv(Context&, FileState&, Cursor&, std::string_view error_word);

// Reports "bad . command  <text from the command's dot>" and consumes the
// line: what a command not built into this converter does.
void report_bad_command(Context& ctx, Cursor& cursor);

}  // namespace zek
