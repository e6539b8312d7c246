// Keyword, alias and ID commands (to come).
#include "source/commands.h"

namespace zek {

void cmd_search(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_alias(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_idx(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }
void cmd_id(Context& ctx, FileState&, Cursor& cursor) { report_bad_command(ctx, cursor); }

}  // namespace zek
