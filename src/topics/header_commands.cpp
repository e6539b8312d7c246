// Topic and popup headers (to come).
#include "source/commands.h"

namespace zek {

void cmd_topic2(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_topic(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_popup(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }

}  // namespace zek
