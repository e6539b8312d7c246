// Padded number formats used by footnotes, the trace listing and the
// report, and tab expansion.
#include "base/cat.h"

namespace zek {

namespace {
std::string padded(uint32_t value, int width, int base, char fill) {
  char digits[16];
  auto result = std::to_chars(digits, digits + sizeof digits, value, base);
  std::string text(digits, result.ptr);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), fill);
  return text;
}
}  // namespace

std::string zero_padded(uint32_t value, int width) {
  return padded(value, width, 10, '0');
}
std::string hex_padded(uint32_t value, int width) {
  return padded(value, width, 16, '0');
}
std::string space_padded(uint32_t value, int width) {
  return padded(value, width, 10, ' ');
}

void expand_tabs(std::string& text) {
  if (text.find('\t') == std::string::npos) return;
  std::string result;
  result.reserve(text.size() + 16);
  for (char byte : text) {
    if (byte != '\t') {
      result.push_back(byte);
      continue;
    }
    do {
      result.push_back(' ');
    } while (result.size() % 8 != 0);
  }
  text = std::move(result);
}

}  // namespace zek
