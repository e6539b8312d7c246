// The console writes: program texts through the UTF-8 converter when the
// console shows UTF-8, file names as they are.
#include "io/console.h"

#include "io/code_page.h"

namespace zek {

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
