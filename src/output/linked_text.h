// A text that markup removal edits in place. Removed bytes are unlinked, never
// moved, and a replacement is written over the first bytes of the range it
// replaces, so positions keep their order while the text shrinks and an edit
// costs only the bytes it touches. Every edit removes or overwrites whole
// characters, so the character boundaries stay those of the original text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zek {

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

}  // namespace zek
