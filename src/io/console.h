// The console: standard output and standard error, the character set they
// show, and the error reports on the source written there. The program's own
// texts and source text are code page 932; on a UTF-8 console they are
// converted on the way out. File names are written as they are, in the file
// system's own bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "io/environment.h"

namespace zek {

class CodePageConverter;

// Which character set the console shows: code page 932, the help format's
// own, or UTF-8 when the locale says so.
enum class ConsoleCharset { cp932, utf8 };

// Whether a locale name such as "ja_JP.UTF-8", "C.utf8" or "UTF-8" names the
// UTF-8 character set.
bool names_utf8_locale(std::string_view locale);

// The console's character set by the locale variables as POSIX reads them:
// the first of LC_ALL, LC_CTYPE and LANG that is set and not empty decides.
// Null stands for a variable that is not set.
ConsoleCharset console_charset(const char* lc_all, const char* lc_ctype, const char* lang);

// The character set of this process's console. A Windows console keeps code
// page 932.
ConsoleCharset host_console_charset();

class Console {
 public:
  Console();
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  OutputStream* out = nullptr;  // the -R report, -V lines
  OutputStream* err = nullptr;  // usage, messages, errors, .print
  // Set when the console shows UTF-8.
  std::unique_ptr<CodePageConverter> utf8_converter;

  void write_out(std::string_view text) const;
  void write_err(std::string_view text) const;
  void write_err_name(std::string_view name) const;

 private:
  void write(OutputStream* stream, std::string_view text) const;
};

// Error reports on the source: "<file> <line>: error <message>\n" on
// standard error; every report makes the run fail.
class Diagnostics {
 public:
  explicit Diagnostics(const Console& console) : console_(console) {}

  std::string current_file_name;
  uint32_t current_line_number = 0;
  bool failure_flag = false;

  // "<file> <line>: error <message>\n"; the run fails.
  void report_error(std::string_view message);
  // "cannot open <name>\n".
  void report_cannot_open(std::string_view name) const;

 private:
  const Console& console_;
};

}  // namespace zek
