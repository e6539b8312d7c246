// Building the name automaton: a trie numbered breadth first from the sorted
// encoded names, failure links and output chains; then full transition rows
// for the states nearest the root and the states with several edges, and
// compact records, laid out depth first, for the rest.
#include "links/name_automaton.h"

#include <algorithm>
#include <deque>
#include <span>

namespace zek {

namespace {

// The states nearest the root get full rows of transitions, as many as fit
// in kNearRowBytes, and so do states with at least kBushyEdges edges, as
// many as fit in kBushyRowBytes (the rows are read at random, so they must
// stay in the processor's cache); other states keep sorted edge lists.
constexpr size_t kNearRowBytes = size_t{256} << 10;
constexpr size_t kBushyRowBytes = size_t{512} << 10;
constexpr uint32_t kBushyEdges = 2;

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

// A state still to be numbered: the sorted names [lo, hi) share its first
// `depth` symbols.
struct PendingState {
  int32_t state;
  size_t lo, hi, depth;
};

}  // namespace

// The automaton while it is built, states numbered breadth first.
struct NameAutomaton::Trie {
  struct Node {
    int32_t fail = 0;
    uint32_t edge_begin = 0;
    uint32_t edge_count = 0;
  };
  struct Edge {
    uint16_t symbol_class = 0;
    uint32_t target = 0;  // a transition: state, and kEndsName
  };
  std::vector<Node> nodes;
  std::vector<Edge> edges;  // each state's edges, sorted by class
  // The longest name that ends in each state, as a terminal index, or -1.
  std::vector<int32_t> first_output;

  std::span<const Edge> edges_of(int32_t state) const {
    const Node& node = nodes[static_cast<size_t>(state)];
    return std::span<const Edge>(edges).subspan(node.edge_begin, node.edge_count);
  }
  uint32_t find_edge(int32_t state, uint16_t symbol_class) const {
    for (const Edge& edge : edges_of(state)) {
      if (edge.symbol_class == symbol_class) return edge.target;
    }
    return kNoEdge;
  }
};

NameAutomaton::NameAutomaton(const std::vector<NamePattern>& patterns,
                             const NameCharTable& is_name_char)
    : is_name_char_(is_name_char) {
  Trie trie;
  build_trie(trie, patterns);
  link_failures(trie);
  for (Trie::Edge& edge : trie.edges) {  // mark the transitions where a name ends
    if (trie.first_output[edge.target] >= 0) edge.target |= kEndsName;
  }
  lay_out(trie);
  fill_byte_steps();
}

void NameAutomaton::build_trie(Trie& trie, const std::vector<NamePattern>& patterns) {
  EncodedNames encoded = encode_all(patterns, is_name_char_);
  std::array<bool, kMatchSymbolCount> used{};
  for (MatchSymbol symbol : encoded.symbols) used[symbol] = true;
  for (size_t symbol = 0; symbol < kMatchSymbolCount; ++symbol) {
    if (used[symbol]) class_of_[symbol] = static_cast<uint16_t>(class_count_++);
  }
  for (MatchSymbol& symbol : encoded.symbols) symbol = class_of_[symbol];
  std::vector<size_t> order(patterns.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  // A name's symbols depend only on its bytes so far, so names sorted by
  // their bytes keep every shared beginning of symbols together.
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return patterns[a].name < patterns[b].name; });

  trie.nodes.emplace_back();
  trie.first_output.push_back(-1);
  std::deque<PendingState> pending{{0, 0, order.size(), 0}};
  while (!pending.empty()) {
    PendingState current = pending.front();
    pending.pop_front();
    size_t lo = current.lo;
    // Names are distinct, so at most one ends here, and it sorts first.
    if (lo < current.hi && encoded.at(order[lo]).size() == current.depth) {
      const NamePattern& pattern = patterns[order[lo]];
      trie.first_output[current.state] = static_cast<int32_t>(terminals_.size());
      Terminal terminal{pattern.entry, static_cast<uint32_t>(pattern.name.size())};
      terminal.ends_in_word = ends_in_word(pattern.name, is_name_char_);
      terminals_.push_back(terminal);
      ++lo;
    }
    trie.nodes[current.state].edge_begin = static_cast<uint32_t>(trie.edges.size());
    while (lo < current.hi) {
      const MatchSymbol symbol = encoded.at(order[lo])[current.depth];
      size_t hi = lo + 1;
      while (hi < current.hi && encoded.at(order[hi])[current.depth] == symbol) ++hi;
      const auto child = static_cast<int32_t>(trie.nodes.size());
      trie.nodes.emplace_back();
      trie.first_output.push_back(-1);
      trie.edges.push_back({symbol, static_cast<uint32_t>(child)});
      ++trie.nodes[current.state].edge_count;
      pending.push_back({child, lo, hi, current.depth + 1});
      lo = hi;
    }
  }
  // Each state's edges in class order, as the searches expect.
  for (const Trie::Node& node : trie.nodes) {
    const auto begin = trie.edges.begin() + node.edge_begin;
    std::sort(begin, begin + node.edge_count, [](const Trie::Edge& a, const Trie::Edge& b) {
      return a.symbol_class < b.symbol_class;
    });
  }
}

