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
    uint32_t edge_begin = 0;
    uint32_t edge_count = 0;
  };
  struct Terminal {
    int32_t entry = -1;
    uint32_t length = 0;  // byte length of the name
    int32_t next = -1;    // the next shorter name that ends at the same place
  };

  void build_trie(const std::vector<NamePattern>& patterns, const NameCharTable& is_name_char);
  void link_failures();
  void fill_dense_rows();
  // Edges and rows are kept by symbol class: symbols that no name contains
  // share class 0, so rows stay short.
  int32_t find_edge(const Node& node, uint16_t symbol_class) const;
  int32_t next_state(int32_t state, uint16_t symbol_class) const;
  void start_line();
  int32_t first_live(int32_t terminal);
  template <typename Found>
  void report_names_ending(int32_t terminal, size_t end, Found& found);

  NameCharTable is_name_char_;
  std::array<uint16_t, kMatchSymbolCount> class_of_{};
  size_t class_count_ = 1;
  std::vector<Node> nodes_;
  // The longest name that ends in each state, as a terminal index, or -1.
  std::vector<int32_t> first_output_;
  std::vector<uint16_t> edge_class_;
  std::vector<int32_t> edge_target_;
  // Full rows of transitions for states 0 to dense_count_ - 1.
  std::vector<int32_t> dense_rows_;
  int32_t dense_count_ = 0;
  std::vector<Terminal> terminals_;
  // Per line: a terminal whose stamp is the current one has been found
  // already; its skip leads on to names of the chain not yet found.
  std::vector<uint32_t> found_stamp_;
  std::vector<int32_t> skip_;
  uint32_t stamp_ = 0;
};

inline int32_t NameAutomaton::next_state(int32_t state, uint16_t symbol_class) const {
  for (;;) {
    if (state < dense_count_) return dense_rows_[state * class_count_ + symbol_class];
    const Node& node = nodes_[state];
    const int32_t target = find_edge(node, symbol_class);
    if (target >= 0) return target;
    state = node.fail;  // the root has a full row, so this ends
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
void NameAutomaton::report_names_ending(int32_t terminal, size_t end, Found& found) {
  for (int32_t t = first_live(terminal); t >= 0; t = first_live(terminals_[t].next)) {
    const Terminal& name = terminals_[t];
    found_stamp_[t] = stamp_;
    skip_[t] = name.next;
    found(name.entry, end - name.length, static_cast<size_t>(name.length));
  }
}

template <typename Found>
void NameAutomaton::find_first_occurrences(std::string_view line, Found&& found) {
  start_line();
  // The common step, one row lookup, works on local copies of the tables.
  const int32_t* rows = dense_rows_.data();
  const int32_t* outputs = first_output_.data();
  const uint16_t* class_of = class_of_.data();
  const size_t classes = class_count_;
  const int32_t dense_count = dense_count_;
  int32_t state = 0;
  encode_match_symbols(line, is_name_char_, [&](MatchSymbol symbol, size_t end) {
    const uint16_t symbol_class = class_of[symbol];
    state = state < dense_count ? rows[static_cast<size_t>(state) * classes + symbol_class]
                                : next_state(state, symbol_class);
    if (outputs[state] >= 0) report_names_ending(outputs[state], end, found);
  });
}

}  // namespace zek
