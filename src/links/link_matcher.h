// Decides which names of the NameTable claim which positions of a body line:
// the name automaton finds every name's first accepted occurrence in one pass,
// then the skip rules (linked, current title, aliases of the current topic)
// and the longest-name rule settle the claims. A claim is the name that holds
// a byte position of the line, after longer names have displaced shorter ones
// at the same position. Built once when the table is complete (after pass 1
// and -J).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "links/name_automaton.h"
#include "names/name_table.h"

namespace zek {

struct LinkClaim {
  size_t position = 0;  // byte where the name starts in the line
  size_t length = 0;    // byte length of the name
  int32_t entry = -1;   // index of the NameTable entry

  friend bool operator==(const LinkClaim&, const LinkClaim&) = default;
};

// "entry@position+length", for test messages.
template <typename Stream>
Stream& operator<<(Stream& out, const LinkClaim& claim) {
  out << claim.entry << '@' << claim.position << '+' << claim.length;
  return out;
}

// The claims of one line, ordered by position, one per claimed position.
using LinkClaims = std::vector<LinkClaim>;

class LinkMatcher {
 public:
  LinkMatcher(const NameTable& names, const NameCharTable& is_name_char);

  // Whether the matcher still describes `names` (no entry was added since).
  bool covers(const NameTable& names) const { return names.size() == name_count_; }

  // The claims of `line` inside the topic titled `header_name`, ordered by
  // position. Increments ref_count of every entry that makes a claim.
  const LinkClaims& claim(NameTable& names, std::string_view line, std::string_view header_name);

 private:
  struct Candidate {
    size_t position;
    size_t length;
    int32_t entry;
  };

  void find_title(const NameTable& names, std::string_view header_name);
  bool may_link(const NameTable& names, int32_t entry) const;
  int32_t current_title_entry(const NameTable& names, int32_t before) const;
  void settle_claims(NameTable& names);

  size_t name_count_ = 0;
  // Later entries with the same name: the next one, or -1. Filled while the
  // automaton is built, so it stands before it.
  std::vector<int32_t> next_same_name_;
  // Each entry's owner (for an alias, its header's index + 1), side by side
  // so that the skip rules do not read whole entries.
  std::vector<int32_t> owner_;
  NameAutomaton automaton_;
  // The first entry named like the current topic (-1 when none), kept while
  // the title stays.
  std::optional<std::string> cached_title_;
  int32_t title_entry_ = -1;
  std::vector<Candidate> candidates_;
  LinkClaims claims_;
};

}  // namespace zek
