// Reading a source line: the cursor from which the line loop dispatches and
// what commands read at it (keywords, blanks and numbers), and the state the
// line loop keeps per source file. Commands advance the cursor past what
// they read; consuming the line moves it to the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "names/name_table.h"

namespace zek {

struct Cursor {
  std::string& line;
  size_t pos = 0;
  size_t command_start = 0;  // where the dot command being handled began

  bool at_end() const { return pos >= line.size(); }
  // The byte at the cursor, or NUL at the end of the line.
  char peek() const { return at_end() ? '\0' : line[pos]; }
  std::string_view rest() const {
    return at_end() ? std::string_view() : std::string_view(line).substr(pos);
  }
  void consume() { pos = line.size(); }
  void advance(size_t n = 1) { pos = pos + n < line.size() ? pos + n : line.size(); }
};

// Reading the parts of a command line.

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

// Which of the two passes over the source runs.
enum class Pass {
  collect_names,  // pass 1: no output open; fills the name table, reports errors
  write_output,   // pass 2: writes the output with every name known
};

// Where a line stands in an #if32/#if16 section.
enum class Condition {
  outside,  // no section open
  kept,     // in a section whose lines are kept
  skipped,  // in a section whose lines are dropped
};

// Per source file state of the line loop. A file starts with no section open
// and no header; both are the file's own and end with it.
struct FileState {
  Pass pass = Pass::collect_names;
  Condition condition = Condition::outside;
  // The kind of the latest .popup, .topic or .topic2 of this file; none
  // before the first. Its kind decides how hot spots in a secondary
  // window's topic (.topic2) jump.
  std::optional<NameKind> header_kind;
  bool utf8_source = false;  // the file is read as UTF-8
  std::string_view name;     // the name the file was opened by
};

}  // namespace zek
