// The dispatch order of the dot commands. A keyword that is another keyword
// followed by a digit stands first (".topic2" before ".topic"); the simple
// commands, which write a fixed text, are tried last and by their own rule.
#include "commands/commands.h"

namespace zek {

namespace {

constexpr KeywordRule kWord = KeywordRule::no_letter_follows;
constexpr KeywordRule kSimple = KeywordRule::no_letter_or_digit_follows;

constexpr CommandEntry kCommands[] = {
    {".search", kWord, cmd_search},
    {".alias", kWord, cmd_alias},
    {".topic2", kWord, cmd_topic2},
    {".topic", kWord, cmd_topic},
    {".popup", kWord, cmd_popup},
    {".idx", kWord, cmd_idx},
    {".id", kWord, cmd_id},
    {".bold", kWord, cmd_bold},
    {".box", kWord, cmd_box},
    {".bborder", kWord, cmd_bborder},
    {".lborder", kWord, cmd_lborder},
    {".tborder", kWord, cmd_tborder},
    {".rborder", kWord, cmd_rborder},
    {".italic", kWord, cmd_italic},
    {".font", kWord, cmd_font},
    {".size", kWord, cmd_size},
    {".end", kWord, cmd_end},
    {".page", kWord, cmd_page},
    {".crpitcha", kWord, cmd_crpitcha},
    {".crpitchb", kWord, cmd_crpitchb},
    {".rindentc", kWord, cmd_rindentc},
    {".rindent", kWord, cmd_rindent},
    {".lindentc", kWord, cmd_lindentc},
    {".lindent", kWord, cmd_lindent},
    {".endindent", kWord, cmd_endindent},
    {".pardefault", kWord, cmd_pardefault},
    {".tabstopc", kWord, cmd_tabstopc},
    {".tabstop", kWord, cmd_tabstop},
    {".crmode", kWord, cmd_crmode},
    {".linemode", kWord, cmd_linemode},
    {".border", kWord, cmd_border},
    {".include", kWord, cmd_include},
    {".endnoscroll", kWord, cmd_endnoscroll},
    {".noscroll", kWord, cmd_noscroll},
    {".title", kWord, cmd_title},
    {".titlemode", kWord, cmd_titlemode},
    {".shortcutstr", kWord, cmd_shortcutstr},
    {".shortcutmode", kWord, cmd_shortcutmode},
    {".shortcut2str", kWord, cmd_shortcut2str},
    {".shortcut2mode", kWord, cmd_shortcut2mode},
    {".groupmode", kWord, cmd_groupmode},
    {".shortcut", kWord, cmd_shortcut},
    {".searchmode", kWord, cmd_searchmode},
    {".resetlink", kWord, cmd_resetlink},
    {".alllinkmode", kWord, cmd_alllinkmode},
    {".nolinkmode", kWord, cmd_nolinkmode},
    {".insspace", kWord, cmd_insspace},
    {".browse", kWord, cmd_browse},
    {".print", kWord, cmd_print},
    {".tabconv", kWord, cmd_tabconv},
    {".line", kSimple, cmd_line},
    {".start", kSimple, cmd_start},
    {".left", kSimple, cmd_left},
    {".right", kSimple, cmd_right},
    {".center", kSimple, cmd_center},
    {".colortable", kSimple, cmd_colortable},
};

}  // namespace

std::span<const CommandEntry> command_table() {
  return kCommands;
}

}  // namespace zek
