// Reading at the cursor: keyword matching, blank skipping and number reading
// for command lines.
#include "source/cursor.h"

namespace zek {

bool is_ascii_letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool is_ascii_digit(char c) {
  return c >= '0' && c <= '9';
}

namespace {
char to_lower_ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool match_keyword(Cursor& cursor, std::string_view keyword, KeywordRule rule) {
  std::string_view rest = cursor.rest();
  if (rest.size() < keyword.size()) return false;
  for (size_t i = 0; i < keyword.size(); ++i) {
    if (to_lower_ascii(rest[i]) != to_lower_ascii(keyword[i])) return false;
  }
  if (rest.size() > keyword.size()) {
    const char next = rest[keyword.size()];
    if (is_ascii_letter(next)) return false;
    if (rule == KeywordRule::no_letter_or_digit_follows && is_ascii_digit(next)) return false;
  }
  cursor.advance(keyword.size());
  if (rule == KeywordRule::no_letter_or_digit_follows) {
    skip_blanks(cursor);
    return true;
  }
  if (cursor.peek() == ' ') cursor.advance();
  while (!cursor.at_end() && cursor.peek() == '\t') cursor.advance();
  return true;
}

void skip_blanks(Cursor& cursor) {
  while (!cursor.at_end() && (cursor.peek() == ' ' || cursor.peek() == '\t')) cursor.advance();
}

std::optional<uint32_t> read_number(Cursor& cursor) {
  if (!is_ascii_digit(cursor.peek())) return std::nullopt;
  uint32_t value = 0;
  while (is_ascii_digit(cursor.peek())) {
    value = value * 10u + static_cast<uint32_t>(cursor.peek() - '0');
    cursor.advance();
  }
  return value;
}

}  // namespace zek
