// Knuth-Morris-Pratt search with a character-boundary walk alongside.
#include "source/name_search.h"

#include <cstring>

#include "base/sjis.h"

namespace zek {

NameSearch::NameSearch(std::string_view name) : name_(name), border_(name.size(), 0) {
  size_t k = 0;
  for (size_t i = 1; i < name.size(); ++i) {
    while (k > 0 && name[i] != name[k]) k = border_[k - 1];
    if (name[i] == name[k]) ++k;
    border_[i] = k;
  }
  size_t pos = 0;
  while (pos < name.size()) {
    const size_t length = char_length(name, pos);
    if (length == 1 && is_lead_byte(name[pos])) ends_in_lone_lead_ = true;
    pos += length;
  }
}

size_t NameSearch::find(std::string_view text, size_t from, size_t boundary) const {
  const size_t m = name_.size();
  if (m == 0 || from > text.size() || text.size() - from < m) return std::string_view::npos;
  size_t k = 0;  // bytes of the name matched so far
  for (size_t i = from; i < text.size(); ++i) {
    if (k == 0) {  // nothing matched: on to the next byte that begins the name
      const void* first = std::memchr(text.data() + i, name_[0], text.size() - i);
      if (first == nullptr) return std::string_view::npos;
      i = static_cast<size_t>(static_cast<const char*>(first) - text.data());
    }
    while (k > 0 && text[i] != name_[k]) k = border_[k - 1];
    if (text[i] == name_[k]) ++k;
    if (k < m) continue;
    const size_t start = i + 1 - m;
    k = border_[k - 1];
    while (boundary < start) boundary += char_length(text, boundary);
    if (boundary != start) continue;  // starts on a trail byte
    if (ends_in_lone_lead_ && start + m < text.size()) continue;
    return start;
  }
  return std::string_view::npos;
}

size_t find_name(std::string_view text, std::string_view name) {
  return NameSearch(name).find(text, 0);
}

}  // namespace zek
