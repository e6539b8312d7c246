// A text edited by unlinking bytes: navigation, search and edits.
#include "output/linked_text.h"

namespace zek {

LinkedText::LinkedText(std::string_view text)
    : bytes_(text),
      next_(text.size() + 2),
      prev_(text.size() + 2),
      alive_(text.size(), true),
      trail_(text) {
  // Positions 0..n-1 are the bytes, n the end and n+1 the head.
  const Pos n = text.size();
  for (Pos pos = 0; pos < n; ++pos) {
    next_[pos] = pos + 1;
    prev_[pos] = pos == 0 ? head() : pos - 1;
  }
  next_[head()] = n == 0 ? end() : 0;
  prev_[end()] = n == 0 ? head() : n - 1;
  next_[end()] = end();
  prev_[head()] = head();
}

LinkedText::Pos LinkedText::alive_from(Pos pos) const {
  // A removed byte keeps its link onward, and links always point forward.
  while (pos < end() && !alive_[pos]) pos = next_[pos];
  return pos < end() ? pos : end();
}

LinkedText::Pos LinkedText::skip(Pos pos, size_t count) const {
  for (; count > 0 && pos != end(); --count) pos = next_[pos];
  return pos;
}

bool LinkedText::opens_with(Pos pos, std::string_view word) const {
  for (char c : word) {
    if (pos == end() || bytes_[pos] != c) return false;
    pos = next_[pos];
  }
  return true;
}

LinkedText::Pos LinkedText::find(Pos from, char c) const {
  for (Pos pos = from; pos != end(); pos = next_[pos]) {
    if (bytes_[pos] == c && is_boundary(pos)) return pos;
  }
  return end();
}

void LinkedText::erase(Pos from, Pos to) {
  if (from == to || from == end()) return;
  const Pos before = prev_[from];
  for (Pos pos = from; pos != to && pos != end(); pos = next_[pos]) alive_[pos] = false;
  next_[before] = to;
  prev_[to] = before;
  if (before != head() && to != end()) joins_.push_back(before);
}

void LinkedText::replace(Pos from, Pos to, std::string_view text) {
  Pos pos = from;
  for (char c : text) {
    if (pos == to || pos == end()) return;  // never happens: the text is no longer
    bytes_[pos] = c;
    pos = next_[pos];
  }
  erase(pos, to);
}

std::vector<LinkedText::Pos> LinkedText::take_joins() {
  std::vector<Pos> joins;
  joins.swap(joins_);
  return joins;
}

std::string LinkedText::str() const {
  std::string text;
  for (Pos pos = first(); pos != end(); pos = next_[pos]) text.push_back(bytes_[pos]);
  return text;
}

}  // namespace zek
