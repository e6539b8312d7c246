// The macro expansion rules carried out literally: every sweep searches the
// line for every row in table order. Slow but plain; it is the reference the
// macro table's expansion is checked against.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "source/macro_table.h"

namespace zek::testing {

struct LiteralExpansion {
  bool kept = true;                // false: "buffer overflow", the line is dropped
  std::string line;                // the expanded line (unspecified when dropped)
  std::vector<std::string> trace;  // the line after each row that expanded
};

// Expands `line` with the rows of a macro table (blank rows have no name).
LiteralExpansion literal_macro_expand(const std::vector<MacroEntry>& rows, std::string line,
                                      size_t max_length = MacroTable::kMaxLineLength);

}  // namespace zek::testing
