// The dispatch order of the dot commands. A keyword that is another keyword
// followed by a digit stands first (".topic2" before ".topic").
#include "source/commands.h"

namespace zek {

const CommandEntry kCommands[50] = {
    {".search", cmd_search},         {".alias", cmd_alias},
    {".topic2", cmd_topic2},         {".topic", cmd_topic},
    {".popup", cmd_popup},           {".idx", cmd_idx},
    {".id", cmd_id},                 {".bold", cmd_bold},
    {".box", cmd_box},               {".bborder", cmd_bborder},
    {".lborder", cmd_lborder},       {".tborder", cmd_tborder},
    {".rborder", cmd_rborder},       {".italic", cmd_italic},
    {".font", cmd_font},             {".size", cmd_size},
    {".end", cmd_end},               {".page", cmd_page},
    {".crpitcha", cmd_crpitcha},     {".crpitchb", cmd_crpitchb},
    {".rindentc", cmd_rindentc},     {".rindent", cmd_rindent},
    {".lindentc", cmd_lindentc},     {".lindent", cmd_lindent},
    {".endindent", cmd_endindent},   {".pardefault", cmd_pardefault},
    {".tabstopc", cmd_tabstopc},     {".tabstop", cmd_tabstop},
    {".crmode", cmd_crmode},         {".linemode", cmd_linemode},
    {".border", cmd_border},         {".include", cmd_include},
    {".endnoscroll", cmd_endnoscroll}, {".noscroll", cmd_noscroll},
    {".title", cmd_title},           {".titlemode", cmd_titlemode},
    {".shortcutstr", cmd_shortcutstr}, {".shortcutmode", cmd_shortcutmode},
    {".shortcut2str", cmd_shortcut2str}, {".shortcut2mode", cmd_shortcut2mode},
    {".groupmode", cmd_groupmode},   {".shortcut", cmd_shortcut},
    {".searchmode", cmd_searchmode}, {".resetlink", cmd_resetlink},
    {".alllinkmode", cmd_alllinkmode}, {".nolinkmode", cmd_nolinkmode},
    {".insspace", cmd_insspace},     {".browse", cmd_browse},
    {".print", cmd_print},           {".tabconv", cmd_tabconv},
};

}  // namespace zek