// States are numbered breadth first, so every failure target and every
// shorter name is settled before the states that refer to it.
void NameAutomaton::link_failures(Trie& trie) {
  for (size_t state = 0; state < trie.nodes.size(); ++state) {
    const Trie::Node node = trie.nodes[state];
    for (uint32_t e = node.edge_begin; e < node.edge_begin + node.edge_count; ++e) {
      const auto child = static_cast<int32_t>(trie.edges[e].target);
      int32_t fail = 0;
      if (state != 0) {
        int32_t candidate = node.fail;
        for (;;) {
          const uint32_t edge = trie.find_edge(candidate, trie.edges[e].symbol_class);
          if (edge != kNoEdge) fail = static_cast<int32_t>(edge);
          if (edge != kNoEdge || candidate == 0) break;
          candidate = trie.nodes[candidate].fail;
        }
      }
      trie.nodes[child].fail = fail;
      const int32_t shorter = trie.first_output[fail];
      if (trie.first_output[child] >= 0) {
        terminals_[trie.first_output[child]].next = shorter;
      } else {
        trie.first_output[child] = shorter;
      }
    }
  }
}

// Which states get full rows: the states nearest the root (the first breadth
// first), then states with many edges, where a search of the edges would
// cost most; each within its share of bytes.
std::vector<bool> NameAutomaton::choose_dense(const Trie& trie) const {
  const size_t row_bytes = class_count_ * sizeof(uint32_t);
  const size_t near_rows = std::max<size_t>(1, kNearRowBytes / row_bytes);
  size_t bushy_rows = kBushyRowBytes / row_bytes;
  std::vector<bool> dense(trie.nodes.size());
  for (size_t state = 0; state < trie.nodes.size(); ++state) {
    if (state < near_rows) {
      dense[state] = true;
    } else if (bushy_rows > 0 && trie.nodes[state].edge_count >= kBushyEdges) {
      dense[state] = true;
      --bushy_rows;
    }
  }
  return dense;
}

// The rows come first, in breadth-first order, then the records, in
// depth-first order from the root.
void NameAutomaton::lay_out(const Trie& trie) {
  const std::vector<bool> dense = choose_dense(trie);
  row_width_ = class_count_ + 1;
  std::vector<uint32_t> new_id(trie.nodes.size());
  std::vector<int32_t> breadth_first;  // the states with rows, in row order
  for (size_t state = 0; state < trie.nodes.size(); ++state) {
    if (!dense[state]) continue;
    new_id[state] = static_cast<uint32_t>(breadth_first.size() * row_width_);
    breadth_first.push_back(static_cast<int32_t>(state));
  }
  dense_limit_ = static_cast<int32_t>(breadth_first.size() * row_width_);
  std::vector<int32_t> depth_first;  // the states that get records, in record order
  uint32_t offset = 0;
  std::vector<int32_t> stack{0};
  while (!stack.empty()) {
    const int32_t state = stack.back();
    stack.pop_back();
    const auto edges = trie.edges_of(state);
    if (!dense[state]) {
      depth_first.push_back(state);
      new_id[state] = static_cast<uint32_t>(dense_limit_) + offset;
      const uint32_t pairs =
          has_next_child(trie, dense, state) ? 0 : static_cast<uint32_t>(edges.size());
      offset += 2 + 2 * pairs;
    }
    for (auto edge = edges.rbegin(); edge != edges.rend(); ++edge) {
      stack.push_back(state_of(edge->target));
    }
  }
  record_outputs_.assign(offset / 2, -1);
  table_.reserve(static_cast<size_t>(dense_limit_) + offset);
  table_.resize(static_cast<size_t>(dense_limit_));
  fill_records(trie, new_id, dense, depth_first);
  fill_dense_rows(trie, new_id, breadth_first);
}

// Whether a state's record holds its only edge in the header, the child
// being the next record (depth first, a child without a row follows its
// parent directly).
bool NameAutomaton::has_next_child(const Trie& trie, const std::vector<bool>& dense,
                                   int32_t state) {
  const auto edges = trie.edges_of(state);
  return edges.size() == 1 && !dense[static_cast<size_t>(state_of(edges[0].target))];
}

namespace {

// A transition with its target state renumbered; the mark of a name's end
// (the high bit) stays.
uint32_t renumbered(uint32_t transition, const std::vector<uint32_t>& new_id) {
  constexpr uint32_t kHighBit = uint32_t{1} << 31;
  return new_id[transition & ~kHighBit] | (transition & kHighBit);
}

}  // namespace

