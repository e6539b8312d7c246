// Link insertion (hot spots to come: the line is written as escaped text).
#include "text/link_text.h"

#include "format/paragraph.h"

namespace zek {

void link_text_line(Context& ctx, std::string& line, int) {
  ctx.writer.text(line);
  plain_if_text_mode(ctx, line);
}

void prepare_links(Context&) {}

}  // namespace zek
