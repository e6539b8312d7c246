// Plain-text writer of text mode: the markup rules, then the byte rules. Most
// texts hold no "{" and so no markup; they skip the rules, and runs of
// ordinary bytes go out in one piece.
//
// The markup rules work on a LinkedText, a text edited in place. Each sweep
// applies the first rule, in the order of kRules, whose opening occurs in the
// text, to its first occurrence, until no opening is left. Every rule removes
// the "{" of its opening and none writes one, so the sweeps end. Openings,
// closing braces and commas count only at character boundaries, so a trail
// byte "{" or "}" of a double-byte character is never taken for markup.
#include "output/plain.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/sjis.h"
#include "output/writer.h"

namespace zek {

namespace {

// A text that markup removal edits in place. Removed bytes are unlinked, never
// moved, and a replacement is written over the first bytes of the range it
// replaces, so positions keep their order while the text shrinks and an edit
// costs only the bytes it touches. Every edit removes or overwrites whole
// characters, so the character boundaries stay those of the original text.
class LinkedText {
 public:
  using Pos = size_t;

  explicit LinkedText(std::string_view text);

  // The first byte, and the position after the last byte.
  Pos first() const { return nodes_[head()].next; }
  Pos end() const { return bytes_.size(); }
  // The position before the first byte.
  Pos head() const { return bytes_.size() + 1; }

  Pos next(Pos pos) const { return nodes_[pos].next; }
  Pos prev(Pos pos) const { return nodes_[pos].prev; }
  char at(Pos pos) const { return bytes_[pos]; }
  bool alive(Pos pos) const { return pos < end() && nodes_[pos].alive; }
  bool is_boundary(Pos pos) const { return !nodes_[pos].trail; }

  // The first byte still in the text at or after `pos`, which may be removed.
  Pos alive_from(Pos pos) const;
  // The position `count` bytes on from `pos` (or end()).
  Pos skip(Pos pos, size_t count) const;
  // Whether the bytes from `pos` on spell `word`.
  bool opens_with(Pos pos, std::string_view word) const {
    for (char c : word) {
      if (pos == end() || bytes_[pos] != c) return false;
      pos = nodes_[pos].next;
    }
    return true;
  }
  // The first `c` at a character boundary from `from` on, or end().
  Pos find(Pos from, char c) const;

  // Removes the bytes from `from` up to `to` (exclusive; end() cuts the text off).
  void erase(Pos from, Pos to);
  // Replaces the bytes from `from` up to `to` by `text`, which is no longer.
  void replace(Pos from, Pos to, std::string_view text);

  // Bytes after which an erase joined two formerly separate parts, since the
  // last clear_joins().
  const std::vector<Pos>& joins() const { return joins_; }
  void clear_joins() { joins_.clear(); }

  std::string str() const;

