// Context-string characters and the case-blind key.
#include "names/context_rules.h"

namespace zek {

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

}  // namespace zek
