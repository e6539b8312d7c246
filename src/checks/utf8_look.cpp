// UTF-8 validation as the standard defines it: no overlong forms, no
// surrogates, nothing above U+10FFFF.
#include "checks/utf8_look.h"

#include <cstring>

namespace zek {

namespace {

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// The length of the sequence a lead byte begins, 0 for no lead byte.
size_t sequence_length(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Whether the `length` bytes at `s` form one valid sequence.
bool valid_sequence(const unsigned char* s, size_t length) {
  uint32_t code = s[0] & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((s[i] & 0xC0) != 0x80) return false;
    code = (code << 6) | (s[i] & 0x3F);
  }
  if (length == 3) return code >= 0x800 && (code < 0xD800 || code > 0xDFFF);
  if (length == 4) return code >= 0x10000 && code <= 0x10FFFF;
  return true;
}

}  // namespace

Utf8Look classify_utf8(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t size = bytes.size();
  bool multi_byte = false;
  size_t i = 0;
  while (i < size) {
    if (size - i >= 8) {  // eight ASCII bytes at a time
      uint64_t block;
      std::memcpy(&block, s + i, 8);
      if ((block & kHighBits) == 0) {
        i += 8;
        continue;
      }
    }
    if (s[i] < 0x80) {
      ++i;
      continue;
    }
    const size_t length = sequence_length(s[i]);
    if (length == 0 || size - i < length || !valid_sequence(s + i, length)) {
      return Utf8Look::invalid;
    }
    multi_byte = true;
    i += length;
  }
  return multi_byte ? Utf8Look::utf8 : Utf8Look::ascii;
}

}  // namespace zek
