// What a listener hears of the document while it is written: one event per
// part a handler writes (a topic's title, a footnote, a hot spot, a raw RTF
// line, a page break...), in the order of writing, with the plain values the
// part was made of. The -C record is one listener; any consumer that follows
// the document topic by topic can be another. Every event does nothing by
// default, so a listener overrides only what it follows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zek {

class OutputListener {
 public:
  OutputListener() = default;
  OutputListener(const OutputListener&) = delete;
  OutputListener& operator=(const OutputListener&) = delete;
  virtual ~OutputListener() = default;

  // .start wrote "{\rtf1 \ansi": the writers' column counter before and after it.
  virtual void document_started(uint32_t /*column_before*/, uint32_t /*column_after*/) {}
  // .end wrote the document's closing "}"; the column counter after it.
  virtual void document_ended(uint32_t /*column*/) {}

  // A header's "$" title footnote: a topic (or a popup) begins.
  virtual void topic_begun(std::string_view /*title*/, bool /*popup*/) {}
  // "{\page }": the current page (topic) ends; a header, .page or .end wrote it.
  virtual void page_ended() {}

  // A "#", "K", "+" or "!" footnote, with its text as the author wrote it
  // (a "#" text before sanitizing, a "!" macro without its mark).
  virtual void footnote(char /*mark*/, std::string_view /*text*/) {}
  // "#{\footnote #XX<n>}": the numbered context string of name number `number`
  // (-1 for a name without an entry).
  virtual void context_number(int32_t /*number*/) {}
  // A .search without an argument, whose keyword footnote, about to follow,
  // holds the topic title in its place.
  virtual void keyword_from_title() {}
  // A group button's macro footnote jumps to `context_string` in this help file.
  virtual void group_jump(std::string_view /*context_string*/) {}

  // A body-text line about to be written (in pieces, around its hot spots):
  // its whole text, whose raw regions may hold jump codes and braces.
  // `in_group` when a group of the converter's own is open around it (an
  // indent, a non-scrolling region, a framed line).
  virtual void body_line(std::string_view /*text*/, bool /*in_group*/) {}
  // A hot spot that jumps to name number `target` (an index, not an XX number).
  virtual void hot_spot(size_t /*target*/) {}
  // A raw RTF line, as the author wrote it without its line end; `in_group`
  // as for body_line.
  virtual void raw_rtf(std::string_view /*rtf*/, bool /*in_group*/) {}
  // .font and .size written outside a body line's group, so that they hold
  // until changed (-1: not given); `in_group` as for body_line.
  virtual void lasting_format(int32_t /*font*/, int32_t /*size*/, bool /*in_group*/) {}
};

}  // namespace zek
