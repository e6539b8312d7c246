// Context construction and the console writes.
#include "context.h"

#include "driver/code_page.h"
#include "text/link_matcher.h"

namespace zek {

Context::Context() = default;
Context::~Context() = default;

Console::Console() = default;
Console::~Console() = default;

void Console::write(OutputStream* stream, std::string_view text) const {
  if (stream == nullptr) return;
  if (utf8_converter) {
    stream->write(utf8_converter->to_utf8(text));
  } else {
    stream->write(text);
  }
}

void Console::write_out(std::string_view text) const {
  write(out, text);
}

void Console::write_err(std::string_view text) const {
  write(err, text);
}

void Console::write_err_name(std::string_view name) const {
  if (err != nullptr) err->write(name);
}

}  // namespace zek
