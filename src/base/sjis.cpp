// Shift-JIS boundary helpers.
#include "base/sjis.h"

namespace zek {

size_t mbs_strchr(std::string_view text, char c, size_t from) {
  size_t pos = from;
  while (pos < text.size()) {
    if (text[pos] == c) return pos;
    pos += is_lead_byte(text[pos]) ? 2 : 1;
  }
  return std::string_view::npos;
}

namespace {
// Walks from `start` (a character boundary) and tells whether `i` is a trail byte.
bool walk_to(std::string_view text, size_t start, size_t i) {
  size_t pos = start;
  while (pos < i) pos += is_lead_byte(text[pos]) ? 2 : 1;
  return pos == i + 1;
}
bool is_high(char byte) {
  return static_cast<unsigned char>(byte) > 0x80;
}
}  // namespace

bool is_trail_byte(std::string_view text, size_t i) {
  if (i == 0 || i >= text.size()) return false;
  if (!is_high(text[i - 1])) return false;
  if (i == 1) return is_lead_byte(text[0]);
  if (!is_high(text[i - 2])) return is_lead_byte(text[i - 1]);
  // Walk back to the nearest byte that cannot be a lead byte; a character
  // boundary follows it. Linear only in the run of high bytes before `i`.
  size_t start = i - 2;
  while (start > 0 && is_high(text[start])) --start;
  if (is_high(text[start])) return walk_to(text, 0, i);
  return walk_to(text, start + 1, i);
}

TrailMap::TrailMap(std::string_view text) : trail_(text.size(), false) {
  size_t pos = 0;
  while (pos < text.size()) {
    if (is_lead_byte(text[pos]) && pos + 1 < text.size()) {
      trail_[pos + 1] = true;
      pos += 2;
    } else {
      pos += 1;
    }
  }
}

std::string sanitize_context_string(std::string_view name) {
  std::string result(name);
  for (size_t pos = 0; pos < result.size(); pos += char_length(result, pos)) {
    if (result[pos] == '@') result[pos] = 'q';
    if (result[pos] == '$') result[pos] = 'z';
  }
  return result;
}

}  // namespace zek
