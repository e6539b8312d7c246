// The dispatch order of the dot commands. A keyword that is another keyword
// followed by a digit stands first (".topic2" before ".topic"); the simple
// commands, which write a fixed text, are tried last and by their own rule.
#include "commands/commands.h"

namespace zek {

namespace {

constexpr KeywordRule kWord = KeywordRule::no_letter_follows;
constexpr KeywordRule kSimple = KeywordRule::no_letter_or_digit_follows;
constexpr std::string_view kNoErrors;  // the command reports no error of its own

constexpr CommandEntry kCommands[] = {
    {".search", kWord, cmd_search, kNoErrors},
    {".alias", kWord, cmd_alias, kNoErrors},
    {".topic2", kWord, cmd_topic2, kNoErrors},
    {".topic", kWord, cmd_topic, kNoErrors},
    {".popup", kWord, cmd_popup, kNoErrors},
    {".idx", kWord, cmd_idx, kNoErrors},
    {".id", kWord, cmd_id, kNoErrors},
    {".bold", kWord, cmd_bold, kNoErrors},
    {".box", kWord, cmd_box, kNoErrors},
    {".bborder", kWord, cmd_bborder, kNoErrors},
    {".lborder", kWord, cmd_lborder, kNoErrors},
    {".tborder", kWord, cmd_tborder, kNoErrors},
    {".rborder", kWord, cmd_rborder, kNoErrors},
    {".italic", kWord, cmd_italic, kNoErrors},
    {".font", kWord, cmd_font, "font"},
    {".size", kWord, cmd_size, "size"},
    {".end", kWord, cmd_end, kNoErrors},
    {".page", kWord, cmd_page, kNoErrors},
    {".crpitcha", kWord, cmd_crpitcha, "crpitch"},
    {".crpitchb", kWord, cmd_crpitchb, "crpitch"},
    {".rindentc", kWord, cmd_rindentc, "rindent"},
    {".rindent", kWord, cmd_rindent, "rindent"},
    {".lindentc", kWord, cmd_lindentc, "lindentc"},
    {".lindent", kWord, cmd_lindent, "lindent"},
    {".endindent", kWord, cmd_endindent, "endindent"},
    {".pardefault", kWord, cmd_pardefault, kNoErrors},
    {".tabstopc", kWord, cmd_tabstopc, kNoErrors},
    {".tabstop", kWord, cmd_tabstop, kNoErrors},
    {".crmode", kWord, cmd_crmode, kNoErrors},
    {".linemode", kWord, cmd_linemode, kNoErrors},
    {".border", kWord, cmd_border, "border"},
    {".include", kWord, cmd_include, kNoErrors},
    {".endnoscroll", kWord, cmd_endnoscroll, "noscroll"},
    {".noscroll", kWord, cmd_noscroll, "noscroll"},
    {".title", kWord, cmd_title, kNoErrors},
    {".titlemode", kWord, cmd_titlemode, "titlemode"},
    {".shortcutstr", kWord, cmd_shortcutstr, kNoErrors},
    {".shortcutmode", kWord, cmd_shortcutmode, "shortcutmode"},
    {".shortcut2str", kWord, cmd_shortcut2str, kNoErrors},
    {".shortcut2mode", kWord, cmd_shortcut2mode, "shortcut2mode"},
    {".groupmode", kWord, cmd_groupmode, kNoErrors},
    {".shortcut", kWord, cmd_shortcut, kNoErrors},
    {".searchmode", kWord, cmd_searchmode, "searchmode"},
    {".resetlink", kWord, cmd_resetlink, kNoErrors},
    {".alllinkmode", kWord, cmd_alllinkmode, "alllinkmode"},
    {".nolinkmode", kWord, cmd_nolinkmode, "nolinkmode"},
    {".insspace", kWord, cmd_insspace, "insspace"},
    {".browse", kWord, cmd_browse, kNoErrors},
    {".print", kWord, cmd_print, kNoErrors},
    {".tabconv", kWord, cmd_tabconv, "tabconv"},
    {".line", kSimple, cmd_line, kNoErrors},
    {".start", kSimple, cmd_start, kNoErrors},
    {".left", kSimple, cmd_left, kNoErrors},
    {".right", kSimple, cmd_right, kNoErrors},
    {".center", kSimple, cmd_center, kNoErrors},
    {".colortable", kSimple, cmd_colortable, kNoErrors},
};

}  // namespace

std::span<const CommandEntry> command_table() {
  return kCommands;
}

}  // namespace zek
