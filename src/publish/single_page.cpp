// The single page: every topic a section of one document, shown by the
// :target rules of its style sheet; popups as popovers beside them; the
// contents and the index in a side bar.
//
// Without script a page shows the section whose anchor the address names.
// Each topic is written as its anchors (one empty element per context
// string) followed by its section, siblings in a group of topics, so that
// "an anchor that is the target, then any further anchors, then a section"
// selects the topic a jump names, also for an alias. The first topic, first
// in the page too, is always shown, so that a browser draws it as soon as it
// has read it; all topics share one cell of a grid, and the one a jump
// shows, standing later, covers it with its background and stretches to its
// height. Nothing then has to hide the first topic: a rule of the form
// "target ~ first topic" made every change of the target restyle all the
// topics after it, and anchors in the flow of the page made it lay out every
// anchor again. Anchors are laid out only as the target, at the top of the
// topics. The contents and the index stand after the topics, shown beside
// them by the style sheet: a long contents list before the topics kept the
// page blank for seconds.
//
// A context string defined inside a topic's text (an alias after some text)
// has its anchor before the section like the others, so that it shows the
// topic; the anchor is then placed by CSS anchor positioning onto the point
// in the text where the context string stands (and above it by the height of
// the non-scrolling region, which covers the top of the window), so that the
// browser scrolls there. Without anchor positioning the topic shows from its
// top.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include "base/cat.h"
#include "io/memory.h"
#include "io/sink.h"
#include "publish/help_index.h"
#include "publish/page_draft.h"
#include "publish/page_names.h"
#include "publish/publish.h"
#include "publish/spool.h"
#include "publish/topic_html.h"

