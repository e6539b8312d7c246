// Whether bytes read as code page 932 look like UTF-8 instead: Shift-JIS
// text almost never forms valid multi-byte UTF-8 sequences only.
#pragma once

#include <cstdint>
#include <string_view>

namespace zek {

enum class Utf8Look : uint8_t {
  ascii,    // no byte above 0x7F
  utf8,     // valid UTF-8 with at least one multi-byte sequence
  invalid,  // not UTF-8
};

Utf8Look classify_utf8(std::string_view bytes);

}  // namespace zek
