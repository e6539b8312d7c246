// Literal sweeps of the macro expansion rules.
#include "support/literal_macro_expand.h"

#include "base/sjis.h"

namespace zek::testing {

namespace {

bool is_boundary(const std::string& text, size_t pos) {
  return pos >= text.size() || !is_trail_byte(text, pos);
}

// The first occurrence of `name` at or after `from` that begins and ends at
// character boundaries.
size_t find_from(const std::string& text, const std::string& name, size_t from) {
  for (size_t pos = from; pos + name.size() <= text.size(); ++pos) {
    if (text.compare(pos, name.size(), name) == 0 && is_boundary(text, pos) &&
        is_boundary(text, pos + name.size())) {
      return pos;
    }
  }
  return std::string::npos;
}

// Replaces the occurrence of `entry` at `start`; returns the replacement's size.
size_t substitute(const MacroEntry& entry, std::string& line, size_t start) {
  const size_t end = start + entry.name->size();
  std::string replacement = entry.body;
  size_t span = entry.name->size();
  if (entry.parameter && end < line.size() && line[end] == '(') {
    const size_t close = line.find(')', end + 1);
    if (close != std::string::npos) {
      const std::string argument = line.substr(end + 1, close - end - 1);
      const size_t at = find_from(entry.body, *entry.parameter, 0);
      if (at != std::string::npos) replacement.replace(at, entry.parameter->size(), argument);
      span = close + 1 - start;
    }
  }
  line.replace(start, span, replacement);
  return replacement.size();
}

}  // namespace

LiteralExpansion literal_macro_expand(const std::vector<MacroEntry>& rows, std::string line,
                                      size_t max_length) {
  LiteralExpansion result;
  std::vector<bool> marks(rows.size(), false);
  bool changed = true;
  while (changed) {
    changed = false;
    for (size_t i = 0; i < rows.size(); ++i) {
      if (!rows[i].name || rows[i].name->empty() || marks[i]) continue;
      bool expanded = false;
      size_t pos = 0;
      while ((pos = find_from(line, *rows[i].name, pos)) != std::string::npos) {
        changed = true;
        pos += substitute(rows[i], line, pos);
        marks[i] = true;
        if (line.size() > max_length) {
          result.kept = false;
          result.line = line;
          return result;
        }
        expanded = true;
      }
      if (expanded) result.trace.push_back(line);
    }
  }
  result.line = std::move(line);
  return result;
}

}  // namespace zek::testing
