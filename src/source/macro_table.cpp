// The macro table: #define and #undef, and the expansion of a line in
// sweeps over the rows in table order.
#include "source/macro_table.h"

#include <algorithm>

#include "source/macro_substitution.h"

namespace zek {

namespace {

struct Definition {
  std::string_view name;
  std::string_view body;
  std::optional<std::string_view> parameter;
};

// Splits "name(parameter)<tab><tabs>body"; without a tab the body is empty.
// Tabs and parentheses are never trail bytes, so they are found byte by byte.
Definition parse_definition(std::string_view text) {
  Definition definition;
  std::string_view name_part = text;
  if (const size_t tab = text.find('\t'); tab != std::string_view::npos) {
    name_part = text.substr(0, tab);
    const size_t body = text.find_first_not_of('\t', tab);
    if (body != std::string_view::npos) definition.body = text.substr(body);
  }
  definition.name = name_part;
  const size_t open = name_part.find('(');
  if (open == std::string_view::npos || name_part.back() != ')') return definition;
  definition.name = name_part.substr(0, open);
  const std::string_view parameter = name_part.substr(open + 1, name_part.size() - open - 2);
  if (!parameter.empty()) definition.parameter = parameter;
  return definition;
}

std::optional<std::string> owned(std::optional<std::string_view> text) {
  if (!text) return std::nullopt;
  return std::string(*text);
}

}  // namespace

std::optional<size_t> MacroTable::find_row(std::string_view name) const {
  for (size_t row = 0; row < rows_.size(); ++row) {
    if (rows_[row].name && *rows_[row].name == name) return row;
  }
  return std::nullopt;
}

std::string_view MacroTable::define(std::string_view text) {
  if (text.empty()) return "def";
  const Definition definition = parse_definition(text);
  // An empty name would match before every character of every line.
  if (definition.name.empty()) return "def";
  if (const auto row = find_row(definition.name)) {
    MacroEntry& entry = rows_[*row];
    last_define_ = {
        *row, entry.body != definition.body || entry.parameter != owned(definition.parameter)};
    entry.body = std::string(definition.body);
    entry.parameter = owned(definition.parameter);
    return {};
  }
  if (rows_.size() >= kMaxRows) return "too many def";
  rows_.push_back(MacroEntry{std::string(definition.name), std::string(definition.body),
                             owned(definition.parameter)});
  last_define_ = {rows_.size() - 1, false};
  expanded_.resize(rows_.size(), false);
  index_stale_ = true;
  return {};
}

std::string_view MacroTable::undefine(std::string_view text) {
  if (text.empty()) return "undef";
  const std::string_view name = text.substr(0, text.find('\t'));
  if (const auto row = find_row(name)) {
    rows_[*row] = MacroEntry{};  // a blank row: still counted, never reused
    index_stale_ = true;
  }
  return {};
}

void MacroTable::clear() {
  rows_.clear();
  expanded_.clear();
  index_stale_ = true;
}

void MacroTable::rebuild_index() {
  std::vector<std::string_view> names(rows_.size());
  for (size_t row = 0; row < rows_.size(); ++row) {
    if (rows_[row].name) names[row] = *rows_[row].name;
  }
  index_.build(names);
  marks_.assign(rows_.size(), 0);
  seen_.assign(rows_.size(), 0);
  index_stale_ = false;
}

void MacroTable::collect_candidates(std::string_view line, std::optional<size_t> after) {
  ++scan_;
  candidates_.clear();
  index_.scan(line, [&](size_t row) {
    if ((after && row <= *after) || is_marked(row) || seen_[row] == scan_) return;
    seen_[row] = scan_;
    candidates_.push_back(row);
  });
  std::sort(candidates_.begin(), candidates_.end());
}

// A row whose name is absent from the line does nothing in a sweep, and the
// line changes only when a row expands; so only the rows found by the index
// are visited, and the index looks again after each row that expanded.
bool MacroTable::sweep(std::string& line, const Trace& trace, bool& changed) {
  collect_candidates(line, std::nullopt);
  size_t next = 0;
  while (next < candidates_.size()) {
    const size_t row = candidates_[next++];
    const MacroEntry& entry = rows_[row];
    const MacroRow macro{*entry.name, entry.body, entry.parameter};
    const RowOutcome outcome = substitute_row(macro, line, kMaxLineLength);
    if (outcome == RowOutcome::overflow) return false;
    if (outcome == RowOutcome::absent) continue;
    marks_[row] = generation_;
    expanded_[row] = true;
    changed = true;
    if (trace) trace(line);
    collect_candidates(line, row);
    next = 0;
  }
  return true;
}

bool MacroTable::expand(std::string& line, const Trace& trace) {
  line_changed_ = false;
  if (rows_.empty()) return true;
  if (index_stale_) rebuild_index();
  ++generation_;
  while (true) {
    bool changed = false;
    if (!sweep(line, trace, changed)) return false;
    if (!changed) return true;
    line_changed_ = true;
  }
}

}  // namespace zek
