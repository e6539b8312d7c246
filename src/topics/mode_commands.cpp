// Mode commands (to come).
#include "source/commands.h"

namespace zek {

void cmd_shortcutstr(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_shortcutmode(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_shortcut2str(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_shortcut2mode(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_groupmode(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_shortcut(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_searchmode(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_resetlink(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_alllinkmode(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_nolinkmode(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_insspace(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_browse(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_print(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_tabconv(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }

}  // namespace zek
