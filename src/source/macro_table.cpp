// The macro table: #define and #undef, and the expansion of a line in
// sweeps over the rows in table order, each row substituted throughout the
// line where its name occurs at character boundaries.
#include "source/macro_table.h"

#include <algorithm>
#include <cstring>

#include "base/sjis.h"

namespace zek {

namespace {

// Searching source text for a macro name (or a parameter name) at character
// boundaries: an occurrence must begin on a character of its own and must not
// end in the middle of a double-byte character, so that a name never matches
// a trail byte. Knuth-Morris-Pratt with a character-boundary walk alongside:
// linear in the text and the name, whatever they hold.
class NameSearch {
 public:
  explicit NameSearch(std::string_view name);

  // The first occurrence of the name in `text` at or after `from`, or npos.
  // `boundary` is a character boundary of `text` at or before `from`, from
  // which the character boundaries are counted (0 always does).
  size_t find(std::string_view text, size_t from, size_t boundary = 0) const;

 private:
  std::string_view name_;
  std::vector<size_t> border_;  // longest proper border of each prefix (KMP)
  // The name ends in a lead byte that would take the text's next byte as
  // its trail byte.
  bool ends_in_lone_lead_ = false;
};

NameSearch::NameSearch(std::string_view name) : name_(name), border_(name.size(), 0) {
  size_t k = 0;
  for (size_t i = 1; i < name.size(); ++i) {
    while (k > 0 && name[i] != name[k]) k = border_[k - 1];
    if (name[i] == name[k]) ++k;
    border_[i] = k;
  }
  size_t pos = 0;
  while (pos < name.size()) {
    const size_t length = char_length(name, pos);
    if (length == 1 && is_lead_byte(name[pos])) ends_in_lone_lead_ = true;
    pos += length;
  }
}

size_t NameSearch::find(std::string_view text, size_t from, size_t boundary) const {
  const size_t m = name_.size();
  if (m == 0 || from > text.size() || text.size() - from < m) return std::string_view::npos;
  size_t k = 0;  // bytes of the name matched so far
  for (size_t i = from; i < text.size(); ++i) {
    if (k == 0) {  // nothing matched: on to the next byte that begins the name
      const void* first = std::memchr(text.data() + i, name_[0], text.size() - i);
      if (first == nullptr) return std::string_view::npos;
      i = static_cast<size_t>(static_cast<const char*>(first) - text.data());
    }
    while (k > 0 && text[i] != name_[k]) k = border_[k - 1];
    if (text[i] == name_[k]) ++k;
    if (k < m) continue;
    const size_t start = i + 1 - m;
    k = border_[k - 1];
    while (boundary < start) boundary += char_length(text, boundary);
    if (boundary != start) continue;  // starts on a trail byte
    if (ends_in_lone_lead_ && start + m < text.size()) continue;
    return start;
  }
  return std::string_view::npos;
}

// A single search from the start of `text`.
size_t find_name(std::string_view text, std::string_view name) {
  return NameSearch(name).find(text, 0);
}

// Substituting one macro row throughout a line: every occurrence of its name
// from left to right, in the plain form or the parameter form, each search
// going on right behind the text the previous substitution inserted.
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

// What replaces one occurrence: the span of the line it covers and the text.
struct Replacement {
  size_t span = 0;
  std::string_view head;    // body text before the parameter (or the whole body)
  std::string_view middle;  // the argument in place of the parameter, if any
  std::string_view tail;    // body text after the parameter
  size_t size() const { return head.size() + middle.size() + tail.size(); }
};

// The parameter form when the name is followed directly by "(" and a ")"
// stands somewhere behind it; otherwise the plain form.
Replacement replacement_at(const MacroRow& row, std::string_view line, size_t start) {
  const size_t end = start + row.name.size();
  Replacement plain{row.name.size(), row.body, {}, {}};
  if (!row.parameter || end >= line.size() || line[end] != '(') return plain;
  const size_t close = line.find(')', end + 1);
  if (close == std::string_view::npos) return plain;
  const std::string_view argument = line.substr(end + 1, close - end - 1);
  Replacement call{close + 1 - start, row.body, {}, {}};
  const size_t at = find_name(row.body, *row.parameter);
  if (at != std::string_view::npos) {
    call.head = row.body.substr(0, at);
    call.middle = argument;
    call.tail = row.body.substr(at + row.parameter->size());
  }
  return call;
}

// Replaces the occurrences of `row` in `line`. On overflow the line is left
// as it stood before the substitution that did not fit.
RowOutcome substitute_row(const MacroRow& row, std::string& line, size_t max_length) {
  const NameSearch search(row.name);
  RowOutcome outcome = RowOutcome::absent;
  size_t from = 0;
  size_t boundary = 0;  // a character boundary at or before `from`
  while (true) {
    const size_t start = search.find(line, from, boundary);
    if (start == std::string::npos) return outcome;
    const Replacement r = replacement_at(row, line, start);
    if (line.size() - r.span + r.size() > max_length) return RowOutcome::overflow;
    std::string text;
    text.reserve(r.size());
    text.append(r.head).append(r.middle).append(r.tail);
    line.replace(start, r.span, text);
    outcome = RowOutcome::expanded;
    // Nothing before `start` changed, so it is still a boundary.
    boundary = start;
    from = start + text.size();
  }
}

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
