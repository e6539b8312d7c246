// The writers through which every byte of the output file passes. The parts
// of the document (a line end, body text, a footnote, a hot spot, a raw RTF
// line, a page break...) are each one call that writes the part's RTF, or
// in text mode its plain rendering, and tells the listeners (-C) about it.
// Below them, the byte writers: raw RTF, escaped text, the trace listing and
// the plain rendering, which apply the byte rules (tabs, control bytes,
// double-byte characters, -X escapes, escaping, raw regions) and keep the
// column counter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "io/sink.h"
#include "output/output_listener.h"

namespace zek {

// Bytes an author writes into body text to switch escaping off and on.
inline constexpr char kRawOn = 0x13;
inline constexpr char kRawOff = 0x11;

// How the plain rendering shows a hot spot: its text alone, or between the
// brackets of a jump (【】) or of a popup (《》) under -K.
enum class HotSpotBrackets : uint8_t { none, jump, popup };

// A hot spot as the document holds it.
struct HotSpot {
  std::string_view group_word;  // "strike", "ul" or "uldb"
  std::string_view text;        // the visible text, escaped in RTF
  std::string_view jump_code;   // the hidden jump code after it (RTF only)
  HotSpotBrackets brackets = HotSpotBrackets::none;
  size_t target = 0;  // the name's number in the name table, for the listeners
};

// Where the text of a "K" footnote came from.
enum class KeywordSource : uint8_t {
  given,         // the author's keyword or a name
  empty_search,  // a .search without argument: the topic title stands in
};

// The line of 78 hyphens that stands for a top or bottom border in the plain
// rendering.
inline constexpr std::string_view kBorderLine =
    "------------------------------------------------------------------------------\r\n";

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
  // One help-compiler footnote: mark, "{\footnote ", mark, text, "}\r\n"
  // (put_footnote); the listeners hear of it.
  void footnote(char mark, std::string_view text);
  // A hot spot: "{\word text}" with the text escaped, followed by rtf(code),
  // written in one go.
  void hot_spot(std::string_view word, std::string_view text, std::string_view code);

  // The RTF writers write only to an open file and never in text mode.
  bool rtf_active() const { return out.is_open() && !text_mode; }

  // The parts of the document. Each writes its RTF, or in text mode its plain
  // rendering, and tells the listeners (output_listener.h).

  // .start's "{\rtf1 \ansi" and .end's closing "}" (a line end in the plain
  // rendering).
  void document_start();
  void document_end();
  // A line of the document ends: `rtf` (a paragraph or line mark, a group's
  // closing, or a bare "\r\n"), and a line end in the plain rendering.
  void line_end(std::string_view rtf) {
    this->rtf(rtf);
    plain_in_text_mode("\r\n");
  }
  // Escaped text of a body line or a title; the plain rendering shows it.
  void body_text(std::string_view text) {
    this->text(text);
    plain_in_text_mode(text);
  }
  // A body-text line about to be written in pieces (body_text and hot_spot):
  // only the listeners hear of it.
  void body_line(std::string_view text, bool in_group) {
    tell([&](OutputListener& l) { l.body_line(text, in_group); });
  }
  // A top or bottom border: the RTF has it in the paragraph's \brdr words,
  // the plain rendering draws a line of hyphens.
  void border_rule();
  // Raw RTF written as the author gave it, also to the plain rendering; the
  // line form adds "\r\n".
  void raw_rtf(std::string_view rtf, bool in_group);
  void raw_rtf_line(std::string_view rtf, bool in_group);
  // Control words (ending in "\r\n") that set .font and .size, among others,
  // outside a body line's group; -1 for a value not given.
  void lasting_format(std::string_view control_words, int32_t font, int32_t size, bool in_group);
  // A header's "$" title footnote, which begins a topic.
  void topic_title(std::string_view title, bool popup);
  // "{\page }": the page ends; the plain rendering draws a line of "━".
  void page_break();
  // "#{\footnote #XX<n>}", the numbered context string of name number `number`.
  void context_number(int32_t number);
  // The browse-sequence footnote "+{\footnote <name>:<number>}" (the mark
  // is not repeated in its text).
  void browse_footnote(std::string_view name, std::string_view number);
  // A "K" footnote.
  void keywords(std::string_view keywords, KeywordSource source);
  // "!{\footnote !<macro>}" with the macro as raw RTF; `jump_target` when
  // the macro jumps to a context string of this help file.
  void macro_footnote(std::string_view macro, std::optional<std::string_view> jump_target);
  // A hot spot; the plain rendering shows its text.
  void hot_spot(const HotSpot& spot) {
    if (rtf_active()) {
      hot_spot(spot.group_word, spot.text, spot.jump_code);
    } else if (text_mode) {
      plain_hot_spot(spot);
    }
    // The target by value, so that the spot itself need not be kept in memory.
    tell([target = spot.target](OutputListener& l) { l.hot_spot(target); });
  }
  // A shortcut button written as `rtf`; the plain rendering shows its label
  // in angle brackets.
  void button(std::string_view rtf, std::string_view label);

  // Listeners hear every part written from now on (nothing while no file is
  // open, as in pass 1), each once however often it is added, until it is
  // removed.
  void add_listener(OutputListener& listener);
  void remove_listener(OutputListener& listener);

 private:
  void walk(std::string_view text, bool escaped);
  void write_footnote(char mark, std::string_view text);
  void plain_hot_spot(const HotSpot& spot);
  void plain_in_text_mode(std::string_view text) {
    if (text_mode) plain(text);
  }
  // Calls `event` on each listener while the output is open (pass 2); with
  // none, nothing is done.
  template <typename Event>
  void tell(Event event) {
    if (listeners_.empty() || !out.is_open()) return;
    for (OutputListener* listener : listeners_) event(*listener);
  }

  std::vector<OutputListener*> listeners_;
};

}  // namespace zek
