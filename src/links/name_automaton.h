// An Aho-Corasick automaton over the encoded names of the NameTable: one pass
// over a body line finds, for every name, its first occurrence that link
// insertion accepts (at a character boundary, on whole-word edges).
//
// The automaton reads symbols instead of raw bytes, one per byte: the byte
// itself, or 256 + itself when it is the trail byte of a double-byte
// character, and 512 more when the byte starts a word. A name encoded this
// way occurs in an encoded line exactly where it occurs in the line at a
// character boundary with a whole-word left edge. The right edge is not a
// symbol (it would cost a step at every word end): a name that ends in a
// word (ends_in_word) is accepted only where no name character follows it.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "base/sjis.h"

namespace zek {

// The symbols, one per byte of a name or a line.

using MatchSymbol = uint16_t;
inline constexpr MatchSymbol kTrailSymbolBase = 256;
// Added for a name character that does not continue a word.
inline constexpr MatchSymbol kWordStart = 512;
inline constexpr size_t kMatchSymbolCount = 1024;

// The symbol of `byte`, read as a trail byte or not, after a byte that was
// (after_word) or was not a name character and not a trail byte.
inline MatchSymbol match_symbol(unsigned char byte, bool trail, bool after_word,
                                const std::array<bool, 256>& is_name_char) {
  const auto symbol = static_cast<MatchSymbol>(trail ? kTrailSymbolBase + byte : byte);
  return is_name_char[byte] && !after_word ? static_cast<MatchSymbol>(symbol + kWordStart) : symbol;
}

using NameCharTable = std::array<bool, 256>;

// Calls emit(symbol, end) for every byte of `text` in order; `end` is the
// position just after the byte.
template <typename Emit>
inline void encode_match_symbols(std::string_view text, const NameCharTable& is_name_char,
                                 Emit&& emit) {
  bool trail = false;       // the current byte is the second byte of a character
  bool after_word = false;  // the byte before is a name character, not a trail byte
  for (size_t pos = 0; pos < text.size(); ++pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    emit(match_symbol(byte, trail, after_word, is_name_char), pos + 1);
    after_word = is_name_char[byte] && !trail;
    trail = !trail && is_lead_byte(byte);
  }
}

// Whether `text` ends in a word: its last byte is a name character and not
// the trail byte of a double-byte character.
inline bool ends_in_word(std::string_view text, const NameCharTable& is_name_char) {
  bool trail = false;
  bool after_word = false;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    after_word = is_name_char[byte] && !trail;
    trail = !trail && is_lead_byte(byte);
  }
  return after_word;
}

// The automaton over the encoded names.

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
  void fill_byte_steps();
  bool stays_at_root(std::initializer_list<MatchSymbol> symbols) const;
  bool byte_stays_at_root(unsigned char byte, bool after_word) const;
  bool character_stays_at_root(unsigned char lead, bool after_word) const;
  size_t skip_at_root(const unsigned char* bytes, size_t pos, size_t size, uint32_t& context) const;
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
  // Every state is numbered by where it starts in table_, so that a step
  // reads table_[state + class] without a multiplication.
  // States below dense_limit_ (the root, the states nearest it and the
  // states with many edges) are full rows of row_width_ words: a transition
  // per class, then the output terminal (or -1).
  // Every other state is a record:
  //   failure state;
  //   a header: the edge count, kHasOutput, and kSingleChild when the state
  //     has one edge (then the low bits are that edge's class instead);
  //   (class, transition) pairs sorted by class, without kSingleChild.
  // Records are laid out depth first, so the one child of a state with a
  // single edge is the very next record, two words on: along a name the
  // walk knows the next state without waiting for a read, and the states
  // follow one another in memory. Their outputs are in record_outputs_, by
  // half the record's offset (records take an even number of words).
  static constexpr uint32_t kHasOutput = kEndsName;
  static constexpr uint32_t kSingleChild = uint32_t{1} << 30;
  static constexpr int32_t kChainStep = 2;  // the size of a record with one edge
  static constexpr uint32_t kEdgeBits = 0xFFFF;
  std::vector<uint32_t> table_;
  std::vector<int32_t> record_outputs_;
  int32_t dense_limit_ = 0;
  size_t row_width_ = 0;
  std::vector<Terminal> terminals_;
  // A byte's context: kAfterWord when the byte before is a name character
  // and not a trail byte, kTrail when the byte is a trail byte.
  static constexpr uint32_t kAfterWord = 1;
  static constexpr uint32_t kTrail = 2;
  // The context a byte gives the byte after it, unless it is a trail byte
  // (then the next context is 0): whether it is a name character, whether
  // it is a lead byte.
  std::array<uint8_t, 256> next_context_{};
  // Reading a byte, by its context: the class of its symbol, and whether, at
  // the root and between two characters, the byte (kByteStays) or its whole
  // character (kCharacterStays) leaves the automaton at the root without
  // ending a name. For most bytes of a line it does.
  static constexpr uint32_t kClassBits = 0xFFFF;
  static constexpr uint32_t kByteStays = uint32_t{1} << 16;
  static constexpr uint32_t kCharacterStays = uint32_t{1} << 17;
  std::array<uint32_t, size_t{4} * 256> byte_steps_{};
  uint32_t stamp_ = 0;
};

