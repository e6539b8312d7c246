// Substituting one macro row throughout a line: every occurrence of its name
// from left to right, in the plain form or the parameter form, each search
// going on right behind the text the previous substitution inserted.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zek {

enum class RowOutcome {
  absent,    // the name does not occur; the line is unchanged
  expanded,  // at least one occurrence was replaced
  overflow,  // a substitution would make the line longer than the limit
};

struct MacroRow {
  std::string_view name;
  std::string_view body;
  std::optional<std::string_view> parameter;
};

// Replaces the occurrences of `row` in `line`. On overflow the line is left
// as it stood before the substitution that did not fit.
RowOutcome substitute_row(const MacroRow& row, std::string& line, size_t max_length);

}  // namespace zek
