// Escaping document text for pages, and repairing UTF-8.
#include "publish/html_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/cat.h"
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

// Pages of thousands of bytes, where ASCII runs of any length meet
// double-byte characters, missing pairs and lone bytes at every place of a
// 16-byte block and across the encoder's batches.
TEST(HtmlTextTest, EncoderWritesWhatTheConverterWritesForLongPages) {
  const Utf8Converter convert = [](std::string_view text) {
    CodePageConverter converter;
    return converter.to_utf8(text);
  };
  const std::string pieces[] = {"\x82\xA0", "\x88\x9F", "\x85\x40", "\xB1",   "\x80", "\xFD",
                                "\x81",     "<p>",      "\n",       "\x95\\", "\x83{"};
  std::mt19937 random(932);
  PageEncoder encoder(convert);
  for (int round = 0; round < 40; ++round) {
    std::string page;
    while (page.size() < 6000) {
      if (random() % 2 == 0) {
        page.append(random() % 40, static_cast<char>('a' + random() % 26));
      } else {
        page += pieces[random() % std::size(pieces)];
      }
    }
    page.resize(page.size() - random() % 2);  // a lead byte may be the last
    ASSERT_EQ(encoder.encode(page), repair_utf8(convert(page))) << "round " << round;
  }
}

// The encoder writes into a buffer that grows when a page comes out longer
// than it has room for: a half-width katakana or a byte that begins no
// character is three bytes of UTF-8. Pages that triple, after ASCII runs of
// every length, and a long page after short ones and the other way round.
TEST(HtmlTextTest, EncoderBufferGrowsForPagesThatComeOutLonger) {
  const Utf8Converter convert = [](std::string_view text) {
    CodePageConverter converter;
    return converter.to_utf8(text);
  };
  PageEncoder encoder(convert);
  std::vector<std::string> pages;
  for (size_t run = 0; run < 40; ++run) {
    pages.push_back(cat(std::string(run, 'a'), std::string(100 + run, '\xB1'), "\x80\x82\xA0z"));
  }
  pages.push_back(std::string(70000, '\xB6'));
  pages.push_back("short \x82\xA0");
  pages.push_back(cat(std::string(5000, 'x'), std::string(20000, '\x80')));
  for (const std::string& page : pages) {
    const std::string expected = repair_utf8(convert(page));
    ASSERT_EQ(encoder.encoded(page), expected) << page.size();
    ASSERT_EQ(encoder.encode(page), expected) << page.size();
  }
}

// The escaping rules a byte at a time, for the escaper that copies runs of
// plain bytes at once.
std::string reference_escaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (lead) {
      const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
      if ((next >= 0x40 && next <= 0x7E) || (next >= 0x80 && next <= 0xFC)) {
        out += text.substr(i, 2);
        ++i;
      } else {
        out += '?';
      }
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c == '\'') {
      out += "&#39;";
    } else if (c == 0xA0) {
      out += "&#160;";
    } else if (c == '\t') {
      out += ' ';
    } else if (c < 0x20 || c == 0x7F) {
    } else if (c == 0x80 || c >= 0xFD) {
      out += '?';
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

TEST(HtmlTextTest, EscapingMatchesTheBytewiseRules) {
  // Mostly plain text, with the bytes that end a run mixed in.
  const unsigned char special[] = {'<',  '>',  '&',  '"',  '\'', '\t', 0x01, 0x1F, 0x7F,
                                   0xA0, 0x80, 0xFD, 0xFF, 0x81, 0x9F, 0xE0, 0xFC, 0x40,
                                   0x7E, 0xA1, 0xDF, 0x5C, 0x7B, 0x82, 0xA2, 0x20, 0x3F};
  std::mt19937 random(20261207);
  for (int round = 0; round < 4000; ++round) {
    std::string text;
    const size_t length = random() % 40;
    for (size_t i = 0; i < length; ++i) {
      const unsigned pick = random() % 4;
      if (pick == 0) {
        text += static_cast<char>(special[random() % sizeof special]);
      } else if (pick == 1) {
        text += static_cast<char>(random() % 256);
      } else {
        text += static_cast<char>('a' + random() % 26);
      }
    }
    std::string out = "kept";
    append_escaped(out, text);
    ASSERT_EQ(out, cat("kept", reference_escaped(text))) << text;
  }
}

}  // namespace
}  // namespace zek
