// The symbols the name automaton reads instead of raw bytes, one per byte:
// the byte itself, or 256 + itself when it is the trail byte of a
// double-byte character, and 512 more when the byte starts a word. A name
// encoded this way occurs in an encoded line exactly where it occurs in the
// line at a character boundary with a whole-word left edge. The right edge
// is not a symbol (it would cost a step at every word end): a name that
// ends in a word (ends_in_word) is accepted only where no name character
// follows it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/sjis.h"

namespace zek {

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

}  // namespace zek
