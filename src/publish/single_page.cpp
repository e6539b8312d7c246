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
#include <cstdint>
#include <memory>
#include <unordered_set>

#include "base/cat.h"
#include "publish/help_index.h"
#include "publish/help_reader.h"
#include "publish/page_names.h"
#include "publish/page_parts.h"
#include "publish/publish.h"
#include "publish/spool.h"
#include "publish/topic_html.h"

namespace zek {

namespace {

constexpr size_t kFlushSize = size_t{1} << 16;
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

// The keys of the context strings that stand inside a topic's scrolling text.
std::unordered_set<std::string> landing_points(const Topic& topic, const TopicEntry& entry) {
  std::unordered_set<std::string> keys;
  if (entry.inner.empty()) return keys;
  for_each_piece(topic.blocks, [&keys](const Piece& piece) {
    if (piece.kind == PieceKind::anchor) keys.insert(lookup_key(piece.text));
  });
  return keys;
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

class SinglePage {
 public:
  SinglePage(const PublishJob& job, const HelpIndex& help, const DocumentTables& tables,
             OutputStream& page)
      : help_(help),
        html_(help, tables, PageMode::single_page, job.bitmaps),
        page_(&page),
        encoder_(job.to_utf8) {
    html_.set_link_brackets(job.link_brackets);
  }
  // Writes the topics from `first_topic` on into a scratch file of its own,
  // until they can follow those before them.
  SinglePage(const PublishJob& job, const HelpIndex& help, const DocumentTables& tables,
             size_t first_topic)
      : help_(help),
        html_(help, tables, PageMode::single_page, job.bitmaps),
        scratch_(std::make_unique<ScratchFile>()),
        page_(scratch_.get()),
        encoder_(job.to_utf8),
        in_group_(first_topic % kGroupSize) {
    html_.set_link_brackets(job.link_brackets);
  }

  void head();
  void topic(const Topic& topic, size_t index);
  // Ends the topics this writer writes when another writer writes those
  // after them: everything composed is written, and a full group is closed,
  // as the next topic would.
  void end_part();
  // Writes what `part` writes after this writer's topics, as it comes, until
  // its end_part(); false when it could not be copied.
  bool follow(const SinglePage& part);
  // Goes on from where the finished `part` ended.
  void continue_after(const SinglePage& part);
  bool finish();

 private:
  void contents();
  void keyword_index();
  void end_group();
  void flush();

  const HelpIndex& help_;
  TopicHtml html_;
  std::unique_ptr<ScratchFile> scratch_;
  OutputStream* page_;
  PageEncoder encoder_;
  std::string out_;
  size_t in_group_ = 0;  // topics and popups in the open group
  bool failed_ = false;
};

void SinglePage::head() {
  out_ += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
  out_ += "<meta name=\"viewport\" content=\"width=device-width\">\n<title>";
  if (help_.size() != 0) append_escaped(out_, listed_title(help_, help_.first_topic()));
  append(out_, "</title>\n<style>\n", kCommonStyle, kSingleStyle,
         anchor_rules(help_.most_contexts()), "</style>\n</head>\n<body>\n<main>\n");
}

void SinglePage::contents() {
  out_ += "<div id=\"~contents\"><h2>Contents</h2>\n<ul>\n";
  for (const ContentsEntry& entry : help_.contents()) {
    if (!entry.book.empty()) {
      out_ += "<li>";
      append_escaped(out_, entry.book);
      out_ += "\n<ul>\n";
    }
    for (const size_t topic : entry.topics) {
      append(out_, "<li><a href=\"", html_.topic_href(topic), "\">");
      append_escaped(out_, listed_title(help_, topic));
      out_ += "</a></li>\n";
    }
    if (!entry.book.empty()) out_ += "</ul></li>\n";
  }
  out_ += "</ul></div>\n";
}

void SinglePage::keyword_index() {
  out_ += "<div id=\"~index\"><h2>Index</h2>\n<ul>\n";
  for (const KeywordEntry& keyword : help_.keywords()) {
    out_ += "<li>";
    append_escaped(out_, keyword.keyword);
    const char* separator = ": ";
    for (const size_t topic : keyword.topics) {
      out_ += separator;
      separator = ", ";
      const bool popup = help_.topic(topic).popup;
      if (popup) {
        append(out_, "<button type=\"button\" class=\"pl\" popovertarget=\"",
               help_.topic(topic).page, "\">");
      } else {
        append(out_, "<a href=\"", html_.topic_href(topic), "\">");
      }
      append_escaped(out_, listed_title(help_, topic));
      out_ += popup ? "</button>" : "</a>";
    }
    out_ += "</li>\n";
  }
  out_ += "</ul></div>\n";
}

void SinglePage::topic(const Topic& topic, size_t index) {
  if (in_group_ == kGroupSize) end_group();
  if (in_group_ == 0) out_ += "<div class=\"g\">\n";
  ++in_group_;
  const TopicEntry& entry = help_.topic(index);
  if (entry.popup) {
    append(out_, "<div class=\"popup\" popover id=\"", entry.page, "\">\n");
    append_topic_parts(out_, topic, index, help_, html_);
    out_ += "</div>\n";
    flush();
    return;
  }
  const bool first = index == help_.first_topic();
  if (entry.contexts.empty()) append(out_, "<a class=\"an\" id=\"", entry.page, "\"></a>");
  const std::unordered_set<std::string> inside = landing_points(topic, entry);
  for (size_t k = 0; k < entry.contexts.size() && k < kMaxPageAnchors; ++k) {
    const std::string name = page_name(entry.contexts[k]);
    append(out_, "<a class=\"an\" id=\"", name, '"');
    if (inside.contains(lookup_key(entry.contexts[k]))) {
      landing_style(out_, name, topic.non_scrolling.empty() ? std::string() : entry.page);
    }
    out_ += "></a>";
  }
  append(out_, first ? "\n<section class=\"topic first\">\n" : "\n<section class=\"topic\">\n");
  append_topic_parts(out_, topic, index, help_, html_);
  out_ += "</section>\n";
  flush();
}

void SinglePage::end_part() {
  if (in_group_ == kGroupSize) end_group();
  if (!page_->write(encoder_.encode(out_))) failed_ = true;
  out_.clear();
  if (scratch_) scratch_->close();
}

bool SinglePage::follow(const SinglePage& part) {
  return part.scratch_->copy_to(*page_);
}

void SinglePage::continue_after(const SinglePage& part) {
  in_group_ = part.in_group_;
  failed_ = failed_ || part.failed_;
}

void SinglePage::flush() {
  if (out_.size() < kFlushSize) return;
  if (!page_->write(encoder_.encode(out_))) failed_ = true;
  out_.clear();
}

void SinglePage::end_group() {
  out_ += "</div>\n";
  in_group_ = 0;
}

bool SinglePage::finish() {
  if (in_group_ != 0) end_group();
  out_ += "</main>\n<nav class=\"side\">\n";
  contents();
  keyword_index();
  out_ += "</nav>\n</body>\n</html>\n";
  if (!page_->write(encoder_.encode(out_))) failed_ = true;
  out_.clear();
  return !failed_;
}

}  // namespace

bool write_single_page(const PublishJob& job, OutputStream& page) {
  const HelpIndex help = index_help(job);
  SharedPageTools shared(job, nullptr);
  const PublishJob first_job = shared.job_for(0);
  const PublishJob second_job = shared.job_for(1);
  const std::unique_ptr<RtfSource> source = job.open_rtf();
  HelpReader reader(*source);
  // The tables are read before the first topic; a page needs them from the start.
  SinglePage writer(first_job, help, reader.tables(), page);
  writer.head();
  const bool parts_written = write_in_parts(
      job, help, shared, reader, writer, [&](const DocumentTables& tables, size_t first_topic) {
        return std::make_unique<SinglePage>(second_job, help, tables, first_topic);
      });
  return parts_written && writer.finish();
}

}  // namespace zek
