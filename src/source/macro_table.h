// Text macros defined with #define: the table of rows and the expansion of
// one line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "source/macro_name_index.h"

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

  // The text after "#define": `name` or `name(parameter)`, a tab, the body.
  // Returns empty when the definition was taken, else the error word ("def",
  // "too many def").
  std::string_view define(std::string_view text);
  // The text after "#undef". Returns empty, or "undef" when there is no name.
  std::string_view undefine(std::string_view text);

  // Expands `line` in place. Returns false after "buffer overflow" (the line
  // is then dropped). `trace` receives the whole line after each row that
  // expanded (the "DDDD:" lines of the trace listing); it may be empty.
  bool expand(std::string& line, const std::function<void(std::string_view)>& trace);

  // Empties the table (between the passes).
  void clear();

  // For the checks of -C: the row the latest successful define wrote, and
  // whether it replaced a definition of the same name with another body or
  // parameter; per row, whether it expanded since the table was emptied;
  // whether the latest expand changed its line.
  struct DefineNote {
    size_t row = 0;
    bool changed = false;
  };
  const DefineNote& last_define() const { return last_define_; }
  const std::vector<bool>& expanded_rows() const { return expanded_; }
  bool line_changed() const { return line_changed_; }
  size_t row_count() const { return rows_.size(); }
  const std::vector<MacroEntry>& rows() const { return rows_; }

 private:
  using Trace = std::function<void(std::string_view)>;

  std::optional<size_t> find_row(std::string_view name) const;
  void rebuild_index();
  // The rows, in table order and after `after` (all when none), that are
  // neither blank nor expanded in this line and whose names occur in it.
  void collect_candidates(std::string_view line, std::optional<size_t> after);
  bool is_marked(size_t row) const { return marks_[row] == generation_; }
  // One sweep over the table; false after an overflow.
  bool sweep(std::string& line, const Trace& trace, bool& changed);

  std::vector<MacroEntry> rows_;
  MacroNameIndex index_;
  bool index_stale_ = false;
  // A row is marked (expanded in the current line) when its stamp equals the
  // line's generation, so that no per-line clearing is needed.
  std::vector<uint64_t> marks_;
  std::vector<uint64_t> seen_;
  uint64_t generation_ = 0;
  uint64_t scan_ = 0;
  std::vector<size_t> candidates_;
  DefineNote last_define_;
  std::vector<bool> expanded_;
  bool line_changed_ = false;
};

}  // namespace zek
