// The single page: every topic a section of one document, shown by the
// :target rules of its style sheet; popups as popovers beside them; the
// contents and the index in a side bar.
//
// Without script a page shows the section whose anchor the address names.
// Each topic is written as its anchors (one empty element per context
// string) followed by its section, all siblings, so that "an anchor that is
// the target, then any further anchors, then a section" selects the topic a
// jump names, also for an alias. The first topic is written last: it shows
// when no anchor before it is the target. So that a browser can draw it
// before it has read a long page to its end, a copy of it stands at the
// start, under the topic that is shown (which covers it at least a window
// high); the copy has no anchors and cannot be focused. The contents and the
// index stand after the topics, shown beside them by the style sheet: a
// browser draws the first topic once it has read that far, and a long
// contents list before it kept the page blank for seconds.
#include <cstdint>

#include "base/cat.h"
#include "publish/help_index.h"
#include "publish/help_reader.h"
#include "publish/page_names.h"
#include "publish/publish.h"
#include "publish/topic_html.h"

namespace zek {

namespace {

// The most anchors a topic gets in the single page; further context strings
// of a topic still lead to it from this help's own hot spots.
constexpr size_t kMaxAnchors = 32;
constexpr size_t kFlushSize = size_t{1} << 18;

const char kSingleStyle[] =
    "body{margin:0;display:flex}\n"
    "nav.side{order:-1;flex:0 0 15em;height:100vh;overflow:auto;position:sticky;top:0;"
    "border-right:1px solid #ccc;padding:0 .5em;box-sizing:border-box}\n"
    "nav.side h2{font-size:1.1em}nav.side ul{padding-left:1.2em}\n"
    "main{flex:1;min-width:0;padding:0 1em}\n"
    "main>section{display:none}\n"
    "main>section.first{display:block}\n"
    "main>.an:target~section.first{display:none}\n"
    "main{position:relative}\n"
    "main>section{position:relative;z-index:1;background:#fff;min-height:100vh}\n"
    "main>section.intro{display:block;position:absolute;top:0;left:1em;right:1em;z-index:0;"
    "max-height:100vh;overflow:hidden}\n"
    ".nsr{position:sticky;top:0;z-index:1}\n"
    ".popup{max-width:30em;border:1px solid #444;box-shadow:3px 3px 6px #888;padding:.5em}\n"
    ".popup:target{display:block;position:fixed;top:4em;left:20em}\n"
    ".popup .caption{display:none}\n";

// "main>.an:target+section", "main>.an:target+.an+section", ...: a section
// is shown when one of its anchors is the target.
std::string anchor_rules(size_t most) {
  std::string rules;
  for (size_t k = 0; k < most && k < kMaxAnchors; ++k) {
    if (k != 0) rules += ",\n";
    rules += "main>.an:target";
    for (size_t j = 0; j < k; ++j) rules += "+.an";
    rules += "+section";
  }
  if (!rules.empty()) rules += "{display:block!important}\n";
  return rules;
}

class SinglePage {
 public:
  SinglePage(const PublishJob& job, const HelpIndex& help, const DocumentTables& tables,
             OutputStream& page)
      : help_(help),
        html_(help, tables, PageMode::single_page, job.bitmaps),
        page_(page),
        encoder_(job.to_utf8) {
    html_.set_link_brackets(job.link_brackets);
  }

  void head();
  void topic(const Topic& topic, size_t index);
  bool finish();

 private:
  void contents();
  void keyword_index();
  void flush();

  const HelpIndex& help_;
  TopicHtml html_;
  OutputStream& page_;
  PageEncoder encoder_;
  std::string out_;
  std::string first_;  // the first topic, written last
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
  const TopicEntry& entry = help_.topic(index);
  if (entry.popup) {
    append(out_, "<div class=\"popup\" popover id=\"", entry.page, "\">\n");
    append_topic_parts(out_, topic, index, help_, html_);
    out_ += "</div>\n";
    flush();
    return;
  }
  const bool first = index == help_.first_topic();
  std::string& out = first ? first_ : out_;
  if (entry.contexts.empty()) append(out, "<a class=\"an\" id=\"", entry.page, "\"></a>");
  for (size_t k = 0; k < entry.contexts.size() && k < kMaxAnchors; ++k) {
    append(out, "<a class=\"an\" id=\"", page_name(entry.contexts[k]), "\"></a>");
  }
  append(out, first ? "\n<section class=\"topic first\">\n" : "\n<section class=\"topic\">\n");
  const size_t parts = out.size();
  append_topic_parts(out, topic, index, help_, html_);
  if (first) {  // the copy that is drawn while the rest of the page is read
    append(out_, "<section class=\"intro\" inert aria-hidden=\"true\">\n",
           std::string_view(first_).substr(parts), "</section>\n");
  }
  out += "</section>\n";
  flush();
}

void SinglePage::flush() {
  if (out_.size() < kFlushSize) return;
  if (!page_.write(encoder_.encode(out_))) failed_ = true;
  out_.clear();
}

bool SinglePage::finish() {
  out_ += first_;
  out_ += "</main>\n<nav class=\"side\">\n";
  contents();
  keyword_index();
  out_ += "</nav>\n</body>\n</html>\n";
  if (!page_.write(encoder_.encode(out_))) failed_ = true;
  out_.clear();
  return !failed_;
}

}  // namespace

bool write_single_page(const PublishJob& job, OutputStream& page) {
  const HelpIndex help = index_help(job);
  Topic topic;
  const std::unique_ptr<RtfSource> source = job.open_rtf();
  HelpReader reader(*source);
  // The tables are read before the first topic; a page needs them from the start.
  SinglePage writer(job, help, reader.tables(), page);
  writer.head();
  for (size_t index = 0; reader.next_topic(topic) && index < help.size(); ++index) {
    writer.topic(topic, index);
  }
  return writer.finish();
}

}  // namespace zek
