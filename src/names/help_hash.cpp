// Context-string hash: hash * 43 + the character's code, in 32 bits.
#include "names/help_hash.h"

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

uint32_t help_context_hash(std::string_view context_string) {
  uint32_t hash = 0;
  for (char c : context_string) hash = hash * 43u + character_code(static_cast<unsigned char>(c));
  return hash;
}

}  // namespace zek