namespace zek {

namespace {

constexpr size_t kFlushSize = size_t{1} << 16;
// The page's text is handed to its writing thread in buffers this large:
// each hand-over may wake that thread, which costs about as much as
// composing a small buffer.
constexpr size_t kPageBufferSize = size_t{1} << 17;
// Topics and popups per group.
constexpr size_t kGroupSize = 100;

// The topics stand in groups that generate no box of their own, so that the
// browser, showing another topic, walks the siblings of one group rather
// than those of every topic. The topics share one cell of a grid, so that a
// later one covers an earlier one and stretches to its height; the first
// topic, always shown, lies under the one a jump shows. An anchor is laid
// out only as the target, at the top of the topics (or where anchor
// positioning puts it).
// The contents and the index are laid out and drawn only while they are in
// view of the side bar: long lists made the first jump after the page was
// read take twice as long.
const char kSingleStyle[] =
    "body{margin:0;display:flex}\n"
    "nav.side{order:-1;flex:0 0 15em;height:100vh;overflow:auto;position:sticky;top:0;"
    "border-right:1px solid #ccc;padding:0 .5em;box-sizing:border-box}\n"
    "nav.side h2{font-size:1.1em}nav.side ul{padding-left:1.2em}\n"
    "nav.side>div{content-visibility:auto;contain-intrinsic-block-size:auto 100vh}\n"
    "main{flex:1;min-width:0;padding:0 1em;position:relative;display:grid;"
    "grid-template-columns:minmax(0,1fr)}\n"
    ".g{display:contents}\n"
    ".g>section{display:none;grid-area:1/1;position:relative;z-index:1;background:#fff;"
    "min-height:100vh}\n"
    ".g>section.first{display:block}\n"
    ".g>.an{display:none}\n"
    ".g>.an:target{display:block;position:absolute;top:0}\n"
    ".nsr{position:sticky;top:0;z-index:1}\n"
    ".popup{max-width:30em;border:1px solid #444;box-shadow:3px 3px 6px #888;padding:.5em}\n"
    ".popup:target{display:block;position:fixed;top:4em;left:20em}\n"
    ".popup .caption{display:none}\n";

// ".g>.an:target+section", ".g>.an:target+.an+section", ...: a section
// is shown when one of its anchors is the target.
std::string anchor_rules(size_t most) {
  std::string rules;
  for (size_t k = 0; k < most && k < kMaxPageAnchors; ++k) {
    if (k != 0) rules += ",\n";
    rules += ".g>.an:target";
    for (size_t j = 0; j < k; ++j) rules += "+.an";
    rules += "+section";
  }
  if (!rules.empty()) rules += "{display:block!important}\n";
  return rules;
}

// The style of a jump's anchor that lands on the point in the text named
// `page`: placed there by CSS anchor positioning, and above it by the height
// of the topic's non-scrolling region when it has one (`region_page`), as
// that region stays over the top of the window. A browser without anchor
// positioning keeps the anchor at the top of the topics.
void landing_style(std::string& out, std::string_view page, std::string_view region_page) {
  const std::string point = cat("anchor(", css_anchor_name("A", page), " top)");
  out += " style=\"top:";
  if (region_page.empty()) {
    out += point;
  } else {
    append(out, "calc(", point, " - anchor-size(", css_anchor_name("N", region_page), " height))");
  }
  out += '"';
}

// What the marks of the draft stand for, found once: where each context
// string leads, and each bitmap in each placement as HTML in UTF-8 (the
// bitmaps placed in the order the document first names them).
struct ResolvedMarks {
  std::vector<LinkDestination> destinations;        // by context number
  std::vector<std::array<std::string, 3>> bitmaps;  // by file name number and placement
};

ResolvedMarks resolve_marks(const PublishJob& job, PageDraft& draft, const TopicHtml& html) {
  ResolvedMarks marks;
  marks.destinations.reserve(draft.contexts.size());
  for (const std::string& context : draft.contexts) {
    marks.destinations.push_back(html.destination(context));
  }
  constexpr std::array<BitmapPlacement, 3> kPlacements = {
      BitmapPlacement::left, BitmapPlacement::right, BitmapPlacement::character};
  for (const std::string& file : draft.bitmaps) {
    std::optional<std::string> address;
    if (job.bitmaps != nullptr) address = job.bitmaps->place(file);
    std::array<std::string, 3>& forms = marks.bitmaps.emplace_back();
    for (size_t k = 0; k < kPlacements.size(); ++k) {
      std::string html_text;
      TopicHtml::bitmap_html(html_text, kPlacements[k], file, address);
      forms[k] = draft.encoder.encode(html_text);
    }
  }
  return marks;
}

// Writes the draft's text with its marks written out.
class DraftText {
 public:
  DraftText(const PageDraft& draft, const HelpIndex& help, const TopicHtml& html,
            const ResolvedMarks& marks, OutputStream& page)
      : draft_(draft),
        help_(help),
        html_(html),
        marks_(marks),
        page_(kPageBufferSize),
        opening_numbers_(draft.contexts.size() * kLinkDigits) {
    page_.attach(&page);
  }

  // False when the text could not be read back or written.
  bool write();

 private:
  size_t take_mark(std::string_view text);
  size_t take_link(std::string_view text);
  size_t take_bitmap(std::string_view text);
  void topic_start();
  void topic_end();
  bool in_topic();
  void end_group();
  void put_written();

  const PageDraft& draft_;
  const HelpIndex& help_;
  const TopicHtml& html_;
  const ResolvedMarks& marks_;
  // The draft's text goes to the page as it is, by the buffer, and so do
  // the hot spots' tags; a topic's start and end are composed in out_ first.
  Sink page_;
  std::string out_;
  size_t topics_started_ = 0;
  size_t in_group_ = 0;  // topics and popups in the open group
  LinkShape open_link_ = LinkShape::text_only;
  // A hot spot's start tag, built once for each context number and kind and
  // look, and again when the window differs from the last one's: hot spots
  // to one topic mostly open in one window. One more than the tag's place
  // in openings_, 0 until it is built. Each fills one cache line with the
  // tag in it when it fits, as nearly all do: the page's hot spots lead
  // anywhere, and a tag kept apart cost another wait on memory for each.
  struct alignas(64) Opening {
    static constexpr size_t kHeld = 54;
    uint32_t window = 0;
    uint32_t long_tag = 0;                   // one more than its place in long_tags_; 0: held here
    LinkShape shape = LinkShape::text_only;  // how the tag's element is closed
    uint8_t size = 0;                        // of the tag held here
    std::array<char, kHeld> held{};
  };
  void build_opening(Opening& opening, uint32_t context, char digit, uint32_t window);
  std::string_view opening_tag(const Opening& opening) const {
    return opening.long_tag != 0 ? std::string_view(long_tags_[opening.long_tag - 1])
                                 : std::string_view(opening.held.data(), opening.size);
  }

