// An Aho-Corasick automaton over the encoded names of the NameTable: one pass
// over a body line finds, for every name, its first occurrence that link
// insertion accepts (at a character boundary, on whole-word edges).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/match_symbols.h"

namespace zek {

struct NamePattern {
  int32_t entry = -1;
  std::string_view name;  // non-empty; no two patterns share a name
};

class NameAutomaton {
 public:
  NameAutomaton(const std::vector<NamePattern>& patterns, const NameCharTable& is_name_char);

  // Calls found(entry, start, length) once for every name that occurs in
  // `line`, at its first accepted occurrence, in the order the occurrences end.
  template <typename Found>
  void find_first_occurrences(std::string_view line, Found&& found);

  size_t state_count() const { return nodes_.size(); }

 private:
  struct Node {
    int32_t fail = 0;
    int32_t first_output = -1;  // the longest name that ends here, as a terminal index
    uint32_t edge_begin = 0;
    uint16_t edge_count = 0;
    uint16_t dense = 0;  // 1 + index of the full transition row, or 0
  };
  struct Terminal {
    int32_t entry = -1;
    uint32_t length = 0;  // byte length of the name
    int32_t next = -1;    // the next shorter name that ends at the same place
  };

  void build_trie(const std::vector<NamePattern>& patterns, const NameCharTable& is_name_char);
  void link_failures();
  void fill_dense_rows();
  int32_t find_edge(const Node& node, MatchSymbol symbol) const;
  int32_t next_state(int32_t state, MatchSymbol symbol) const;
  void start_line();
  int32_t first_live(int32_t terminal);

  NameCharTable is_name_char_;
  std::vector<Node> nodes_;
  std::vector<MatchSymbol> edge_symbol_;
  std::vector<int32_t> edge_target_;
  std::vector<int32_t> dense_rows_;
  std::vector<Terminal> terminals_;
  // Per line: a terminal whose stamp is the current one has been found
  // already; its skip leads on to names of the chain not yet found.
  std::vector<uint32_t> found_stamp_;
  std::vector<int32_t> skip_;
  uint32_t stamp_ = 0;
};

inline int32_t NameAutomaton::next_state(int32_t state, MatchSymbol symbol) const {
  for (;;) {
    const Node& node = nodes_[state];
    if (node.dense != 0) return dense_rows_[(node.dense - 1) * kMatchSymbolCount + symbol];
    const int32_t target = find_edge(node, symbol);
    if (target >= 0) return target;
    state = node.fail;  // the root is dense, so this ends
  }
}

inline int32_t NameAutomaton::first_live(int32_t terminal) {
  int32_t live = terminal;
  while (live >= 0 && found_stamp_[live] == stamp_) live = skip_[live];
  while (terminal != live) {  // shorten the way for the next search
    const int32_t next = skip_[terminal];
    skip_[terminal] = live;
    terminal = next;
  }
  return live;
}

template <typename Found>
void NameAutomaton::find_first_occurrences(std::string_view line, Found&& found) {
  start_line();
  int32_t state = 0;
  encode_match_symbols(line, is_name_char_, [&](MatchSymbol symbol, size_t end) {
    state = next_state(state, symbol);
    for (int32_t t = first_live(nodes_[state].first_output); t >= 0;
         t = first_live(terminals_[t].next)) {
      const Terminal& terminal = terminals_[t];
      found_stamp_[t] = stamp_;
      skip_[t] = terminal.next;
      found(terminal.entry, end - terminal.length, static_cast<size_t>(terminal.length));
    }
  });
}

}  // namespace zek
