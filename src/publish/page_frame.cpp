// The shared parts of a topic's page.
#include "publish/page_frame.h"

#include "base/cat.h"
#include "publish/html_text.h"

namespace zek {

const char kCommonStyle[] =
    "body{font-family:\"MS PGothic\",\"IPAPGothic\",\"IPAGothic\",\"Noto Sans CJK "
    "JP\",sans-serif;font-size:10pt}\n"
    "p,.tb div{margin:0}\n"
    "p.e{min-height:1.2em}\n"
    ".caption{font-size:1em;font-weight:normal;background:#e8ecf4;margin:0 0 .3em;padding:.2em "
    ".5em}\n"
    ".nsr{background:#f4f4f4;border-bottom:1px solid #ccc;padding:.2em 0;margin-bottom:.3em}\n"
    ".b{font-weight:bold}.i{font-style:italic}.u{text-decoration:underline}\n"
    ".uu{text-decoration:underline;border-bottom:1px solid}.s{text-decoration:line-through}\n"
    ".sc{font-variant:small-caps}.c{text-transform:uppercase}.t{white-space:pre}\n"
    "a.j,.j{color:#008000;text-decoration:underline}\n"
    "a.pl,.pl{color:#008000;text-decoration:underline;text-decoration-style:dotted}\n"
    "button.j,button.pl{font:inherit;background:none;border:0;padding:0;cursor:pointer}\n"
    ".np{color:inherit!important;text-decoration:none!important}.nu{text-decoration:none!important}"
    "\n"
    ".m{color:#008000;cursor:help}\n"
    ".btn{border:1px outset #aaa;padding:0 .3em;background:#eee;font-size:.9em;cursor:help}\n"
    ".bm{border:1px dashed #c00;color:#c00;padding:0 .2em}\n"
    ".bl{float:left;margin-right:.5em}.br{float:right;margin-left:.5em}\n"
    ".tb{border-collapse:collapse}.tb td{vertical-align:top;padding:0 .3em}\n"
    ".em{color:#666;font-size:.8em;margin:0}\n"
    ".browse{margin-top:1em;border-top:1px solid #ccc;padding-top:.2em}\n";

std::string listed_title(const HelpIndex& help, size_t index) {
  const TopicEntry& entry = help.topic(index);
  return entry.title.empty() ? entry.page : entry.title;
}

void append_topic_parts(std::string& out, const Topic& topic, size_t index, const HelpIndex& help,
                        const TopicHtml& html) {
  out += "<h1 class=\"caption\">";
  append_escaped(out, listed_title(help, index));
  out += "</h1>\n";
  if (!topic.macros.empty()) {
    out += "<p class=\"em\">";
    for (const std::string& macro : topic.macros) {
      out += "<code class=\"m\" title=\"";
      append_escaped(out, macro);
      out += "\">!";
      append_escaped(out, macro);
      out += "</code> ";
    }
    out += "</p>\n";
  }
  if (!topic.non_scrolling.empty()) {
    out += "<div class=\"nsr\">\n";
    html.blocks(out, topic.non_scrolling);
    out += "</div>\n";
  }
  out += "<div class=\"body\">\n";
  html.blocks(out, topic.blocks);
  out += "</div>\n";
  const std::optional<size_t> previous = help.previous(index);
  const std::optional<size_t> next = help.next(index);
  if (previous || next) {
    out += "<p class=\"browse\">";
    if (previous)
      append(out, "<a rel=\"prev\" href=\"", html.topic_href(*previous), "\">&lt;&lt;</a> ");
    if (next) append(out, "<a rel=\"next\" href=\"", html.topic_href(*next), "\">&gt;&gt;</a>");
    out += "</p>\n";
  }
}

}  // namespace zek