// Edge lists up to this long are searched front to back.
inline constexpr uint32_t kShortEdgeList = 8;

inline uint32_t NameAutomaton::next_state(int32_t state, uint16_t symbol_class) const {
  for (;;) {
    if (state < dense_limit_) return table_[static_cast<size_t>(state) + symbol_class];
    const uint32_t* record = table_.data() + state;
    const uint32_t header = record[1];
    if (header & kSingleChild) {
      if ((header & kEdgeBits) == symbol_class) {
        const auto child = static_cast<uint32_t>(state) + kChainStep;
        return child | (record[kChainStep + 1] & kHasOutput);
      }
      state = static_cast<int32_t>(record[0]);
      continue;
    }
    const size_t count = header & kEdgeBits;
    const uint32_t* edge = record + 2;
    if (count <= kShortEdgeList) {
      for (const uint32_t* end = edge + 2 * count; edge != end; edge += 2) {
        if (edge[0] == symbol_class) return edge[1];
      }
    } else {
      size_t lo = 0, hi = count;  // binary search over the pairs
      while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
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
  return record_outputs_[static_cast<size_t>(state - dense_limit_) / 2];
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
                                          uint32_t& context) const {
  while (pos < size) {
    const unsigned char byte = bytes[pos];
    const uint32_t step = byte_steps_[context * 256 + byte];
    if (step & kByteStays) {
      context = next_context_[byte];
      ++pos;
    } else if ((step & kCharacterStays) && pos + 1 < size) {
      context = 0;  // a trail byte never continues a word
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
  const uint32_t* byte_steps = byte_steps_.data();
  const int32_t dense_limit = dense_limit_;
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
  const size_t size = line.size();
  int32_t state = 0;
  uint32_t context = 0;
  for (size_t pos = 0; pos < size; ++pos) {
    if (state == 0 && !(context & kTrail)) {
      pos = skip_at_root(bytes, pos, size, context);
      if (pos == size) break;
    }
    const unsigned char byte = bytes[pos];
    const uint32_t byte_step = byte_steps[context * 256 + byte];
    context = (context & kTrail) ? 0 : next_context_[byte];
    const auto symbol_class = static_cast<uint16_t>(byte_step & kClassBits);
    uint32_t ends = 0;
    if (state < dense_limit) {
      const uint32_t transition = table[static_cast<size_t>(state) + symbol_class];
      state = state_of(transition);
      ends = transition & kEndsName;
    } else if ((table[state + 1] & (kSingleChild | kEdgeBits)) == (kSingleChild | symbol_class)) {
      state += kChainStep;  // along a chain: the next record
      ends = table[state + 1] & kHasOutput;
    } else {
      const uint32_t transition = next_state(state, symbol_class);
      state = state_of(transition);
      ends = transition & kEndsName;
    }
    if (ends) report_names_ending(output_of(state), line, pos + 1, found);
  }
}

}  // namespace zek