 private:
  struct Node {
    Pos next;
    Pos prev;
    bool alive;
    bool trail;  // the second byte of a double-byte character
  };
  std::string bytes_;
  std::vector<Node> nodes_;  // by position; end() and head() are sentinels
  std::vector<Pos> joins_;
};

// A text edited by unlinking bytes: navigation, search and edits.
LinkedText::LinkedText(std::string_view text) : bytes_(text) {
  // Positions 0..n-1 are the bytes, n the end and n+1 the head.
  const Pos n = text.size();
  nodes_.reserve(n + 2);
  bool trail = false;
  for (Pos pos = 0; pos < n; ++pos) {
    nodes_.push_back(Node{pos + 1, pos == 0 ? head() : pos - 1, true, trail});
    trail = !trail && is_lead_byte(text[pos]);
  }
  nodes_.push_back(Node{end(), n == 0 ? head() : n - 1, false, false});  // end
  nodes_.push_back(Node{n == 0 ? end() : 0, head(), false, false});      // head
  joins_.reserve(4);
}

LinkedText::Pos LinkedText::alive_from(Pos pos) const {
  // A removed byte keeps its link onward, and links always point forward.
  while (pos < end() && !nodes_[pos].alive) pos = nodes_[pos].next;
  return pos < end() ? pos : end();
}

LinkedText::Pos LinkedText::skip(Pos pos, size_t count) const {
  for (; count > 0 && pos != end(); --count) pos = nodes_[pos].next;
  return pos;
}

LinkedText::Pos LinkedText::find(Pos from, char c) const {
  // Positions keep their order, so a byte search over all bytes, removed ones
  // included, meets the text's bytes in order; removed hits are passed over.
  for (Pos pos = bytes_.find(c, from); pos != std::string::npos; pos = bytes_.find(c, pos + 1)) {
    if (nodes_[pos].alive && is_boundary(pos)) return pos;
  }
  return end();
}

void LinkedText::erase(Pos from, Pos to) {
  if (from == to || from == end()) return;
  const Pos before = nodes_[from].prev;
  for (Pos pos = from; pos != to && pos != end(); pos = nodes_[pos].next) nodes_[pos].alive = false;
  nodes_[before].next = to;
  nodes_[to].prev = before;
  if (before != head() && to != end()) joins_.push_back(before);
}

void LinkedText::replace(Pos from, Pos to, std::string_view text) {
  Pos pos = from;
  for (char c : text) {
    if (pos == to || pos == end()) return;  // never happens: the text is no longer
    bytes_[pos] = c;
    pos = nodes_[pos].next;
  }
  erase(pos, to);
}

std::string LinkedText::str() const {
  std::string text;
  Pos pos = first();
  while (pos != end()) {
    // Bytes between two removals go out as one run.
    Pos last = pos;
    while (nodes_[last].next == last + 1 && last + 1 != end()) ++last;
    text.append(bytes_, pos, last + 1 - pos);
    pos = nodes_[last].next;
  }
  return text;
}

}  // namespace

// The markup rules.
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

namespace {

bool is_dropped_control(unsigned char byte) {
  return byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n';
}

// End of the run of bytes from `pos` that go out unchanged; a double-byte
// character counts whole, so its trail byte is never taken for "{", "}" or "\".
size_t run_end(std::string_view text, size_t pos, bool raw) {
  while (pos < text.size()) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (is_lead_byte(byte)) {
      pos += char_length(text, pos);
      continue;
    }
    if (is_dropped_control(byte)) break;
    if (raw && (byte == '{' || byte == '}' || byte == '\\')) break;
    ++pos;
  }
  return pos;
}

// Position after a control word of a raw region (the backslash at `pos` up to
// the next space or control byte) and after the spaces and tabs behind it.
size_t skip_control_word(std::string_view text, size_t pos) {
  ++pos;
  while (pos < text.size() && text[pos] != ' ' && static_cast<unsigned char>(text[pos]) >= 0x20) {
    pos += char_length(text, pos);
  }
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  return pos;
}

}  // namespace

void write_plain_bytes(Sink& out, std::string_view text) {
  bool raw = false;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = run_end(text, pos, raw);
    if (end > pos) {
      out.put(text.substr(pos, end - pos));
      pos = end;
      continue;
    }
    const char byte = text[pos];
    if (byte == '\\') {  // only a raw region stops a run at a backslash
      pos = skip_control_word(text, pos);
      continue;
    }
    if (byte == kRawOn) raw = true;
    if (byte == kRawOff) raw = false;
    ++pos;  // a brace of a raw region or a control byte: dropped
  }
}

void write_plain(Sink& out, std::string_view text) {
  if (text.find('{') == std::string_view::npos) {
    write_plain_bytes(out, text);
    return;
  }
  const std::optional<std::string> stripped = strip_markup(text);
  if (!stripped) {
    write_plain_bytes(out, text);
  } else if (*stripped != "\r\n") {
    write_plain_bytes(out, *stripped);
  }
}

}  // namespace zek
