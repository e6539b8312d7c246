// Context construction and the console writes.
#include "context.h"

#include "text/link_matcher.h"

namespace zek {

Context::Context() = default;
Context::~Context() = default;

void Console::write_out(std::string_view text) const {
  if (out != nullptr) out->write(text);
}

void Console::write_err(std::string_view text) const {
  if (err != nullptr) err->write(text);
}

}  // namespace zek
