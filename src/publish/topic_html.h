// A topic's text as HTML: paragraphs with their indents, spacing, borders
// and tab stops, character formatting, hot spots as links (to the help's own
// pages, or to a sibling help's pages computed from the context string),
// bitmaps and buttons. Shared by the single page and the project's pages,
// which differ only in how a link reaches a topic.
//
// Around it, the parts of a topic's page that both page forms share: the
// caption with the topic's title, the non-scrolling region, the text, the
// entry macros and the browse links.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "publish/help_index.h"
#include "publish/model.h"

namespace zek {

enum class PageMode { single_page, project };

// The part of a topic some text stands in.
enum class Region { non_scrolling, scrolling };

// Makes bitmaps available beside the pages.
class BitmapPlacer {
 public:
  virtual ~BitmapPlacer() = default;
  // The address (relative to the page) of the bitmap the help names; none
  // when it cannot be shown (missing, or of a kind a browser cannot show).
  virtual std::optional<std::string> place(std::string_view name) = 0;
  // After pages were written in parts at the same time: every name placed,
  // once, in the order the document names them, which place() may not
  // have been called in.
  virtual void met_in_order(const std::vector<std::string>& names) { (void)names; }
};

// What a page cannot be written with before the help-wide index is
// complete: where a hot spot of this help leads, and a bitmap's address. A
// draft of the single page writes a mark in their place, and the page's
// assembly writes them once the index is known.
class DeferredParts {
 public:
  virtual ~DeferredParts() = default;
  // The start of a hot spot leading to `target`, a topic of this help, up
  // to its text; `window` is the browsing-context name it opens in (empty:
  // the page's own).
  virtual void link_open(std::string& out, const TargetText& target, std::string_view window) = 0;
  // The end of that hot spot, after its text.
  virtual void link_close(std::string& out) = 0;
  virtual void bitmap(std::string& out, BitmapPlacement placement, std::string_view name) = 0;
};

// How a hot spot within this help is written: as text only (no topic
// defines its context string), as a button that opens a popup over the
// single page, or as a link.
enum class LinkShape : uint8_t { text_only, button, anchor };

// Where a hot spot within this help leads: for a button the popup's page
// name, for a link its address.
struct LinkDestination {
  LinkShape shape = LinkShape::text_only;
  std::string address;
};

class TopicHtml {
 public:
  TopicHtml(const HelpIndex& index, const DocumentTables& tables, PageMode mode,
            BitmapPlacer* bitmaps)
      : index_(&index), tables_(tables), mode_(mode), bitmaps_(bitmaps) {}
  // A writer for the single page's draft: hot spots of this help and
  // bitmaps go to `deferred`.
  TopicHtml(DeferredParts& deferred, const DocumentTables& tables)
      : index_(nullptr), deferred_(&deferred), tables_(tables), mode_(PageMode::single_page) {}

  // -K: hot spots in the brackets of the text output, 【jump】 and 《popup》.
  void set_link_brackets(bool on) { link_brackets_ = on; }

  // Starts `topic`, whose blocks are written next: the anchors inside it
  // are its own, and its hot spots lead to its targets.
  void begin_topic(const Topic& topic) const {
    topic_ = &topic;
    topic_points_.clear();
  }
  void blocks(std::string& out, const std::vector<Block>& list, Region region) const;

  // Whether a jump may land inside topic `index`'s text, below its top: the
  // single page then names its non-scrolling region for the landing rule.
  bool lands_inside(size_t index) const;

  // The address of topic `index` from a page of this help.
  std::string topic_href(size_t index) const;
  // The address a hot spot leads to in this help, with the topic it shows;
  // none when no topic defines the context string.
  std::optional<std::string> context_href(std::string_view context, size_t* topic) const;
  // Where a hot spot leads to `context` in this help.
  LinkDestination destination(std::string_view context) const;
  // The start of a hot spot within this help of `kind` and `look`, up to its
  // text; `window` is its browsing-context name (window_name()).
  static void open_link(std::string& out, const LinkDestination& destination, LinkKind kind,
                        LinkLook look, std::string_view window);
  // The end of that hot spot.
  static std::string_view link_end(LinkShape shape);
  // A bitmap shown from `address`, or its placeholder when it has none.
  static void bitmap_html(std::string& out, BitmapPlacement placement, std::string_view name,
                          const std::optional<std::string>& address);
  // The window name of a hot spot as a safe browsing-context name; empty for
  // the main window.
  static std::string window_name(std::string_view window);

