// Text macros defined with #define: the table of rows and the expansion of
// one line.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zek {

struct MacroEntry {
  std::optional<std::string> name;  // none: a blank row (after #undef)
  std::string body;
  std::optional<std::string> parameter;
};

class MacroTable {
 public:
  static constexpr size_t kMaxRows = 500;
  static constexpr size_t kMaxLineLength = 1024;

  // Result of a definition: empty when it was taken, else the error word
  // ("def", "too many def", "undef").
  std::string_view define(std::string_view text);
  std::string_view undefine(std::string_view text);

  // Expands `line` in place. Returns false after "buffer overflow" (the line
  // is then dropped). `trace` receives the whole line after each row that
  // expanded (the "DDDD:" lines of the trace listing); it may be empty.
  bool expand(std::string& line, const std::function<void(std::string_view)>& trace);

  // Empties the table (between the passes).
  void clear();
  size_t row_count() const { return rows_.size(); }
  const std::vector<MacroEntry>& rows() const { return rows_; }

 private:
  std::vector<MacroEntry> rows_;
};

}  // namespace zek
