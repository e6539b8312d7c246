// The locale test that chooses the console's character set.
#include "io/console_locale.h"

#include <cstdlib>
#include <string>

namespace zek {

namespace {

// The character set part of a locale name: between the "." and any "@"
// modifier, or the whole name when it has no "." ("UTF-8" on some systems).
std::string_view charset_part(std::string_view locale) {
  const size_t dot = locale.find('.');
  std::string_view charset = dot == std::string_view::npos ? locale : locale.substr(dot + 1);
  const size_t at = charset.find('@');
  return at == std::string_view::npos ? charset : charset.substr(0, at);
}

}  // namespace

bool names_utf8_locale(std::string_view locale) {
  std::string letters;
  for (char c : charset_part(locale)) {
    if (c == '-' || c == '_') continue;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    letters.push_back(c);
  }
  return letters == "utf8";
}

ConsoleCharset console_charset(const char* lc_all, const char* lc_ctype, const char* lang) {
  for (const char* value : {lc_all, lc_ctype, lang}) {
    if (value == nullptr || *value == '\0') continue;
    return names_utf8_locale(value) ? ConsoleCharset::utf8 : ConsoleCharset::cp932;
  }
  return ConsoleCharset::cp932;
}

ConsoleCharset host_console_charset() {
#ifdef _WIN32
  return ConsoleCharset::cp932;
#else
  return console_charset(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG"));
#endif
}

}  // namespace zek
