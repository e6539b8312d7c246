// Character attribute commands (to come).
#include "source/commands.h"

namespace zek {

void cmd_bold(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_box(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_bborder(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_lborder(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_tborder(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_rborder(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_italic(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_font(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_size(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_crpitcha(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_crpitchb(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }

}  // namespace zek
