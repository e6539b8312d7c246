// Escaping document text for pages, and repairing UTF-8.
#include "publish/html_text.h"

#include <gtest/gtest.h>

#include "io/code_page.h"

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

// The encoder converts character by character from a table; it must write
// what the platform's converter writes for the whole text, also where a
// lead byte has no character with its trail byte and the converter takes
// the trail byte as the start of the next character.
TEST(HtmlTextTest, EncoderWritesWhatTheConverterWritesForTheWholeText) {
  const Utf8Converter convert = [](std::string_view text) {
    CodePageConverter converter;
    return converter.to_utf8(text);
  };
  const std::string cases[] = {
      "plain ASCII only",
      "\x82\xA0\x82\xA2 and \xB1\xB2",  // hiragana, half-width katakana
      "\x85\x81\x40",                   // no character at 85 81: 81 40 is one
      "\x85\x40\x85\x40",               // the same missing pair twice (from the table)
      "x\x82",                          // a lead byte at the very end
      "\x80\xFD\xA0",                   // bytes that begin no character
  };
  PageEncoder encoder(convert);
  for (const std::string& text : cases) {
    const std::string whole = repair_utf8(convert(text));
    EXPECT_EQ(encoder.encode(text), whole) << text;
  }
}

}  // namespace
}  // namespace zek
