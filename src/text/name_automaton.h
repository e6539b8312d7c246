// An Aho-Corasick automaton over the encoded names of the NameTable: one pass
// over a body line finds, for every name, its first occurrence that link
// insertion accepts (at a character boundary, on whole-word edges).
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
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

  size_t state_count() const { return state_count_; }

 private:
  struct Terminal {
    int32_t entry = -1;
    uint32_t length = 0;  // byte length of the name
    int32_t next = -1;    // the next shorter name that ends at the same place
    // Per line: a terminal whose stamp is the current one has been found
    // already; its skip leads on to names of the chain not yet found.
    uint32_t found_stamp = 0;
    int32_t skip = -1;
    bool ends_in_word = false;  // then no name character may follow it
  };
  struct Trie;

  void build_trie(Trie& trie, const std::vector<NamePattern>& patterns);
  void link_failures(Trie& trie);
  std::vector<bool> choose_dense(const Trie& trie) const;
  void lay_out(const Trie& trie);
  static bool has_next_child(const Trie& trie, const std::vector<bool>& dense, int32_t state);
  void fill_dense_rows(const Trie& trie, const std::vector<uint32_t>& new_id,
                       const std::vector<int32_t>& breadth_first);
  void fill_records(const Trie& trie, const std::vector<uint32_t>& new_id,
                    const std::vector<bool>& dense, const std::vector<int32_t>& depth_first);
  void fill_root_skips();
  bool stays_at_root(std::initializer_list<MatchSymbol> symbols) const;
  bool byte_stays_at_root(unsigned char byte, bool after_word) const;
  bool character_stays_at_root(unsigned char lead, bool after_word) const;
  size_t skip_at_root(const unsigned char* bytes, size_t pos, size_t size, bool& after_word) const;
  // Transitions hold the target state, with kEndsName set when a name ends
  // there, so that the walk reads one table per step. Symbols that no name
  // contains share class 0, so rows stay short.
  static constexpr uint32_t kEndsName = uint32_t{1} << 31;
  static constexpr uint32_t kNoEdge = ~uint32_t{0};
  static int32_t state_of(uint32_t transition) {
    return static_cast<int32_t>(transition & ~kEndsName);
  }
  uint32_t next_state(int32_t state, uint16_t symbol_class) const;
  // The longest name that ends in `state`, as a terminal index, or -1.
  int32_t output_of(int32_t state) const;
  void start_line();
  int32_t first_live(int32_t terminal);
  template <typename Found>
  void report_names_ending(int32_t terminal, std::string_view line, size_t end, Found& found);

  NameCharTable is_name_char_;
  std::array<uint16_t, kMatchSymbolCount> class_of_{};
  size_t class_count_ = 1;
  size_t state_count_ = 0;
  // Every state is numbered by where it starts in table_, so that a step
  // reads table_[state + class] without a multiplication.
  // States below dense_limit_ (the root, the states nearest it and the
  // states with many edges) are full rows of row_width_ words: a transition
  // per class, then the output terminal (or -1).
  // Every other state is a record:
  //   failure state;
  //   a header: the edge count, kHasOutput, and kSingleChild when the state
  //     has one edge (then the low bits are that edge's class instead);
  //   the output terminal, with kHasOutput;
  //   (class, transition) pairs sorted by class, without kSingleChild.
  // Records are laid out depth first, so the one child of a state with a
  // single edge is the very next record, and the states along a name follow
  // one another in memory: a walk through a name reads few cache lines.
  static constexpr uint32_t kHasOutput = kEndsName;
  static constexpr uint32_t kSingleChild = uint32_t{1} << 30;
  static constexpr uint32_t kEdgeBits = 0xFFFF;
  std::vector<uint32_t> table_;
  int32_t dense_limit_ = 0;
  size_t row_width_ = 0;
  std::vector<Terminal> terminals_;
  // What reading a byte at a character boundary does while the automaton is
  // at the root, by whether the byte before is a name character: for most
  // bytes of a line it stays at the root and nothing is found.
  enum class RootSkip : uint8_t {
    none,       // the byte leads away from the root (or ends a name)
    byte,       // a single-byte character that stays at the root
    character,  // a lead byte whose character, whatever its trail, stays at the root
  };
  std::array<std::array<RootSkip, 256>, 2> root_skip_{};
  uint32_t stamp_ = 0;
};

// Edge lists up to this long are searched front to back.
inline constexpr uint32_t kShortEdgeList = 8;

