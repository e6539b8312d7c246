// Reading the parts of a command line: keywords, blanks and numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "source/cursor.h"

namespace zek {

bool is_ascii_letter(char c);
bool is_ascii_digit(char c);

// What may follow a keyword, and what is skipped after it.
enum class KeywordRule {
  // The dot commands and directives: no ASCII letter may follow; one space
  // and any tabs after it are skipped.
  no_letter_follows,
  // The simple commands: neither an ASCII letter nor a digit may follow
  // (".line2" is no ".line"); every blank after it is skipped.
  no_letter_or_digit_follows,
};

// Matches `keyword` at the cursor, ignoring ASCII case, by `rule`. On a match
// the cursor moves past the keyword and the blanks the rule skips, and the
// result is true.
bool match_keyword(Cursor& cursor, std::string_view keyword,
                   KeywordRule rule = KeywordRule::no_letter_follows);

// Skips spaces and tabs.
void skip_blanks(Cursor& cursor);

// Reads an unsigned decimal number at the cursor (no blanks skipped); none
// when no digit stands there. Wraps around as an unsigned 32-bit value.
std::optional<uint32_t> read_number(Cursor& cursor);

}  // namespace zek
