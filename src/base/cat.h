// Composing texts byte by byte: building them from pieces without printf
// formats (strings are appended as they are, integers in decimal; source
// text never becomes a format), padding numbers, and expanding tabs to
// their stops.
#pragma once

#include <charconv>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

namespace zek {

inline void append_piece(std::string& out, std::string_view text) {
  out.append(text);
}
inline void append_piece(std::string& out, const char* text) {
  out.append(text);
}
inline void append_piece(std::string& out, const std::string& text) {
  out.append(text);
}
inline void append_piece(std::string& out, char c) {
  out.push_back(c);
}

template <std::integral T>
requires(!std::same_as<T, char> && !std::same_as<T, bool>) void append_piece(std::string& out,
                                                                             T value) {
  char digits[24];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

// Appends every piece to `out`.
template <typename... Pieces>
void append(std::string& out, const Pieces&... pieces) {
  (append_piece(out, pieces), ...);
}

// Joins the pieces into a new text: cat("\\fs", size * 2, " ").
template <typename... Pieces>
std::string cat(const Pieces&... pieces) {
  std::string out;
  append(out, pieces...);
  return out;
}

// An unsigned number padded with zeros to at least `width` digits ("%03u").
std::string zero_padded(uint32_t value, int width);
// An unsigned number in lower-case hexadecimal, zero-padded to `width` ("%04lx").
std::string hex_padded(uint32_t value, int width);
// A number right-aligned in `width` places with blanks ("%4u").
std::string space_padded(uint32_t value, int width);

// Replaces every tab by spaces up to the next multiple of eight columns
// (.tabconv); a column is one byte and the first byte is column 0.
void expand_tabs(std::string& text);

}  // namespace zek
