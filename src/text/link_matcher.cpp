// The claims of a body line: candidates from the automaton, the skip rules
// and the longest-name rule.
#include "text/link_matcher.h"

#include <algorithm>
#include <unordered_map>

namespace zek {

namespace {

// Only the first entry of a name links: a header or alias that repeats a
// name writes the first entry's context string, so the later entry's own
// context string is never defined and a jump to it would lead nowhere.
std::vector<NamePattern> first_entries(const NameTable& names, std::vector<int32_t>& next_same) {
  std::vector<NamePattern> patterns;
  std::unordered_map<std::string_view, int32_t> last_with_name;
  next_same.assign(names.size(), -1);
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string_view name = names[i].name;
    const auto entry = static_cast<int32_t>(i);
    auto [it, inserted] = last_with_name.try_emplace(name, entry);
    if (!inserted) {
      next_same[it->second] = entry;
      it->second = entry;
    } else if (!name.empty()) {
      patterns.push_back({entry, name});
    }
  }
  return patterns;
}

}  // namespace

LinkMatcher::LinkMatcher(const NameTable& names, const NameCharTable& is_name_char)
    : name_count_(names.size()), automaton_(first_entries(names, next_same_name_), is_name_char) {}

// The latest entry before `before` that bears the current title and is not
// linked (-1 when none): the topic whose aliases are not linked.
int32_t LinkMatcher::current_title_entry(const NameTable& names, int32_t before,
                                         std::string_view header_name) {
  if (!cached_title_ || header_name != *cached_title_) {
    cached_title_ = std::string(header_name);
    cached_title_entry_ = names.find(header_name);
  }
  int32_t latest = -1;
  for (int32_t i = cached_title_entry_; i >= 0 && i < before; i = next_same_name_[i]) {
    if (!names[i].linked) latest = i;
  }
  return latest;
}

bool LinkMatcher::may_link(const NameTable& names, int32_t entry, std::string_view header_name) {
  const NameEntry& e = names[entry];
  if (e.linked) return false;
  if (e.name == header_name) return false;
  return e.owner == 0 || e.owner - 1 != current_title_entry(names, entry, header_name);
}

// At each position the longest name wins, ties going to the lower index;
// every entry that takes a position over, even for a while, counts a claim.
void LinkMatcher::settle_claims(NameTable& names) {
  std::sort(candidates_.begin(), candidates_.end(), [](const Candidate& a, const Candidate& b) {
    return a.position != b.position ? a.position < b.position : a.entry < b.entry;
  });
  for (size_t i = 0; i < candidates_.size();) {
    const size_t position = candidates_[i].position;
    LinkClaim holder{position, 0, -1};
    for (; i < candidates_.size() && candidates_[i].position == position; ++i) {
      if (candidates_[i].length <= holder.length) continue;
      holder.length = candidates_[i].length;
      holder.entry = candidates_[i].entry;
      ++names[holder.entry].ref_count;
    }
    claims_.push_back(holder);
  }
}

const LinkClaims& LinkMatcher::claim(NameTable& names, std::string_view line,
                                     std::string_view header_name) {
  candidates_.clear();
  claims_.clear();
  automaton_.find_first_occurrences(line, [&](int32_t entry, size_t start, size_t length) {
    if (may_link(names, entry, header_name)) candidates_.push_back({start, length, entry});
  });
  if (!candidates_.empty()) settle_claims(names);
  return claims_;
}

}  // namespace zek