// A state's row is its failure state's transitions (that state comes
// earlier breadth first, so its row or record is settled) with its own
// edges written over them.
void NameAutomaton::fill_dense_rows(const Trie& trie, const std::vector<uint32_t>& new_id,
                                    const std::vector<int32_t>& breadth_first) {
  for (size_t row_index = 0; row_index < breadth_first.size(); ++row_index) {
    const int32_t state = breadth_first[row_index];
    uint32_t* row = table_.data() + row_index * row_width_;
    if (state != 0) {
      const auto fail = static_cast<int32_t>(new_id[trie.nodes[state].fail]);
      if (fail < dense_limit_) {
        const uint32_t* fail_row = table_.data() + fail;
        std::copy(fail_row, fail_row + class_count_, row);
      } else {
        for (size_t c = 0; c < class_count_; ++c) {
          row[c] = next_state(fail, static_cast<uint16_t>(c));
        }
      }
    }
    for (const Trie::Edge& edge : trie.edges_of(state)) {
      row[edge.symbol_class] = renumbered(edge.target, new_id);
    }
    row[class_count_] = static_cast<uint32_t>(trie.first_output[state]);
  }
}

void NameAutomaton::fill_records(const Trie& trie, const std::vector<uint32_t>& new_id,
                                 const std::vector<bool>& dense,
                                 const std::vector<int32_t>& depth_first) {
  for (const int32_t state : depth_first) {
    const auto edges = trie.edges_of(state);
    const int32_t output = trie.first_output[state];
    const uint32_t output_flag = output >= 0 ? kHasOutput : 0;
    const bool single = has_next_child(trie, dense, state);
    record_outputs_[(table_.size() - static_cast<size_t>(dense_limit_)) / 2] = output;
    table_.push_back(new_id[trie.nodes[state].fail]);
    table_.push_back(single ? edges[0].symbol_class | kSingleChild | output_flag
                            : static_cast<uint32_t>(edges.size()) | output_flag);
    if (single) continue;
    for (const Trie::Edge& edge : edges) {
      table_.push_back(edge.symbol_class);
      table_.push_back(renumbered(edge.target, new_id));
    }
  }
}

// Whether reading `symbols` from the root ends at the root without passing a
// state where a name ends.
bool NameAutomaton::stays_at_root(std::initializer_list<MatchSymbol> symbols) const {
  uint32_t transition = 0;
  for (MatchSymbol symbol : symbols) {
    transition = next_state(state_of(transition), class_of_[symbol]);
    if (transition & kEndsName) return false;
  }
  return transition == 0;
}

// The symbols of a byte at a character boundary after a byte that was
// (after_word) or was not a name character, as encode_match_symbols emits them.
bool NameAutomaton::byte_stays_at_root(unsigned char byte, bool after_word) const {
  return stays_at_root({match_symbol(byte, false, after_word, is_name_char_)});
}

bool NameAutomaton::character_stays_at_root(unsigned char lead, bool after_word) const {
  if (!byte_stays_at_root(lead, after_word)) return false;
  const bool lead_in_word = is_name_char_[lead];
  for (int trail = 0; trail < 256; ++trail) {
    const auto byte = static_cast<unsigned char>(trail);
    if (!stays_at_root({match_symbol(byte, true, lead_in_word, is_name_char_)})) return false;
  }
  return true;
}

void NameAutomaton::fill_byte_steps() {
  for (int value = 0; value < 256; ++value) {
    const auto byte = static_cast<unsigned char>(value);
    next_context_[byte] = static_cast<uint8_t>((is_name_char_[byte] ? kAfterWord : 0) |
                                               (is_lead_byte(byte) ? kTrail : 0));
  }
  for (uint32_t context = 0; context < 4; ++context) {
    const bool after_word = (context & kAfterWord) != 0;
    const bool trail = (context & kTrail) != 0;
    for (int value = 0; value < 256; ++value) {
      const auto byte = static_cast<unsigned char>(value);
      uint32_t step = class_of_[match_symbol(byte, trail, after_word, is_name_char_)];
      if (!trail && !is_lead_byte(byte) && byte_stays_at_root(byte, after_word)) {
        step |= kByteStays;
      }
      if (!trail && is_lead_byte(byte) && character_stays_at_root(byte, after_word)) {
        step |= kCharacterStays;
      }
      byte_steps_[context * 256 + byte] = step;
    }
  }
}

void NameAutomaton::start_line() {
  if (++stamp_ == 0) {  // after 2^32 lines the old stamps could look current
    for (Terminal& terminal : terminals_) terminal.found_stamp = 0;
    stamp_ = 1;
  }
}

}  // namespace zek
