// Context strings as the Windows Help compiler sees them: the characters it
// accepts, the form in which it compares two of them (letter case does not
// count), and the hash it files them under. Two different context strings
// with the same hash cannot live in one help file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zek {

inline constexpr size_t kMaxContextStringBytes = 255;

// A-Z, a-z, 0-9, "." and "_".
bool is_context_string_char(char c);

// Whether every byte of a non-empty context string is accepted.
bool has_only_context_string_chars(std::string_view context_string);

// The context string with ASCII letters in upper case: two context strings
// with the same key are one and the same to the help compiler.
std::string context_key(std::string_view context_string);

// The help compiler's hash: letters count without regard to case; only
// letters, digits, "." and "_" are meaningful in a context string (other
// bytes hash as 0).
uint32_t help_context_hash(std::string_view context_string);

}  // namespace zek
