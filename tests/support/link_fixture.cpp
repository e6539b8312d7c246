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

void LinkFixture::add(const NameSpec& spec) {
  if (spec.alias) {
    ctx.names.add_alias(spec.name, spec.header_index);
    return;
  }
  switch (spec.kind) {
    case NameKind::popup:
      ctx.names.add_popup(spec.name);
      break;
    case NameKind::topic:
      ctx.names.add_topic(spec.name);
      break;
    case NameKind::topic2:
      ctx.names.add_topic2(spec.name, spec.target);
      break;
    case NameKind::external:
      ctx.names.add_external(spec.name, spec.target.value_or(""));
      break;
  }
}

std::string LinkFixture::output() {
  ctx.writer.out.flush();
  return stream.bytes;
}

}  // namespace zek::testing
