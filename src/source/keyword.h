// Reading the parts of a command line: keywords, blanks and numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "source/cursor.h"

namespace zek {

bool is_ascii_letter(char c);
bool is_ascii_digit(char c);

// Matches `keyword` at the cursor, ignoring ASCII case; it must not be
// followed by an ASCII letter. On a match the cursor moves past the keyword,
// one space and any tabs, and the result is true.
bool match_keyword(Cursor& cursor, std::string_view keyword);

// Skips spaces and tabs.
void skip_blanks(Cursor& cursor);

// Reads an unsigned decimal number at the cursor (no blanks skipped); none
// when no digit stands there. Wraps around as an unsigned 32-bit value.
std::optional<uint32_t> read_number(Cursor& cursor);

}  // namespace zek
