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
  std::array<int32_t, 256> root_next_{};  // transitions of the root, dense
};

template <typename Found>
void MacroNameIndex::scan(std::string_view text, Found&& found) const {
  if (nodes_.size() <= 1) return;
  int32_t node = 0;
  for (const char c : text) {
    node = step(node, static_cast<unsigned char>(c));
    int32_t out = nodes_[node].row >= 0 ? node : nodes_[node].output_link;
    while (out != 0) {
      found(static_cast<size_t>(nodes_[out].row));
      out = nodes_[out].output_link;
    }
  }
}

}  // namespace zek