  std::vector<uint32_t> opening_numbers_;
  std::vector<Opening> openings_;
  std::vector<std::string> long_tags_;
  std::string tag_;  // a tag being built
  bool failed_ = false;
};

// Reads the text back in chunks; a mark that a chunk cuts is taken with the next.
bool DraftText::write() {
  constexpr size_t kChunk = size_t{1} << 16;
  constexpr size_t kLongestMark = 32;
  std::string buffer(kChunk + kLongestMark, '\0');
  size_t kept = 0;
  uint64_t offset = 0;
  for (;;) {
    const size_t got = draft_.text->read_at(offset, buffer.data() + kept, kChunk);
    if (got == 0) break;
    offset += got;
    const std::string_view view(buffer.data(), kept + got);
    size_t position = 0;
    while (position < view.size()) {
      const size_t mark = view.find(kDraftMark, position);
      if (mark == std::string_view::npos) {
        page_.put(view.substr(position));
        position = view.size();
        break;
      }
      page_.put(view.substr(position, mark - position));
      position = mark;
      const size_t used = take_mark(view.substr(mark));
      if (used == 0) break;
      position += used;
    }
    kept = view.size() - position;
    if (kept > kLongestMark) return false;  // no mark is that long
    std::memmove(buffer.data(), buffer.data() + position, kept);
  }
  if (kept != 0 || draft_.text->failed()) failed_ = true;  // cut short, or inside a mark
  put_written();
  if (!page_.flush()) failed_ = true;
  return !failed_;
}

// Writes what the mark at the start of `text` stands for; returns its
// length, or 0 when `text` ends before the mark does. A hot spot's tags and
// a bitmap, the marks met most, go to the page as they are; a topic's start
// and end are composed first.
size_t DraftText::take_mark(std::string_view text) {
  if (text.size() < 2) return 0;
  switch (text[1]) {
    case 'l':
      page_.put(TopicHtml::link_end(open_link_));
      return 2;
    case 'L':
      return take_link(text);
    case 'B':
      return take_bitmap(text);
    case 'T':
      topic_start();
      break;
    case 'C':
      // A topic without a title is listed by its page name, which is ASCII.
      if (in_topic()) append_caption(out_, listed_title(help_, topics_started_ - 1));
      break;
    case 'N':
      if (in_topic()) {
        append(out_,
               " style=\"anchor-name:", css_anchor_name("N", help_.topic(topics_started_ - 1).page),
               '"');
      }
      break;
    case 'E':
      topic_end();
      break;
    default:
      failed_ = true;  // not a mark the draft writes
      break;
  }
  put_written();
  return 2;
}

size_t DraftText::take_link(std::string_view text) {
  constexpr size_t kLength = 3 + 2 * kMarkNumberWidth;
  if (text.size() < kLength) return 0;
  const char digit = text[2];
  const uint32_t context = read_mark_number(text.data() + 3);
  const uint32_t window = read_mark_number(text.data() + 3 + kMarkNumberWidth);
  if (context >= marks_.destinations.size() || window > draft_.windows.size()) {
    failed_ = true;
    return kLength;
  }
  const auto digit_number =
      static_cast<size_t>(static_cast<unsigned char>(digit) - '0') % kLinkDigits;
  uint32_t& number = opening_numbers_[context * kLinkDigits + digit_number];
  if (number == 0) {
    openings_.emplace_back().window = window + 1;  // built below, as no window is that one
    number = static_cast<uint32_t>(openings_.size());
  }
  Opening& opening = openings_[number - 1];
  if (opening.window != window) build_opening(opening, context, digit, window);
  open_link_ = opening.shape;
  page_.put(opening_tag(opening));
  return kLength;
}

void DraftText::build_opening(Opening& opening, uint32_t context, char digit, uint32_t window) {
  const LinkDestination& destination = marks_.destinations[context];
  tag_.clear();
  TopicHtml::open_link(tag_, destination, link_kind_of(digit), link_look_of(digit),
                       window == 0 ? std::string_view() : draft_.windows[window - 1]);
  opening.window = window;
  opening.shape = destination.shape;
  if (tag_.size() <= Opening::kHeld) {
    std::copy(tag_.begin(), tag_.end(), opening.held.begin());
    opening.size = static_cast<uint8_t>(tag_.size());
    opening.long_tag = 0;
    return;
  }
  if (opening.long_tag == 0) {
    long_tags_.emplace_back();
    opening.long_tag = static_cast<uint32_t>(long_tags_.size());
  }
  long_tags_[opening.long_tag - 1] = tag_;
}

size_t DraftText::take_bitmap(std::string_view text) {
  constexpr size_t kLength = 3 + kMarkNumberWidth;
  if (text.size() < kLength) return 0;
  const size_t placement = text[2] == 'l' ? 0 : text[2] == 'r' ? 1 : 2;
  const uint32_t name = read_mark_number(text.data() + 3);
  if (name >= marks_.bitmaps.size()) {
    failed_ = true;
    return kLength;
  }
  page_.put(marks_.bitmaps[name][placement]);
  return kLength;
}

void DraftText::topic_start() {
  const size_t index = topics_started_++;
  if (index >= help_.size()) {
    failed_ = true;
    return;
  }
  if (in_group_ == kGroupSize) end_group();
  if (in_group_ == 0) out_ += "<div class=\"g\">\n";
  ++in_group_;
  const TopicEntry& entry = help_.topic(index);
  if (entry.popup) {
    append(out_, "<div class=\"popup\" popover id=\"", entry.page, "\">\n");
    return;
  }
  const TopicDraftInfo& info = draft_.topics[index];
  if (entry.contexts.empty()) append(out_, "<a class=\"an\" id=\"", entry.page, "\"></a>");
  for (size_t k = 0; k < entry.contexts.size() && k < kMaxPageAnchors; ++k) {
    const std::string name = page_name(entry.contexts[k]);
    append(out_, "<a class=\"an\" id=\"", name, '"');
    if (!info.landing_keys.empty() &&
        std::ranges::find(info.landing_keys, lookup_key(entry.contexts[k])) !=
            info.landing_keys.end()) {
      landing_style(out_, name, info.has_non_scrolling ? std::string_view(entry.page) : "");
    }
    out_ += "></a>";
  }
  out_ += index == help_.first_topic() ? "\n<section class=\"topic first\">\n"
                                       : "\n<section class=\"topic\">\n";
}

// Whether a topic the index holds is being written; a mark of a topic
// outside one fails the page.
bool DraftText::in_topic() {
  if (topics_started_ != 0 && topics_started_ <= help_.size()) return true;
  failed_ = true;
  return false;
}

void DraftText::topic_end() {
  if (!in_topic()) return;
  const size_t index = topics_started_ - 1;
  const std::optional<size_t> previous = help_.previous(index);
  const std::optional<size_t> next = help_.next(index);
  append_browse_links(out_, previous ? html_.topic_href(*previous) : std::string(),
                      next ? html_.topic_href(*next) : std::string());
  out_ += help_.topic(index).popup ? "</div>\n" : "</section>\n";
}

void DraftText::end_group() {
  out_ += "</div>\n";
  in_group_ = 0;
}

void DraftText::put_written() {
  if (out_.empty()) return;
  page_.put(out_);
  out_.clear();
}

// Writes the page from its draft once the index is finished: the head, the
// draft's text with its marks written out, and the side bar.
class PageAssembly {
 public:
  PageAssembly(const PublishJob& job, PageDraft& draft, const HelpIndex& help, OutputStream& page)
      : job_(job),
        draft_(draft),
        help_(help),
        html_(help, no_tables_, PageMode::single_page, nullptr),
        page_(page) {}

