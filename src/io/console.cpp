// The console writes: program texts through the UTF-8 converter when the
// console shows UTF-8, file names as they are; the locale test that chooses
// the console's character set; and the error reports in the frame the help
// author sees (file names as they are; the message, which may quote source
// text, is console text).
#include "io/console.h"

#include <cstdlib>

#include "base/cat.h"
#include "io/code_page.h"

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

Console::Console() = default;
Console::~Console() = default;

void Console::write(OutputStream* stream, std::string_view text) const {
  if (stream == nullptr) return;
  if (utf8_converter) {
    stream->write(utf8_converter->to_utf8(text));
  } else {
    stream->write(text);
  }
}

void Console::write_out(std::string_view text) const {
  write(out, text);
}

void Console::write_err(std::string_view text) const {
  write(err, text);
}

void Console::write_err_name(std::string_view name) const {
  if (err != nullptr) err->write(name);
}

void Diagnostics::report_error(std::string_view message) {
  console_.write_err_name(current_file_name);
  console_.write_err(cat(' ', current_line_number, ": error ", message, '\n'));
  failure_flag = true;
}

void Diagnostics::report_cannot_open(std::string_view name) const {
  console_.write_err_name(cat("cannot open ", name, '\n'));
}

}  // namespace zek
