// The parts of the document, each said once: its RTF, or in text mode its
// plain rendering, and the event the listeners hear.
#include <string>

#include "base/cat.h"
#include "output/writer.h"

namespace zek {

namespace {

// Brackets around hot spots in the plain rendering with -K: 【】 for jumps,
// 《》 for popups.
constexpr std::string_view kJumpOpen = "\x81\x79";
constexpr std::string_view kJumpClose = "\x81\x7A";
constexpr std::string_view kPopupOpen = "\x81\x73";
constexpr std::string_view kPopupClose = "\x81\x74";

// The plain rendering of a page break: 39 times "━" (0x84 0xAA).
std::string page_separator() {
  std::string line;
  for (int i = 0; i < 39; ++i) line += "\x84\xAA";
  return line + "\r\n";
}

}  // namespace

void Writer::add_listener(OutputListener& listener) {
  for (const OutputListener* known : listeners_) {
    if (known == &listener) return;
  }
  listeners_.push_back(&listener);
}

void Writer::remove_listener(OutputListener& listener) {
  std::erase(listeners_, &listener);
}

void Writer::document_start() {
  const uint32_t column_before = column;
  rtf("{\\rtf1 \\ansi");
  rtf("\r\n");
  tell([&](OutputListener& l) { l.document_started(column_before, column); });
}

void Writer::document_end() {
  line_end("}\r\n");
  tell([&](OutputListener& l) { l.document_ended(column); });
}

void Writer::border_rule() {
  plain_in_text_mode(kBorderLine);
}

void Writer::raw_rtf(std::string_view rtf, bool in_group) {
  tell([&](OutputListener& l) { l.raw_rtf(rtf, in_group); });
  this->rtf(rtf);
  plain_in_text_mode(rtf);
}

void Writer::raw_rtf_line(std::string_view rtf, bool in_group) {
  tell([&](OutputListener& l) { l.raw_rtf(rtf, in_group); });
  // One piece: the plain rendering leaves out a line that held only markup.
  const std::string line = cat(rtf, "\r\n");
  this->rtf(line);
  plain_in_text_mode(line);
}

void Writer::lasting_format(std::string_view control_words, int32_t font, int32_t size,
                            bool in_group) {
  tell([&](OutputListener& l) { l.lasting_format(font, size, in_group); });
  rtf(control_words);
}

void Writer::topic_title(std::string_view title, bool popup) {
  write_footnote('$', title);
  tell([&](OutputListener& l) { l.topic_begun(title, popup); });
}

void Writer::page_break() {
  rtf("{\\page }\r\n");
  if (text_mode) {
    static const std::string separator = page_separator();
    plain(separator);
  }
  tell([](OutputListener& l) { l.page_ended(); });
}

void Writer::context_number(int32_t number) {
  rtf(cat("#{\\footnote #XX", static_cast<uint32_t>(number), "}\r\n"));
  tell([&](OutputListener& l) { l.context_number(number); });
}

void Writer::keywords(std::string_view keywords, KeywordSource source) {
  if (source == KeywordSource::empty_search)
    tell([](OutputListener& l) { l.keyword_from_title(); });
  footnote('K', keywords);
}

void Writer::footnote(char mark, std::string_view text) {
  write_footnote(mark, text);
  tell([&](OutputListener& l) { l.footnote(mark, text); });
}

void Writer::browse_footnote(std::string_view name, std::string_view number) {
  rtf("+{\\footnote ");
  text(name);
  rtf(cat(':', number, "}\r\n"));
  if (!listeners_.empty()) {
    const std::string sequence = cat(name, ':', number);
    tell([&](OutputListener& l) { l.footnote('+', sequence); });
  }
}

void Writer::macro_footnote(std::string_view macro, std::optional<std::string_view> jump_target) {
  rtf(cat("!{\\footnote !", macro, "}\r\n"));
  tell([&](OutputListener& l) { l.footnote('!', macro); });
  if (jump_target) tell([&](OutputListener& l) { l.group_jump(*jump_target); });
}

void Writer::plain_hot_spot(const HotSpot& spot) {
  if (spot.brackets == HotSpotBrackets::none) {
    plain(spot.text);
    return;
  }
  // The brackets and the text in one piece, as one text for the markup rules.
  const bool popup = spot.brackets == HotSpotBrackets::popup;
  std::string piece;
  piece.reserve(kJumpOpen.size() + spot.text.size() + kJumpClose.size());
  piece.append(popup ? kPopupOpen : kJumpOpen);
  piece.append(spot.text);
  piece.append(popup ? kPopupClose : kJumpClose);
  plain(piece);
}

void Writer::button(std::string_view rtf, std::string_view label) {
  this->rtf(rtf);
  if (text_mode) plain(cat("  <", label, "> "));
}

}  // namespace zek
