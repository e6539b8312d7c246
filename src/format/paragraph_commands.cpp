// Paragraph commands (to come).
#include "source/commands.h"

namespace zek {

void cmd_rindentc(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_rindent(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_lindentc(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_lindent(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_endindent(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_pardefault(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_tabstopc(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_tabstop(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_crmode(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_linemode(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_border(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }

}  // namespace zek
