// Markup rules of the plain rendering. Each sweep applies the first rule, in
// the order of kRules, whose opening occurs in the text, to its first
// occurrence, until no opening is left. Every rule removes the "{" of its
// opening and none writes one, so the sweeps end. Openings, closing braces
// and commas count only at character boundaries, so a trail byte "{" or "}"
// of a double-byte character is never taken for markup.
#include "output/markup_rules.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/sjis.h"
#include "output/linked_text.h"

namespace zek {

namespace {

using Pos = LinkedText::Pos;

Pos skip_spaces(const LinkedText& t, Pos pos) {
  while (pos != t.end() && t.at(pos) == ' ') pos = t.next(pos);
  return pos;
}

Pos after_close(const LinkedText& t, Pos close) {
  return close == t.end() ? close : t.next(close);
}

// "{\uldb" and "{\strike": the opening, the spaces after it and the next "}"
// go; the hot spot's text stays.
void unwrap_group(LinkedText& t, Pos start, Pos after) {
  const Pos text = skip_spaces(t, after);
  t.erase(start, text);
  const Pos close = t.find(text, '}');
  if (close != t.end()) t.erase(close, t.next(close));
}

// "{\v": the hidden jump code goes whole; unclosed, the text ends at the "{".
void drop_group(LinkedText& t, Pos start, Pos after) {
  t.erase(start, after_close(t, t.find(after, '}')));
}

// "{bm" and "{ew": a bitmap or embedded window becomes the placeholder "??";
// unclosed, the text ends at the "{".
void placeholder(LinkedText& t, Pos start, Pos after) {
  const Pos close = t.find(after, '}');
  if (close == t.end()) {
    t.erase(start, t.end());
  } else {
    t.replace(start, t.next(close), "??");
  }
}

// "{button label,macro}" becomes "<label>"; without a "}" after the comma the
// text ends at the comma, without a comma only the opening changes.
void button(LinkedText& t, Pos start, Pos after) {
  t.replace(start, skip_spaces(t, after), "<");
  const Pos comma = t.find(t.next(start), ',');
  if (comma == t.end()) return;
  const Pos close = t.find(comma, '}');
  if (close == t.end()) {
    t.erase(comma, t.end());
  } else {
    t.replace(comma, t.next(close), ">");
  }
}

bool is_footnote_mark(char c) {
  return c == '!' || c == '#' || c == '$' || c == '+' || c == 'K';
}

// "{\footnote": the group goes with its text (an unclosed group leaves its
// text), and so does the reference mark in front of it.
void footnote(LinkedText& t, Pos start, Pos after) {
  const Pos text = skip_spaces(t, after);
  const Pos close = t.find(text, '}');
  const Pos mark = t.prev(start);
  t.erase(start, close == t.end() ? text : t.next(close));
  if (mark != t.head() && t.is_boundary(mark) && is_footnote_mark(t.at(mark))) {
    t.erase(mark, t.next(mark));
  }
}

struct Rule {
  std::string_view opening;
  void (*apply)(LinkedText& t, Pos start, Pos after_opening);
};

constexpr std::array<Rule, 7> kRules = {{
    {"{\\uldb", unwrap_group},
    {"{\\strike", unwrap_group},
    {"{\\v", drop_group},
    {"{bm", placeholder},
    {"{ew", placeholder},
    {"{button", button},
    {"{\\footnote", footnote},
}};

using FirstOpenings = std::array<Pos, kRules.size()>;

Pos find_opening(const LinkedText& t, Pos from, std::string_view opening) {
  for (Pos pos = t.find(from, '{'); pos != t.end(); pos = t.find(t.next(pos), '{')) {
    if (t.opens_with(pos, opening)) return pos;
  }
  return t.end();
}

constexpr size_t kLongestOpening = [] {
  size_t longest = 0;
  for (const Rule& rule : kRules) longest = std::max(longest, rule.opening.size());
  return longest;
}();

// Openings that an erase formed by joining bytes: each starts at most
// kLongestOpening - 1 bytes before the join and runs across it. Earlier ones
// replace the rules' entries in `first`.
void find_across(const LinkedText& t, Pos join, FirstOpenings& first) {
  Pos pos = join;
  for (size_t i = 1; i < kLongestOpening && t.prev(pos) != t.head(); ++i) pos = t.prev(pos);
  for (;; pos = t.next(pos)) {
    if (t.at(pos) == '{' && t.is_boundary(pos)) {
      for (size_t r = 0; r < kRules.size(); ++r) {
        if (pos < first[r] && t.opens_with(pos, kRules[r].opening)) first[r] = pos;
      }
    }
    if (pos == join) return;
  }
}

// After an edit: each rule's first opening is the old one if it survived, or
// the next one after it, unless the edit formed an earlier one at a join.
void update_first(const LinkedText& t, FirstOpenings& first, const std::vector<Pos>& joins) {
  for (size_t r = 0; r < kRules.size(); ++r) {
    const std::string_view opening = kRules[r].opening;
    const Pos old = first[r];
    if (old != t.end() && !(t.alive(old) && t.opens_with(old, opening))) {
      first[r] = find_opening(t, t.alive_from(old), opening);
    }
  }
  for (Pos join : joins) {
    if (t.alive(join)) find_across(t, join, first);  // positions keep their order
  }
}

// Whether any rule's opening occurs: most braces in text open none, and such
// texts skip the rules without building anything.
bool has_opening(std::string_view text) {
  for (size_t pos = text.find('{'); pos != std::string_view::npos; pos = text.find('{', pos + 1)) {
    const std::string_view rest = text.substr(pos);
    for (const Rule& rule : kRules) {
      if (rest.starts_with(rule.opening) && !is_trail_byte(text, pos)) return true;
    }
  }
  return false;
}

}  // namespace

std::optional<std::string> strip_markup(std::string_view text) {
  if (!has_opening(text)) return std::nullopt;
  LinkedText t(text);
  FirstOpenings first;
  for (size_t r = 0; r < kRules.size(); ++r) {
    first[r] = find_opening(t, t.first(), kRules[r].opening);
  }
  bool applied = false;
  for (;;) {
    size_t r = 0;
    while (r < kRules.size() && first[r] == t.end()) ++r;
    if (r == kRules.size()) break;
    const Rule& rule = kRules[r];
    rule.apply(t, first[r], t.skip(first[r], rule.opening.size()));
    applied = true;
    update_first(t, first, t.joins());
    t.clear_joins();
  }
  if (!applied) return std::nullopt;
  return t.str();
}

}  // namespace zek
