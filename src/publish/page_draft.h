// The single page's draft: its topics written while the help is still being
// read, before the help-wide index is complete. What only the index decides
// (whether a topic is a popup, its page name when it has no context string
// of its own, where a hot spot leads, the browse links, the group a topic
// stands in) is left as a mark in the text, and the page's assembly
// (publish/single_page.cpp) writes it once the index is known. The bitmaps
// are marks too, so that they are copied in the order of the document.
//
// A mark is the byte 0x01, which the page's text never holds (escaping drops
// control bytes), a letter, and for some marks a digit and numbers:
//
//   T      a topic's start: its group, anchors and section, or its popup
//   C      its caption, for a topic without a title
//   N      the attributes of its non-scrolling region
//   E      its end: the browse links and the end of its section or popup
//   Lkcw   a hot spot's start: k its kind and look (link_digit()), c its
//          context string, w its window (0: none, else one more than its
//          number)
//   l      a hot spot's end
//   Bpn    a bitmap: p its placement ("l", "r" or "c"), n its file name
//
// A number is written in kMarkNumberWidth characters of six bits each, all
// ASCII, which the page's encoding leaves as they are; it names one of the
// strings the draft keeps (contexts, windows, bitmaps). The text goes to a
// temporary file as it is written, in UTF-8.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/string_hash.h"
#include "publish/help_index.h"
#include "publish/html_text.h"
#include "publish/model.h"
#include "publish/temporary_bytes.h"
#include "publish/topic_html.h"

namespace zek {

inline constexpr char kDraftMark = '\x01';

// What a topic's start needs besides the index: whether it has a
// non-scrolling region, and the lookup keys of the context strings that
// stand inside its scrolling text.
struct TopicDraftInfo {
  bool has_non_scrolling = false;
  std::vector<std::string> landing_keys;
};

// The finished draft, with every topic added to its index (not yet finished).
struct PageDraft {
  HelpIndex index;
  std::unique_ptr<TemporaryBytes> text;
  std::vector<std::string> contexts;  // as first spelt
  std::vector<std::string> windows;   // browsing-context names
  std::vector<std::string> bitmaps;   // file names
  std::vector<TopicDraftInfo> topics;
  PageEncoder encoder{nullptr};
  bool failed = false;
};

inline constexpr size_t kMarkNumberWidth = 6;

// Writes `number` at `at` as a mark writes it (kMarkNumberWidth characters).
inline void put_mark_number(char* at, uint32_t number) {
  for (size_t k = 0; k < kMarkNumberWidth; ++k) {
    at[k] = static_cast<char>('0' + (number & 0x3F));
    number >>= 6;
  }
}
// The number a mark wrote at `text` (kMarkNumberWidth characters). Inline:
// the page's assembly reads two for each hot spot.
inline uint32_t read_mark_number(const char* text) {
  uint32_t number = 0;
  for (size_t k = kMarkNumberWidth; k-- > 0;) {
    number =
        (number << 6) | (static_cast<uint32_t>(static_cast<unsigned char>(text[k]) - '0') & 0x3F);
  }
  return number;
}

// A hot spot's kind and look as one digit, and back; kLinkDigits of them.
inline constexpr size_t kLinkDigits = 6;
char link_digit(LinkKind kind, LinkLook look);
LinkKind link_kind_of(char digit);
LinkLook link_look_of(char digit);

class PageDrafter : private DeferredParts {
 public:
  PageDrafter(Utf8Converter to_utf8, bool link_brackets);
  PageDrafter(const PageDrafter&) = delete;
  PageDrafter& operator=(const PageDrafter&) = delete;

  // The font and colour tables as they stand after the next topic was read.
  void set_tables(const DocumentTables& tables);
  // Adds the next topic to the index and to the draft.
  void topic(const Topic& topic);
  // Everything written; the drafter is done.
  PageDraft finish();

 private:
  void link_open(std::string& out, const TargetText& target, std::string_view window) override;
  void link_close(std::string& out) override;
  void bitmap(std::string& out, BitmapPlacement placement, std::string_view name) override;
  uint32_t number_of_window(std::string_view window);
  void flush();

  DocumentTables tables_;
  TopicHtml html_;
  PageDraft draft_;
  std::string out_;  // code page 932, not yet written
  ContextNumbers context_numbers_;
  // By context number: how hot spots reach it (kReachedBy... bits), for the index.
  std::vector<uint8_t> reached_;
  std::unordered_map<std::string, uint32_t, StringViewHash, std::equal_to<>> window_numbers_;
  uint32_t last_window_number_ = 0;  // one more than the last window's number; 0: none yet
  std::unordered_map<std::string, uint32_t, StringViewHash, std::equal_to<>> bitmap_numbers_;
};

// Drafts every topic of the document `source` holds, on this thread.
PageDraft draft_page(RtfSource& source, Utf8Converter to_utf8, bool link_brackets);

}  // namespace zek
