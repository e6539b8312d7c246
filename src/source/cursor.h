// The position in a line from which the line loop dispatches. Commands
// advance it past what they read; consuming the line moves it to the end.
#pragma once

#include <cstddef>
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
