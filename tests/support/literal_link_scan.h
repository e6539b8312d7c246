// The literal link scan: every entry of the NameTable searched for in the
// line in turn, byte by byte, as the help format describes it. Slow and
// plain on purpose: the reference the name automaton is checked against.
#pragma once

#include <array>
#include <string_view>

#include "links/link_matcher.h"
#include "names/name_table.h"

namespace zek::testing {

// The claims of `line` in the topic titled `header_name`, ordered by
// position; increments ref_count of every entry that makes a claim.
LinkClaims literal_link_claims(NameTable& names, std::string_view line,
                               std::string_view header_name,
                               const std::array<bool, 256>& is_name_char);

// Whether byte `i` of `text` is a trail byte, by a walk from the start.
bool walked_is_trail_byte(std::string_view text, size_t i);

}  // namespace zek::testing