inline uint32_t NameAutomaton::next_state(int32_t state, uint16_t symbol_class) const {
  for (;;) {
    if (state < dense_limit_) return table_[static_cast<size_t>(state) + symbol_class];
    const uint32_t* record = table_.data() + state;
    const uint32_t header = record[1];
    const uint32_t record_size = 2 + (header >> 31);
    if (header & kSingleChild) {
      if ((header & kEdgeBits) == symbol_class) {
        const uint32_t child = static_cast<uint32_t>(state) + record_size;
        return child | (record[record_size + 1] & kHasOutput);
      }
      state = static_cast<int32_t>(record[0]);
      continue;
    }
    const uint32_t count = header & kEdgeBits;
    const uint32_t* edge = record + record_size;
    if (count <= kShortEdgeList) {
      for (const uint32_t* end = edge + 2 * count; edge != end; edge += 2) {
        if (edge[0] == symbol_class) return edge[1];
      }
    } else {
      uint32_t lo = 0, hi = count;  // binary search over the pairs
      while (lo < hi) {
        const uint32_t mid = (lo + hi) / 2;
        if (edge[2 * mid] < symbol_class) {
          lo = mid + 1;
        } else {
          hi = mid;
        }
      }
      if (lo < count && edge[2 * lo] == symbol_class) return edge[2 * lo + 1];
    }
    state = static_cast<int32_t>(record[0]);  // the root has a full row, so this ends
  }
}

inline int32_t NameAutomaton::output_of(int32_t state) const {
  if (state < dense_limit_) return static_cast<int32_t>(table_[state + class_count_]);
  const uint32_t* record = table_.data() + state;
  return (record[1] & kHasOutput) ? static_cast<int32_t>(record[2]) : -1;
}

inline int32_t NameAutomaton::first_live(int32_t terminal) {
  int32_t live = terminal;
  while (live >= 0 && terminals_[live].found_stamp == stamp_) live = terminals_[live].skip;
  while (terminal != live) {  // shorten the way for the next search
    const int32_t next = terminals_[terminal].skip;
    terminals_[terminal].skip = live;
    terminal = next;
  }
  return live;
}

template <typename Found>
void NameAutomaton::report_names_ending(int32_t terminal, std::string_view line, size_t end,
                                        Found& found) {
  const bool word_goes_on =
      end < line.size() && is_name_char_[static_cast<unsigned char>(line[end])];
  for (int32_t t = first_live(terminal); t >= 0; t = first_live(terminals_[t].next)) {
    Terminal& name = terminals_[t];
    if (name.ends_in_word && word_goes_on) continue;  // not a whole word here
    name.found_stamp = stamp_;
    name.skip = name.next;
    found(name.entry, end - name.length, static_cast<size_t>(name.length));
  }
}

inline size_t NameAutomaton::skip_at_root(const unsigned char* bytes, size_t pos, size_t size,
                                          bool& after_word) const {
  while (pos < size) {
    const unsigned char byte = bytes[pos];
    const RootSkip skip = root_skip_[after_word][byte];
    if (skip == RootSkip::byte) {
      after_word = is_name_char_[byte];
      ++pos;
    } else if (skip == RootSkip::character && pos + 1 < size) {
      after_word = false;  // a trail byte never continues a word
      pos += 2;
    } else {
      break;
    }
  }
  return pos;
}

// The symbols are those of encode_match_symbols, read one byte at a time, so
// that runs of bytes that keep the automaton at the root can be stepped over.
template <typename Found>
void NameAutomaton::find_first_occurrences(std::string_view line, Found&& found) {
  start_line();
  // The common step, one row lookup, works on local copies of the tables.
  const uint32_t* table = table_.data();
  const uint16_t* class_of = class_of_.data();
  const int32_t dense_limit = dense_limit_;
  int32_t state = 0;
  auto step = [&](MatchSymbol symbol, size_t end) {
    const uint16_t symbol_class = class_of[symbol];
    const uint32_t transition = state < dense_limit
                                    ? table[static_cast<size_t>(state) + symbol_class]
                                    : next_state(state, symbol_class);
    state = state_of(transition);
    if (transition & kEndsName) report_names_ending(output_of(state), line, end, found);
  };
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
  const size_t size = line.size();
  bool trail = false;       // the current byte is the second byte of a character
  bool after_word = false;  // the byte before is a name character, not a trail byte
  for (size_t pos = 0; pos < size; ++pos) {
    if (state == 0 && !trail) {
      pos = skip_at_root(bytes, pos, size, after_word);
      if (pos == size) break;
    }
    const unsigned char byte = bytes[pos];
    const bool name_char = is_name_char_[byte];
    const MatchSymbol symbol = static_cast<MatchSymbol>(
        (trail ? kTrailSymbolBase + byte : byte) + (name_char && !after_word ? kWordStart : 0));
    step(symbol, pos + 1);
    after_word = name_char && !trail;
    trail = !trail && is_lead_byte(byte);
  }
}

}  // namespace zek
