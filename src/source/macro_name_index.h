// Which macro rows occur in a line: one Aho-Corasick pass over the line finds
// every name of the table at once, so that a line that uses no macro costs
// the same however many macros are defined.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zek {

class MacroNameIndex {
 public:
  // Rebuilds the automaton over `names`; names[i] is the name of row i, or
  // empty for a row that takes part in no search.
  void build(const std::vector<std::string_view>& names);

  // Calls `found(row)` for the row of every name that occurs in `text` as a
  // byte string (character boundaries are left to the caller), possibly more
  // than once per row.
  template <typename Found>
  void scan(std::string_view text, Found&& found) const;

 private:
  // Children are kept as a list of siblings: a name's nodes cost a few
  // words each, however long the names are.
  struct Node {
    int32_t first_child = -1;
    int32_t next_sibling = -1;
    int32_t fail = 0;
    int32_t row = -1;         // the row whose name ends here
    int32_t output_link = 0;  // nearest node on the fail chain with a row; 0 none
    unsigned char byte = 0;   // the byte that leads here from the parent
  };

  int32_t child(int32_t node, unsigned char byte) const;
  int32_t step(int32_t node, unsigned char byte) const;
  void insert(std::string_view name, int32_t row);
  void link();

  std::vector<Node> nodes_;
  std::array<int32_t, 256> root_next_{};    // transitions of the root, dense
  std::array<uint8_t, 256> begins_name_{};  // 1 for a byte some name begins with
  // The first position from `pos` on whose byte begins a name, or `size`.
  size_t next_name_start(const unsigned char* bytes, size_t pos, size_t size) const;
};

inline size_t MacroNameIndex::next_name_start(const unsigned char* bytes, size_t pos,
                                              size_t size) const {
  const uint8_t* begins = begins_name_.data();
  while (size - pos >= 4 && !(begins[bytes[pos]] | begins[bytes[pos + 1]] | begins[bytes[pos + 2]] |
                              begins[bytes[pos + 3]])) {
    pos += 4;
  }
  while (pos < size && !begins[bytes[pos]]) ++pos;
  return pos;
}

template <typename Found>
void MacroNameIndex::scan(std::string_view text, Found&& found) const {
  if (nodes_.size() <= 1) return;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  int32_t node = 0;
  for (size_t pos = 0; pos < size; ++pos) {
    // At the root, a byte that begins no name leaves the root where it is:
    // most bytes of a line are stepped over so.
    if (node == 0) {
      pos = next_name_start(bytes, pos, size);
      if (pos == size) break;
    }
    node = step(node, bytes[pos]);
    int32_t out = nodes_[node].row >= 0 ? node : nodes_[node].output_link;
    while (out != 0) {
      found(static_cast<size_t>(nodes_[out].row));
      out = nodes_[out].output_link;
    }
  }
}

}  // namespace zek
