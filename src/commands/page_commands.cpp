// .end and .page: the commands that end a page and the document.
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
}

void cmd_page(Context& ctx, FileState&, Cursor&) {
  end_page(ctx);
  reset_paragraph(ctx);
  ctx.headers.header_name.clear();
  ctx.format.collapse_tabs = false;
  ctx.names.clear_link_marks();
}

}  // namespace zek
