// Building the name automaton: a trie laid out breadth first from the sorted
// encoded names, failure links, output chains and full transition rows for
// the busiest states.
#include "text/name_automaton.h"

#include <algorithm>
#include <deque>
#include <span>

namespace zek {

namespace {

// The states nearest the root get full rows of transitions, as many as fit
// in this many bytes (small enough to stay in the processor's cache, where
// rows are read at random); deeper states keep sorted edge lists.
constexpr size_t kDenseRowBytes = size_t{256} << 10;
// Edge lists up to this long are searched front to back.
constexpr uint16_t kShortEdgeList = 8;

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
  fill_root_skips();
  found_stamp_.assign(terminals_.size(), 0);
  skip_.assign(terminals_.size(), -1);
}

void NameAutomaton::build_trie(const std::vector<NamePattern>& patterns,
                               const NameCharTable& is_name_char) {
  EncodedNames encoded = encode_all(patterns, is_name_char);
  // Classes numbered in symbol order keep the sorted order of the names.
  std::array<bool, kMatchSymbolCount> used{};
  for (MatchSymbol symbol : encoded.symbols) used[symbol] = true;
  for (size_t symbol = 0; symbol < kMatchSymbolCount; ++symbol) {
    if (used[symbol]) class_of_[symbol] = static_cast<uint16_t>(class_count_++);
  }
  for (MatchSymbol& symbol : encoded.symbols) symbol = class_of_[symbol];
  std::vector<size_t> order(patterns.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const auto x = encoded.at(a), y = encoded.at(b);
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end());
  });

  nodes_.emplace_back();
  first_output_.push_back(-1);
  std::deque<PendingState> pending{{0, 0, order.size(), 0}};
  while (!pending.empty()) {
    PendingState current = pending.front();
    pending.pop_front();
    size_t lo = current.lo;
    // Names are distinct, so at most one ends here, and it sorts first.
    if (lo < current.hi && encoded.at(order[lo]).size() == current.depth) {
      const NamePattern& pattern = patterns[order[lo]];
      first_output_[current.state] = static_cast<int32_t>(terminals_.size());
      terminals_.push_back({pattern.entry, static_cast<uint32_t>(pattern.name.size()), -1});
      ++lo;
    }
    nodes_[current.state].edge_begin = static_cast<uint32_t>(edge_class_.size());
    while (lo < current.hi) {
      const MatchSymbol symbol = encoded.at(order[lo])[current.depth];
      size_t hi = lo + 1;
      while (hi < current.hi && encoded.at(order[hi])[current.depth] == symbol) ++hi;
      const auto child = static_cast<int32_t>(nodes_.size());
      nodes_.emplace_back();
      first_output_.push_back(-1);
      edge_class_.push_back(symbol);
      edge_target_.push_back(child);
      ++nodes_[current.state].edge_count;
      pending.push_back({child, lo, hi, current.depth + 1});
      lo = hi;
    }
  }
}

int32_t NameAutomaton::find_edge(const Node& node, uint16_t symbol_class) const {
  const uint16_t* begin = edge_class_.data() + node.edge_begin;
  const uint16_t* end = begin + node.edge_count;
  const uint16_t* found = node.edge_count <= kShortEdgeList
                              ? std::find(begin, end, symbol_class)
                              : std::lower_bound(begin, end, symbol_class);
  if (found == end || *found != symbol_class) return -1;
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
          fail = find_edge(nodes_[candidate], edge_class_[e]);
          if (fail >= 0 || candidate == 0) break;
          candidate = nodes_[candidate].fail;
        }
        if (fail < 0) fail = 0;
      }
      nodes_[child].fail = fail;
      const int32_t shorter = first_output_[fail];
      if (first_output_[child] >= 0) {
        terminals_[first_output_[child]].next = shorter;
      } else {
        first_output_[child] = shorter;
      }
    }
  }
}

// The root and the states nearest it (breadth first) get full rows, so that
// reading text costs one lookup per symbol where it is read most. A state's
// row is its failure state's row (settled before it, breadth first) with its
// own edges written over it.
void NameAutomaton::fill_dense_rows() {
  const size_t row_bytes = class_count_ * sizeof(int32_t);
  const size_t rows = std::max<size_t>(1, std::min(nodes_.size(), kDenseRowBytes / row_bytes));
  dense_rows_.resize(rows * class_count_);
  for (size_t state = 0; state < rows; ++state) {
    const Node& node = nodes_[state];
    int32_t* row = dense_rows_.data() + state * class_count_;
    if (state != 0) {
      const int32_t* fail_row = dense_rows_.data() + static_cast<size_t>(node.fail) * class_count_;
      std::copy(fail_row, fail_row + class_count_, row);
    }
    for (uint32_t e = node.edge_begin; e < node.edge_begin + node.edge_count; ++e) {
      row[edge_class_[e]] = edge_target_[e];
    }
    dense_count_ = static_cast<int32_t>(state + 1);
  }
}

// Whether reading `symbols` from the root ends at the root without passing a
// state where a name ends.
bool NameAutomaton::stays_at_root(std::initializer_list<MatchSymbol> symbols) const {
  int32_t state = 0;
  for (MatchSymbol symbol : symbols) {
    state = next_state(state, class_of_[symbol]);
    if (first_output_[state] >= 0) return false;
  }
  return state == 0;
}

// The symbols of a byte at a character boundary after a byte that was
// (after_word) or was not a name character, as encode_match_symbols emits them.
bool NameAutomaton::byte_stays_at_root(unsigned char byte, bool after_word) const {
  const bool name_char = is_name_char_[byte];
  const auto symbol = static_cast<MatchSymbol>(byte);
  if (name_char && !after_word) return stays_at_root({kWordStart, symbol});
  if (!name_char && after_word) return stays_at_root({kWordEnd, symbol});
  return stays_at_root({symbol});
}

bool NameAutomaton::character_stays_at_root(unsigned char lead, bool after_word) const {
  if (!byte_stays_at_root(lead, after_word)) return false;
  const bool lead_in_word = is_name_char_[lead];
  for (int trail = 0; trail < 256; ++trail) {
    const bool name_char = is_name_char_[trail];
    const auto symbol = static_cast<MatchSymbol>(kTrailSymbolBase + trail);
    bool stays = true;
    if (name_char && !lead_in_word) {
      stays = stays_at_root({kWordStart, symbol});
    } else if (!name_char && lead_in_word) {
      stays = stays_at_root({kWordEnd, symbol});
    } else {
      stays = stays_at_root({symbol});
    }
    if (!stays) return false;
  }
  return true;
}

void NameAutomaton::fill_root_skips() {
  for (int after_word = 0; after_word < 2; ++after_word) {
    for (int value = 0; value < 256; ++value) {
      const auto byte = static_cast<unsigned char>(value);
      RootSkip skip = RootSkip::none;
      if (!is_lead_byte(byte)) {
        if (byte_stays_at_root(byte, after_word != 0)) skip = RootSkip::byte;
      } else if (character_stays_at_root(byte, after_word != 0)) {
        skip = RootSkip::character;
      }
      root_skip_[static_cast<size_t>(after_word)][byte] = skip;
    }
  }
}

void NameAutomaton::start_line() {
  if (++stamp_ == 0) {  // after 2^32 lines the old stamps could look current
    std::fill(found_stamp_.begin(), found_stamp_.end(), 0);
    stamp_ = 1;
  }
}

}  // namespace zek
