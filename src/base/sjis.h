// Shift-JIS (code page 932) character boundaries: the fixed lead-byte table and
// the helpers every scan of source text uses, so that a trail byte ("@", "\",
// "{", "}" or a letter) is never taken for an ASCII character.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zek {

namespace detail {
constexpr std::array<bool, 256> make_lead_table() {
  std::array<bool, 256> table{};
  for (int b = 0x81; b <= 0x9F; ++b) table[b] = true;
  for (int b = 0xE0; b <= 0xFC; ++b) table[b] = true;
  return table;
}
inline constexpr std::array<bool, 256> kLeadTable = make_lead_table();
}  // namespace detail

// True for 0x81-0x9F and 0xE0-0xFC, whatever the machine's code page.
inline bool is_lead_byte(unsigned char byte) {
  return detail::kLeadTable[byte];
}
inline bool is_lead_byte(char byte) {
  return is_lead_byte(static_cast<unsigned char>(byte));
}

// Length of the character that starts at `pos`: 2 for a lead byte with a byte
// after it, else 1 (a lead byte at the very end stands alone).
inline size_t char_length(std::string_view text, size_t pos) {
  return (is_lead_byte(text[pos]) && pos + 1 < text.size()) ? 2 : 1;
}

// Position of the first byte equal to `c` at a character boundary, or npos.
size_t mbs_strchr(std::string_view text, char c, size_t from = 0);

// Whether byte `i` of `text` is the second byte of a double-byte character.
bool is_trail_byte(std::string_view text, size_t i);

// Marks the character boundaries of a line once, so that many trail-byte
// questions about the same line cost one walk.
class TrailMap {
 public:
  explicit TrailMap(std::string_view text);
  bool is_trail(size_t i) const { return i < trail_.size() && trail_[i]; }

 private:
  std::basic_string<bool> trail_;
};

// A copy of `name` with "@" made "q" and "$" made "z" at character boundaries:
// a context string the help compiler accepts for an "@" name.
std::string sanitize_context_string(std::string_view name);

}  // namespace zek