  // False when the draft could not be read back or the page not written.
  bool write();

 private:
  void head();
  void contents();
  void keyword_index();
  // Writes what `cp932_` holds to the page, in UTF-8.
  void write_encoded();

  const PublishJob& job_;
  PageDraft& draft_;
  const HelpIndex& help_;
  const DocumentTables no_tables_;  // the assembly writes no text of a topic
  TopicHtml html_;
  OutputStream& page_;
  std::string cp932_;  // a part composed in code page 932
  bool failed_ = false;
};

bool PageAssembly::write() {
  const ResolvedMarks marks = resolve_marks(job_, draft_, html_);
  head();
  DraftText text(draft_, help_, html_, marks, page_);
  if (!text.write()) failed_ = true;
  if (help_.size() != 0) cp932_ += "</div>\n";  // the last group
  cp932_ += "</main>\n<nav class=\"side\">\n";
  contents();
  keyword_index();
  cp932_ += "</nav>\n</body>\n</html>\n";
  write_encoded();
  return !failed_;
}

void PageAssembly::head() {
  cp932_ += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
  cp932_ += "<meta name=\"viewport\" content=\"width=device-width\">\n<title>";
  if (help_.size() != 0) append_escaped(cp932_, listed_title(help_, help_.first_topic()));
  append(cp932_, "</title>\n<style>\n", kCommonStyle, kSingleStyle,
         anchor_rules(help_.most_contexts()), "</style>\n</head>\n<body>\n<main>\n");
  write_encoded();
}

void PageAssembly::contents() {
  cp932_ += "<div id=\"~contents\"><h2>Contents</h2>\n<ul>\n";
  for (const ContentsEntry& entry : help_.contents()) {
    if (!entry.book.empty()) {
      cp932_ += "<li>";
      append_escaped(cp932_, entry.book);
      cp932_ += "\n<ul>\n";
    }
    for (const size_t topic : entry.topics) {
      append(cp932_, "<li><a href=\"", html_.topic_href(topic), "\">");
      append_escaped(cp932_, listed_title(help_, topic));
      cp932_ += "</a></li>\n";
    }
    if (!entry.book.empty()) cp932_ += "</ul></li>\n";
    if (cp932_.size() >= kFlushSize) write_encoded();
  }
  cp932_ += "</ul></div>\n";
}

void PageAssembly::keyword_index() {
  cp932_ += "<div id=\"~index\"><h2>Index</h2>\n<ul>\n";
  for (const KeywordEntry& keyword : help_.keywords()) {
    cp932_ += "<li>";
    append_escaped(cp932_, keyword.keyword);
    const char* separator = ": ";
    for (const size_t topic : keyword.topics) {
      cp932_ += separator;
      separator = ", ";
      const bool popup = help_.topic(topic).popup;
      if (popup) {
        append(cp932_, "<button type=\"button\" class=\"pl\" popovertarget=\"",
               help_.topic(topic).page, "\">");
      } else {
        append(cp932_, "<a href=\"", html_.topic_href(topic), "\">");
      }
      append_escaped(cp932_, listed_title(help_, topic));
      cp932_ += popup ? "</button>" : "</a>";
    }
    cp932_ += "</li>\n";
    if (cp932_.size() >= kFlushSize) write_encoded();
  }
  cp932_ += "</ul></div>\n";
}

void PageAssembly::write_encoded() {
  if (!page_.write(draft_.encoder.encoded(cp932_))) failed_ = true;
  cp932_.clear();
}

}  // namespace

bool write_single_page(const PublishJob& job, OutputStream& page) {
  std::optional<PageDraft> draft = job.early_draft ? job.early_draft() : std::nullopt;
  if (!draft) {
    draft = draft_page(*job.open_rtf(), job.to_utf8, job.link_brackets);
  }
  // What the reading and drafting threads freed is of no more use.
  release_free_memory();
  HelpIndex& help = draft->index;
  help.set_popup_contexts(job.popup_contexts);
  help.finish();
  bool written = false;
  {
    PageAssembly assembly(job, *draft, help, page);
    written = assembly.write() && !draft->failed;
  }
  if (job.set_aside) job.set_aside(std::move(*draft));
  return written;
}

}  // namespace zek
