// Source files written in UTF-8: those that begin with the UTF-8 byte order
// mark, and every source under -U. Each line is converted to code page 932
// right after it is read, so that everything after sees the help format's own
// character set; what code page 932 cannot hold is reported, never guessed.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "io/code_page.h"

namespace zek {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct Utf8LineResult {
  std::string cp932;  // the line in code page 932; "?" stands for each problem
  // The first problem as an error message: a character that has no code page
  // 932 form ("U+1F600 not in code page 932") or bytes that are no UTF-8
  // ("bad UTF-8 bytes E3 81"); empty when the whole line converted.
  std::string problem;
};

// Converts one line of UTF-8 to code page 932.
Utf8LineResult utf8_line_to_cp932(CodePageConverter& converter, std::string_view line);

// The name to open for `.include <name>` in a file read as UTF-8, given the
// name as converted to code page 932: on POSIX, where file names are the
// bytes the author typed, the UTF-8 name again; on Windows, whose file names
// are in the ANSI code page, the code page 932 name.
std::string include_name_on_host(std::string_view cp932_name);

// Decides per source file whether its lines are UTF-8 and converts them.
class SourceDecoder {
 public:
  explicit SourceDecoder(bool utf8_sources) : utf8_(utf8_sources) {}
  // Takes the line just read (the first one of the file first): drops a byte
  // order mark on the first line, which makes the file UTF-8, and converts a
  // UTF-8 line in place. Returns the problem message, empty when none.
  std::string decode(std::string& line, bool first_line);
  // Whether the lines are UTF-8 (known once the first line is decoded).
  bool is_utf8() const { return utf8_; }

 private:
  bool utf8_;
  std::unique_ptr<CodePageConverter> converter_;
};

}  // namespace zek