 private:
  void paragraph(std::string& out, const Paragraph& paragraph, const char* tag) const;
  void table(std::string& out, const Block& block) const;
  void piece(std::string& out, const Piece& piece) const;
  void styled_text(std::string& out, const CharStyle& style, std::string_view text,
                   bool link) const;
  void hot_spot(std::string& out, const Piece& piece) const;
  void anchor_point(std::string& out, std::string_view context) const;
  const std::string& cached_window_name(std::string_view window) const;
  void append_topic_href(std::string& out, size_t index) const;
  void append_context_href(std::string& out, size_t topic, std::string_view context) const;
  void link_text(std::string& out, const Piece& piece) const;
  void bitmap(std::string& out, const Piece& piece) const;
  const std::string& char_css(const CharStyle& style) const;
  void inherit_common_css(const Paragraph& paragraph) const;
  const std::string& paragraph_style_css(const ParaStyle& style) const;

  const HelpIndex* index_;             // null in a draft
  DeferredParts* deferred_ = nullptr;  // a draft's hot spots and bitmaps
  const DocumentTables& tables_;
  PageMode mode_;
  BitmapPlacer* bitmaps_ = nullptr;
  bool link_brackets_ = false;
  mutable const Topic* topic_ = nullptr;  // the topic being written
  // The region of the blocks being written.
  mutable Region region_ = Region::scrolling;
  // The character CSS the paragraph being written carries for all its text,
  // and the latest style's CSS (runs repeat their style).
  mutable std::string inherited_css_;
  mutable CharStyle last_style_;
  mutable uint64_t last_tables_ = 0;  // the tables' changes when last_css_ was made
  mutable std::string last_css_;
  // The latest paragraph formatting and its CSS.
  mutable ParaStyle last_para_style_;
  mutable std::string last_para_css_;
  mutable bool last_para_css_known_ = false;
  // The latest hot-spot window and its browsing-context name.
  mutable std::unordered_set<std::string> topic_points_;  // anchors written in the topic
  // Window names made lately, by the name a hot spot gives: a help names
  // the same few windows over and over.
  static constexpr size_t kCachedWindows = 8;
  mutable std::array<std::pair<std::string, std::string>, kCachedWindows> window_names_;
  mutable size_t cached_windows_ = 0;
  const std::string no_window_;
};

// The CSS of a paragraph's formatting (empty for the defaults).
std::string paragraph_css(const ParaStyle& style);

// A font's CSS font-family list: its name when that is safe to use, then
// fallbacks by family and character set (Japanese fonts for charset 128).
std::string font_family_css(const FontEntry& font);

// Appends the inside of topic `index`'s page or section.
void append_topic_parts(std::string& out, const Topic& topic, size_t index, const HelpIndex& help,
                        const TopicHtml& html);

// The parts of the inside of a topic's page or section, in their order:
// the caption with its title, the entry macros, the non-scrolling region
// (its start tag takes `region_attributes`) and the text, and the browse
// links (addresses empty where the topic has no neighbour).
void append_caption(std::string& out, std::string_view title);
void append_entry_macros(std::string& out, const Topic& topic);
void append_topic_text(std::string& out, const Topic& topic, const TopicHtml& html,
                       std::string_view region_attributes);
void append_browse_links(std::string& out, std::string_view previous, std::string_view next);

// The text a topic is listed by: its title, or its page name when it has none.
std::string listed_title(const HelpIndex& help, size_t index);

// The most anchors a topic gets in the single page, one per context string
// in the order the topic defines them; further context strings of a topic
// still lead to it from this help's own hot spots.
constexpr size_t kMaxPageAnchors = 32;

// Whether the context string of `key` has its own anchor in the single page.
bool has_page_anchor(const TopicEntry& entry, std::string_view key);

// Style rules both page forms share.
extern const char kCommonStyle[];

}  // namespace zek
