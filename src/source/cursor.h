// The position in a line from which the line loop dispatches. Commands
// advance it past what they read; consuming the line moves it to the end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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

// Per source file state of the line loop.
struct FileState {
  int pass = 0;              // 0: pass 1, 1: pass 2
  int condition_state = -1;  // -1 outside a section, 1 kept, 0 skipped
  int header_type = -1;      // -1 none, 0 .popup, 1 .topic, 2 .topic2
  bool utf8_source = false;  // the file is read as UTF-8
  std::string_view name;     // the name the file was opened by
};

}  // namespace zek
