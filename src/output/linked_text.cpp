// A text edited by unlinking bytes: navigation, search and edits.
#include "output/linked_text.h"

#include "base/sjis.h"

namespace zek {

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

}  // namespace zek
