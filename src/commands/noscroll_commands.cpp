// .noscroll and .endnoscroll: the non-scrolling region at the top of a topic
// window, a "{\keepn" group of paragraphs. A region still open at the page
// end is closed there.
#include "commands/commands.h"
#include "io/diagnostics.h"

namespace zek {

void cmd_endnoscroll(Context& ctx, FileState&, Cursor&) {
  int32_t& open = ctx.format.state.noscroll_open;
  if (open != 1) {
    ctx.diag.report_error("noscroll");
    return;
  }
  open = 0;
  ctx.writer.rtf("\\pard }\r\n");
}

void cmd_noscroll(Context& ctx, FileState&, Cursor&) {
  int32_t& open = ctx.format.state.noscroll_open;
  if (open != 0) {
    ctx.diag.report_error("noscroll");
    return;
  }
  open = 1;
  ctx.writer.rtf("{\\keepn\r\n");
}

}  // namespace zek
