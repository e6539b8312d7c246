// .end and .page: the commands that end a page and the document.
#include "checks/check_notes.h"
#include "commands/commands.h"
#include "commands/paragraph.h"

namespace zek {

void cmd_end(Context& ctx, FileState&, Cursor&) {
  if (!ctx.headers.header_name.empty()) {
    end_page(ctx);
    ctx.headers.header_name.clear();
  }
  ctx.writer.rtf("}\r\n");
  plain_if_text_mode(ctx, "\r\n");
  ctx.checks.note_end(ctx.writer.column);
}

void cmd_page(Context& ctx, FileState&, Cursor&) {
  end_page(ctx);
  reset_paragraph(ctx);
  ctx.headers.header_name.clear();
  ctx.format.collapse_tabs = 0;
  ctx.names.clear_link_marks();
  ctx.checks.note_page();
}

}  // namespace zek
