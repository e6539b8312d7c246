// The claims of a body line: candidates from the automaton, the skip rules
// and the longest-name rule.
#include "links/link_matcher.h"

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

std::vector<int32_t> owners(const NameTable& names) {
  std::vector<int32_t> owner;
  owner.reserve(names.size());
  for (const NameEntry& entry : names.entries()) owner.push_back(entry.owner);
  return owner;
}

}  // namespace

LinkMatcher::LinkMatcher(const NameTable& names, const NameCharTable& is_name_char)
    : name_count_(names.size()),
      owner_(owners(names)),
      automaton_(first_entries(names, next_same_name_), is_name_char) {}

void LinkMatcher::find_title(const NameTable& names, std::string_view header_name) {
  if (!cached_title_ || header_name != *cached_title_) {
    cached_title_ = std::string(header_name);
    title_entry_ = names.find(header_name);
  }
}

// The latest entry before `before` that bears the current title and is not
// linked (-1 when none): the topic whose aliases are not linked.
int32_t LinkMatcher::current_title_entry(const NameTable& names, int32_t before) const {
  int32_t latest = -1;
  for (int32_t i = title_entry_; i >= 0 && i < before; i = next_same_name_[i]) {
    if (!names.linked(i)) latest = i;
  }
  return latest;
}

// `entry` is the first entry of its name, so it bears the current title
// exactly when it is the title's first entry.
bool LinkMatcher::may_link(const NameTable& names, int32_t entry) const {
  if (names.linked(entry) || entry == title_entry_) return false;
  const int32_t owner = owner_[entry];
  return owner == 0 || owner - 1 != current_title_entry(names, entry);
}

// At each position the longest name wins, ties going to the lower index;
// every entry that takes a position over, even for a while, counts a claim.
// The candidates come ordered by where they end, so by where they start they
// are nearly in order: an insertion sort.
void LinkMatcher::settle_claims(NameTable& names) {
  const auto before = [](const Candidate& a, const Candidate& b) {
    // Without branches: the comparison is hard to predict.
    return (a.position < b.position) | ((a.position == b.position) & (a.entry < b.entry));
  };
  for (size_t i = 1; i < candidates_.size(); ++i) {
    const Candidate moving = candidates_[i];
    size_t j = i;
    for (; j > 0 && before(moving, candidates_[j - 1]); --j) candidates_[j] = candidates_[j - 1];
    candidates_[j] = moving;
  }
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
  find_title(names, header_name);
  automaton_.find_first_occurrences(line, [&](int32_t entry, size_t start, size_t length) {
    if (may_link(names, entry)) candidates_.push_back({start, length, entry});
  });
  if (!candidates_.empty()) settle_claims(names);
  return claims_;
}

}  // namespace zek
