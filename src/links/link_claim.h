// A claim of link insertion: the name that holds a byte position of a body
// line, after longer names have displaced shorter ones at the same position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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

}  // namespace zek
