// The writers through which every byte of the output file passes: raw RTF,
// escaped text, footnotes, groups, the trace listing and the plain-text
// rendering. They apply the byte rules (tabs, control bytes, double-byte
// characters, -X escapes, escaping, raw regions) and keep the column counter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/sink.h"

namespace zek {

// Bytes an author writes into body text to switch escaping off and on.
inline constexpr char kRawOn = 0x13;
inline constexpr char kRawOff = 0x11;

class Writer {
 public:
  // The output file; not open during pass 1, so every writer is silent then.
  Sink out;
  bool text_mode = false;  // .TXT output: the RTF writers write nothing
  bool hex_kanji = false;  // -X: double-byte characters as \'XX escapes
  // Bytes the RTF writers have written in pass 2 (tabs count 5, double-byte
  // characters 2, escapes 2); printed by the trace listing.
  uint32_t column = 0;

  bool is_open() const { return out.is_open(); }

  // Raw RTF composed by the converter (rtf_printf).
  void rtf(std::string_view text);
  // Source text, escaped, with raw regions 0x13..0x11 written bare (text_printf).
  void text(std::string_view text);
  // Unconverted bytes, also in text mode; the column counter is untouched (debug_printf).
  void debug(std::string_view text);
  // The plain-text rendering of text mode (plain_printf); callers call it only in text mode.
  void plain(std::string_view text);
  // One help-compiler footnote: mark, "{\footnote ", mark, text, "}\r\n" (put_footnote).
  void footnote(char mark, std::string_view text);
  // A hot spot: "{\word text}" with the text escaped, followed by rtf(code),
  // written in one go.
  void hot_spot(std::string_view word, std::string_view text, std::string_view code);

  // The RTF writers write only to an open file and never in text mode.
  bool rtf_active() const { return out.is_open() && !text_mode; }

 private:
  void walk(std::string_view text, bool escaped);
};

}  // namespace zek
