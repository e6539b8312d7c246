// Context-string characters, the case-blind key, and the hash: hash * 43 +
// the character's code, in 32 bits.
#include "names/context_strings.h"

namespace zek {

namespace {
uint32_t character_code(unsigned char c) {
  if (c >= '1' && c <= '9') return c - '0';
  if (c == '0') return 10;
  if (c == '.') return 12;
  if (c == '_') return 13;
  if (c >= 'A' && c <= 'Z') return 17u + (c - 'A');
  if (c >= 'a' && c <= 'z') return 17u + (c - 'a');
  return 0;
}
}  // namespace

bool is_context_string_char(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '_';
}

bool has_only_context_string_chars(std::string_view context_string) {
  if (context_string.empty()) return false;
  for (char c : context_string) {
    if (!is_context_string_char(c)) return false;
  }
  return true;
}

std::string context_key(std::string_view context_string) {
  std::string key(context_string);
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

uint32_t help_context_hash(std::string_view context_string) {
  uint32_t hash = 0;
  for (char c : context_string) hash = hash * 43u + character_code(static_cast<unsigned char>(c));
  return hash;
}

}  // namespace zek
