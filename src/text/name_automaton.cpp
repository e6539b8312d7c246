// Building the name automaton: a trie laid out breadth first from the sorted
// encoded names, failure links, output chains and full transition rows for
// the busiest states.
#include "text/name_automaton.h"

#include <algorithm>
#include <deque>
#include <span>

namespace zek {

namespace {

// States with at least this many edges get a full row of transitions; the
// number of rows is capped to keep memory small.
constexpr uint16_t kDenseMinEdges = 8;
constexpr size_t kMaxDenseRows = 1024;

// The encoded names, one flat buffer.
struct EncodedNames {
  std::vector<MatchSymbol> symbols;
  std::vector<size_t> begin;  // one past the last name: symbols.size()

  std::span<const MatchSymbol> at(size_t i) const {
    return std::span<const MatchSymbol>(symbols).subspan(begin[i], begin[i + 1] - begin[i]);
  }
};

EncodedNames encode_all(const std::vector<NamePattern>& patterns,
                        const NameCharTable& is_name_char) {
  EncodedNames encoded;
  for (const NamePattern& pattern : patterns) {
    encoded.begin.push_back(encoded.symbols.size());
    encode_match_symbols(pattern.name, is_name_char,
                         [&](MatchSymbol symbol, size_t) { encoded.symbols.push_back(symbol); });
  }
  encoded.begin.push_back(encoded.symbols.size());
  return encoded;
}

// A state still to be laid out: the sorted names [lo, hi) share its first
// `depth` symbols.
struct PendingState {
  int32_t state;
  size_t lo, hi, depth;
};

}  // namespace

NameAutomaton::NameAutomaton(const std::vector<NamePattern>& patterns,
                             const NameCharTable& is_name_char)
    : is_name_char_(is_name_char) {
  build_trie(patterns, is_name_char);
  link_failures();
  fill_dense_rows();
  found_stamp_.assign(terminals_.size(), 0);
  skip_.assign(terminals_.size(), -1);
}

void NameAutomaton::build_trie(const std::vector<NamePattern>& patterns,
                               const NameCharTable& is_name_char) {
  const EncodedNames encoded = encode_all(patterns, is_name_char);
  std::vector<size_t> order(patterns.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const auto x = encoded.at(a), y = encoded.at(b);
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end());
  });

  nodes_.emplace_back();
  std::deque<PendingState> pending{{0, 0, order.size(), 0}};
  while (!pending.empty()) {
    PendingState current = pending.front();
    pending.pop_front();
    size_t lo = current.lo;
    // Names are distinct, so at most one ends here, and it sorts first.
    if (lo < current.hi && encoded.at(order[lo]).size() == current.depth) {
      const NamePattern& pattern = patterns[order[lo]];
      nodes_[current.state].first_output = static_cast<int32_t>(terminals_.size());
      terminals_.push_back({pattern.entry, static_cast<uint32_t>(pattern.name.size()), -1});
      ++lo;
    }
    nodes_[current.state].edge_begin = static_cast<uint32_t>(edge_symbol_.size());
    while (lo < current.hi) {
      const MatchSymbol symbol = encoded.at(order[lo])[current.depth];
      size_t hi = lo + 1;
      while (hi < current.hi && encoded.at(order[hi])[current.depth] == symbol) ++hi;
      const auto child = static_cast<int32_t>(nodes_.size());
      nodes_.emplace_back();
      edge_symbol_.push_back(symbol);
      edge_target_.push_back(child);
      ++nodes_[current.state].edge_count;
      pending.push_back({child, lo, hi, current.depth + 1});
      lo = hi;
    }
  }
}

int32_t NameAutomaton::find_edge(const Node& node, MatchSymbol symbol) const {
  const MatchSymbol* begin = edge_symbol_.data() + node.edge_begin;
  const MatchSymbol* end = begin + node.edge_count;
  const MatchSymbol* found = node.edge_count <= kDenseMinEdges
                                 ? std::find(begin, end, symbol)
                                 : std::lower_bound(begin, end, symbol);
  if (found == end || *found != symbol) return -1;
  return edge_target_[node.edge_begin + static_cast<size_t>(found - begin)];
}

// States are numbered breadth first, so every failure target and every
// shorter name is settled before the states that refer to it.
void NameAutomaton::link_failures() {
  for (size_t state = 0; state < nodes_.size(); ++state) {
    const Node node = nodes_[state];
    for (uint32_t e = node.edge_begin; e < node.edge_begin + node.edge_count; ++e) {
      const int32_t child = edge_target_[e];
      int32_t fail = 0;
      if (state != 0) {
        int32_t candidate = node.fail;
        for (;;) {
          fail = find_edge(nodes_[candidate], edge_symbol_[e]);
          if (fail >= 0 || candidate == 0) break;
          candidate = nodes_[candidate].fail;
        }
        if (fail < 0) fail = 0;
      }
      Node& child_node = nodes_[child];
      child_node.fail = fail;
      const int32_t shorter = nodes_[fail].first_output;
      if (child_node.first_output >= 0) {
        terminals_[child_node.first_output].next = shorter;
      } else {
        child_node.first_output = shorter;
      }
    }
  }
}

// The root and the states with many edges get full rows, so that reading
// ordinary text costs one lookup per symbol.
void NameAutomaton::fill_dense_rows() {
  size_t rows = 0;
  for (size_t state = 0; state < nodes_.size() && rows < kMaxDenseRows; ++state) {
    Node& node = nodes_[state];
    if (state != 0 && node.edge_count < kDenseMinEdges) continue;
    const size_t row = rows++;
    dense_rows_.resize(rows * kMatchSymbolCount);
    for (size_t symbol = 0; symbol < kMatchSymbolCount; ++symbol) {
      const auto s = static_cast<MatchSymbol>(symbol);
      int32_t target = find_edge(node, s);
      if (target < 0) target = state == 0 ? 0 : next_state(node.fail, s);
      dense_rows_[row * kMatchSymbolCount + symbol] = target;
    }
    node.dense = static_cast<uint16_t>(row + 1);
  }
}

void NameAutomaton::start_line() {
  if (++stamp_ == 0) {  // after 2^32 lines the old stamps could look current
    std::fill(found_stamp_.begin(), found_stamp_.end(), 0);
    stamp_ = 1;
  }
}

}  // namespace zek
