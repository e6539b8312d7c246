// Escaping document text for pages, and repairing UTF-8.
#include "publish/html_text.h"

#include <gtest/gtest.h>

namespace zek {
namespace {

TEST(HtmlTextTest, Escaping) {
  const std::pair<std::string, std::string> cases[] = {
      {"a<b>&\"'", "a&lt;b&gt;&amp;&quot;&#39;"},
      {"tab\there", "tab here"},
      {std::string("ctl\x01\x1B\x7F", 6), "ctl"},
      {"\xA0", "&#160;"},
      {"\x82\xA0\xB1", "\x82\xA0\xB1"},  // a double-byte character, a half-width katakana
      // A lead byte whose next byte is no trail byte does not swallow it.
      {"\x82<b>", "?&lt;b&gt;"},
      {"\x82", "?"},
      {"\x80\xFD\xFF", "???"},
      {"\x95\\", "\x95\\"},
  };
  for (const auto& [text, html] : cases) EXPECT_EQ(escaped(text), html) << text;
}

TEST(HtmlTextTest, RepairUtf8) {
  EXPECT_EQ(repair_utf8("ok \xE3\x81\x82"), "ok \xE3\x81\x82");
  EXPECT_EQ(repair_utf8("\x82\xA0"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(repair_utf8("\xE3\x81"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(repair_utf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // a surrogate
  EXPECT_EQ(repair_utf8("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // an overlong "/"
}

TEST(HtmlTextTest, PageInUtf8ConvertsOnlyWhenNeeded) {
  int calls = 0;
  const Utf8Converter convert = [&calls](std::string_view text) {
    ++calls;
    return std::string(text) == "\x82\xA0" ? std::string("\xE3\x81\x82") : std::string(text);
  };
  EXPECT_EQ(to_page_utf8("<p>x</p>", convert), "<p>x</p>");
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(to_page_utf8("\x82\xA0", convert), "\xE3\x81\x82");
  // Bytes the converter leaves as they are do not make the page invalid.
  EXPECT_EQ(to_page_utf8("\x85\x40", convert), "\xEF\xBF\xBD@");
}

}  // namespace
}  // namespace zek
