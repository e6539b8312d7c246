// The hash the Windows Help compiler computes from a context string. Two
// different context strings with the same hash cannot live in one help file.
#pragma once

#include <cstdint>
#include <string_view>

namespace zek {

// Letters count without regard to case; only letters, digits, "." and "_"
// are meaningful in a context string (other bytes hash as 0).
uint32_t help_context_hash(std::string_view context_string);

}  // namespace zek
