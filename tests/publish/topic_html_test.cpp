// Where a hot spot leads on a topic's page, in the single page and in the
// project's pages.
#include "publish/topic_html.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "publish/help_reader.h"

namespace zek {
namespace {

// A help whose first topic holds `hot_spot`; the others are what it leads to:
// a topic with an alias inside its text, a popup, and a topic with more
// context strings than the single page gives anchors, one more inside its text.
std::string help_rtf(const std::string& hot_spot) {
  std::string rtf = "{\\rtf1 \\ansi\r\n#{\\footnote #HOME}Start " + hot_spot +
                    "{\\par }{\\page }\r\n"
                    "${\\footnote $Two}#{\\footnote #XX1}Two #{\\footnote #Alias}after"
                    "{\\par }{\\page }\r\n"
                    "#{\\footnote #NOTE}A note{\\par }{\\page }\r\n";
  for (int i = 0; i < 32; ++i) rtf += "#{\\footnote #C" + std::to_string(i) + "}";
  return rtf + "Many{\\par }#{\\footnote #LATE}late{\\par }{\\page }\r\n}";
}

// The first topic's text as HTML.
std::string first_topic_html(const std::string& rtf, PageMode mode) {
  HelpIndex index;
  {
    RtfStringSource source(rtf);
    HelpReader reader(source, ReadFor::index);
    Topic topic;
    while (reader.next_topic(topic)) index.add(topic);
  }
  index.finish();
  RtfStringSource source(rtf);
  HelpReader reader(source);
  Topic topic;
  EXPECT_TRUE(reader.next_topic(topic));
  const DocumentTables tables = reader.tables();
  const TopicHtml html(index, tables, mode, nullptr);
  std::string out;
  html.begin_topic(topic);
  html.blocks(out, topic.blocks, Region::scrolling);
  return out;
}

struct HrefCase {
  std::string hot_spot;
  std::string single_page;  // the fragment the single page holds
  std::string project;      // the fragment a project page holds
};

TEST(TopicHtmlTest, WhereHotSpotsLead) {
  const HrefCase cases[] = {
      // A topic's first context string.
      {"{\\uldb Two}{\\v XX1}", "<a class=\"j\" href=\"#xx1\">",
       "<a class=\"j\" href=\"xx1.htm\">"},
      // One of its further context strings at its top: the topic itself.
      {"{\\uldb Five}{\\v c5}", "<a class=\"j\" href=\"#c0\">", "<a class=\"j\" href=\"c0.htm\">"},
      // An alias inside the text, in another letter case.
      {"{\\uldb Al}{\\v ALIAS}", "<a class=\"j\" href=\"#alias\">",
       "<a class=\"j\" href=\"xx1.htm#alias\">"},
      // Inside the text but beyond the anchors the single page gives a topic.
      {"{\\uldb Late}{\\v LATE}", "<a class=\"j\" href=\"#c0\">",
       "<a class=\"j\" href=\"c0.htm#late\">"},
      // No topic defines it: the text without a link.
      {"{\\uldb Gone}{\\v MISSING}", "<span class=\"nl\">", "<span class=\"nl\">"},
      // A topic only popups lead to.
      {"{\\ul Note}{\\v NOTE}", "<button type=\"button\" class=\"pl\" popovertarget=\"note\">",
       "<a class=\"pl\" href=\"note.htm\">"},
      // Into another help, which need not exist.
      {"{\\uldb Far}{\\v XX9@Dir\\\\Other.hlp}", "<a class=\"j\" href=\"other.html#xx9\">",
       "<a class=\"j\" href=\"../other/xx9.htm\">"},
      {"{\\ul Far}{\\v Odd.Name@other.hlp}", "<a class=\"pl\" href=\"other.html#odd~2ename\">",
       "<a class=\"pl\" href=\"../other/odd~2ename.htm\">"},
      // In a window of its own; the main window is no target.
      {"{\\uldb Win}{\\v XX1>Win2}", "<a class=\"j\" href=\"#xx1\" target=\"w-win2\">",
       "<a class=\"j\" href=\"xx1.htm\" target=\"w-win2\">"},
      {"{\\uldb Main}{\\v XX1>main}", "<a class=\"j\" href=\"#xx1\">",
       "<a class=\"j\" href=\"xx1.htm\">"},
      // A macro: nothing a browser runs.
      {"{\\uldb Run}{\\v !Exec(\"x<y\")}", "<span class=\"m\" title=\"Exec(&quot;x&lt;y&quot;)\">",
       "<span class=\"m\" title=\"Exec(&quot;x&lt;y&quot;)\">"},
  };
  for (const HrefCase& c : cases) {
    const std::string rtf = help_rtf(c.hot_spot);
    const std::string single = first_topic_html(rtf, PageMode::single_page);
    const std::string project = first_topic_html(rtf, PageMode::project);
    EXPECT_NE(single.find(c.single_page), std::string::npos) << c.hot_spot << "\n" << single;
    EXPECT_NE(project.find(c.project), std::string::npos) << c.hot_spot << "\n" << project;
    // Exactly one link or button, and a target only where the case has one.
    for (const std::string* page : {&single, &project}) {
      const size_t links = page->find("<a ") != std::string::npos ? 1 : 0;
      const size_t buttons = page->find("<button") != std::string::npos ? 1 : 0;
      const bool inert = c.single_page.starts_with("<span");
      EXPECT_EQ(links + buttons, inert ? 0u : 1u) << c.hot_spot << "\n" << *page;
      EXPECT_EQ(page->find(" target=") != std::string::npos,
                c.single_page.find(" target=") != std::string::npos)
          << c.hot_spot << "\n"
          << *page;
    }
  }
}

// Character formatting that every text of a paragraph shares is written on
// the paragraph, other formatting on each text; a paragraph's own formatting
// is written for each paragraph that has it.
TEST(TopicHtmlTest, CharacterCssOnTheParagraphOrOnEachText) {
  const std::string head =
      "{\\rtf1 \\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier;}}"
      "{\\colortbl;\\red255\\green0\\blue0;}\r\n#{\\footnote #HOME}";
  const std::pair<std::string, std::string> cases[] = {
      {"\\fs20 a {\\b b}\\par ", "<p style=\"font-size:10pt;\">a <span class=\"b\">b</span></p>\n"},
      {"\\fs20 a {\\fs24 b}\\par ",
       "<p><span style=\"font-size:10pt;\">a </span><span "
       "style=\"font-size:12pt;\">b</span></p>\n"},
      {"\\f1 a {\\cf1 b}{\\uldb c}{\\v XX}\\par ",
       "<p><span style=\"font-family:'Courier',monospace;\">a </span>"
       "<span style=\"font-family:'Courier',monospace;color:#ff0000;\">b</span>"
       "<span class=\"nl\"><span style=\"font-family:'Courier',monospace;\">c</span></span></p>\n"},
      {"{\\uldb c}{\\v XX}\\par ", "<p><span class=\"nl\">c</span></p>\n"},
      {"\\li200 a\\par b\\par \\pard c\\par \\qc \\fs30 d\\par ",
       "<p style=\"margin-left:10pt;\">a</p>\n<p style=\"margin-left:10pt;\">b</p>\n<p>c</p>\n"
       "<p style=\"text-align:center;font-size:15pt;\">d</p>\n"},
  };
  for (const auto& [body, html] : cases) {
    EXPECT_EQ(first_topic_html(head + body + "{\\page }\r\n}", PageMode::single_page), html)
        << body;
  }
}

// A context string defined twice inside one topic (or in two spellings)
// has one point, at its first place: a page holds each id once.
TEST(TopicHtmlTest, AContextStringInsideATopicHasOnePoint) {
  const std::string rtf =
      "{\\rtf1 \\ansi\r\n#{\\footnote #HOME}One #{\\footnote #In}two #{\\footnote #IN}"
      "three #{\\footnote #in}{\\par }{\\page }\r\n}";
  const std::string project = first_topic_html(rtf, PageMode::project);
  EXPECT_EQ(project, "<p>One <a id=\"in\"></a>two three </p>\n") << project;
  const std::string page = first_topic_html(rtf, PageMode::single_page);
  const std::string point = "anchor-name:--Ain";
  ASSERT_NE(page.find(point), std::string::npos) << page;
  EXPECT_EQ(page.find(point, page.find(point) + 1), std::string::npos) << page;
  EXPECT_LT(page.find(point), page.find("two")) << page;
}

}  // namespace
}  // namespace zek
