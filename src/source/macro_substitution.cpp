// One row's substitutions in a line.
#include "source/macro_substitution.h"

#include "source/name_search.h"

namespace zek {

namespace {

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

}  // namespace

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

}  // namespace zek
