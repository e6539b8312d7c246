// .end and .page, the commands that end a page and the document, and the
// simple commands that write a fixed text of their own and a line end:
// .line, .start, .left, .right, .center and .colortable.
#include "commands/commands.h"
#include "commands/paragraph.h"

namespace zek {

namespace {

void write_fixed(Context& ctx, std::string_view rtf) {
  ctx.writer.rtf(rtf);
  ctx.writer.rtf("\r\n");
}

}  // namespace

void cmd_line(Context& ctx, FileState&, Cursor&) {
  write_fixed(ctx, "\\line");
}

void cmd_start(Context& ctx, FileState&, Cursor&) {
  ctx.writer.document_start();
}

void cmd_left(Context& ctx, FileState&, Cursor&) {
  write_fixed(ctx, "\\ql");
}

void cmd_right(Context& ctx, FileState&, Cursor&) {
  write_fixed(ctx, "\\qr");
}

void cmd_center(Context& ctx, FileState&, Cursor&) {
  write_fixed(ctx, "\\qc");
}

// The eight colours of the help compiler's palette, after the empty "auto"
// entry.
void cmd_colortable(Context& ctx, FileState&, Cursor&) {
  write_fixed(ctx,
              "{\\colortbl;\r\n\\red0\\green0\\blue0;\r\n\\red0\\green0\\blue255;\r\n"
              "\\red0\\green255\\blue255;\r\n\\red0\\green255\\blue0;\r\n"
              "\\red255\\green0\\blue255;\r\n\\red255\\green0\\blue0;\r\n"
              "\\red255\\green255\\blue0;\r\n\\red255\\green255\\blue255;\r\n}");
}

void cmd_end(Context& ctx, FileState&, Cursor&) {
  if (!ctx.headers.header_name.empty()) {
    end_page(ctx);
    ctx.headers.header_name.clear();
  }
  ctx.writer.document_end();
}

void cmd_page(Context& ctx, FileState&, Cursor&) {
  end_page(ctx);
  reset_paragraph(ctx);
  ctx.headers.header_name.clear();
  ctx.format.collapse_tabs = false;
  ctx.names.clear_link_marks();
}

}  // namespace zek
