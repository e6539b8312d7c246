// Searching source text for a macro name (or a parameter name) at character
// boundaries: an occurrence must begin on a character of its own and must not
// end in the middle of a double-byte character, so that a name never matches
// a trail byte. Linear in the text and the name, whatever they hold.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace zek {

class NameSearch {
 public:
  explicit NameSearch(std::string_view name);

  // The first occurrence of the name in `text` at or after `from`, or npos.
  // `boundary` is a character boundary of `text` at or before `from`, from
  // which the character boundaries are counted (0 always does).
  size_t find(std::string_view text, size_t from, size_t boundary = 0) const;

 private:
  std::string_view name_;
  std::vector<size_t> border_;  // longest proper border of each prefix (KMP)
  // The name ends in a lead byte that would take the text's next byte as
  // its trail byte.
  bool ends_in_lone_lead_ = false;
};

// Convenience for a single search from the start of `text`.
size_t find_name(std::string_view text, std::string_view name);

}  // namespace zek
