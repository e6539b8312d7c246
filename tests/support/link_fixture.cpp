// The link test context.
#include "support/link_fixture.h"

#include "driver/command_line.h"

namespace zek::testing {

LinkFixture::LinkFixture(const std::vector<std::string>& options, bool text_mode) {
  ctx.options = apply_options(options);
  ctx.options.text_mode = text_mode;
  ctx.writer.text_mode = text_mode;
  ctx.writer.out.attach(&stream);
}

void LinkFixture::add(const NameRow& row) {
  if (row.alias) {
    ctx.names.add_alias(row.name, row.header_index);
    return;
  }
  switch (row.kind) {
    case NameKind::popup:
      ctx.names.add_popup(row.name);
      break;
    case NameKind::topic:
      ctx.names.add_topic(row.name);
      break;
    case NameKind::topic2:
      ctx.names.add_topic2(row.name, row.target);
      break;
    case NameKind::external:
      ctx.names.add_external(row.name, row.target.value_or(""));
      break;
  }
}

std::string LinkFixture::output() {
  ctx.writer.out.flush();
  return stream.bytes;
}

}  // namespace zek::testing
