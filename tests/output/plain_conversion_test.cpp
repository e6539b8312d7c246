// Whole conversions to a .TXT file: what each kind of source line leaves in
// the plain rendering, and that nothing of the RTF reaches it.
#include <gtest/gtest.h>

#include "support/memory_environment.h"

namespace zek {
namespace {

struct TextCase {
  const char* name;
  std::string source;
  std::string expected;
};

// 39 times "━" (0x84 0xAA) and a line end: the end of a page.
std::string separator() {
  std::string line;
  for (int i = 0; i < 39; ++i) line += "\x84\xAA";
  return line + "\r\n";
}

class TextModeTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextModeTest, WritesPlainRendering) {
  EXPECT_EQ(testing::convert(GetParam().source, {}, "out.txt"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TextModeTest,
    ::testing::Values(
        TextCase{"BodyText", "Hello, world.\r\n", "Hello, world.\r\n"},
        TextCase{"DocumentFrameLeavesLineEnd", ".start\r\n.colortable\r\nHi\r\n.end\r\n",
                 "Hi\r\n\r\n"},
        TextCase{"SimpleCommandsSilent", ".line\r\n.left\r\n.right\r\n.center\r\n", ""},
        TextCase{"EmptyLineEndsParagraph", "a\r\n\r\nb\r\n", "a\r\n\r\nb\r\n"},
        TextCase{"ContinuedLine", "abc \\\r\ndef\r\n", "abc\r\ndef\r\n"},
        TextCase{"TabKept", "a\tb\r\n", "a\tb\r\n"},
        TextCase{"DoubleByteKept", "\x83\x7D\x83\x7B\x95\\\r\n", "\x83\x7D\x83\x7B\x95\\\r\n"},
        TextCase{"RawRegionInBody", "\x13{\\b bold}\x11 and {x}\r\n", "bold and {x}\r\n"},
        TextCase{"RawLine", "'{\\b x}\r\n", "{\\b x}\r\n"},
        TextCase{"RawFootnoteLineLeavesNothing", "'#{\\footnote # XX5}\r\nText\r\n", "Text\r\n"},
        TextCase{"RawTextWithLineEnd", "`a{\\uldb b}{\\v XX1}\r\n", "ab\r\n"},
        TextCase{"RawMarkupWithLineEnd", "`{\\v XX1}\r\n", "\r\n"},
        TextCase{"CommentSilent", "; a remark\r\n", ""},
        TextCase{"PageEnd", "a\r\n.page\r\nb\r\n", "a\r\n" + separator() + "b\r\n"},
        TextCase{"HeadersLeaveOnlySeparators",
                 ".start\r\n.topic One\r\nfirst\r\n.popup Two\r\nsecond\r\n.end\r\n",
                 "first\r\n" + separator() + "second\r\n" + separator() + "\r\n"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; });

TEST(TextModeTest, AnyLetterCaseOfExtension) {
  for (const char* name : {"out.TXT", "out.Txt", "OUT.tXt"}) {
    EXPECT_EQ(testing::convert(".start\r\n'{\\rtf1}\r\nx\r\n", {}, name), "{\\rtf1}\r\nx\r\n")
        << name;
  }
  EXPECT_EQ(testing::convert(".start\r\n", {}, "out.text"), "{\\rtf1 \\ansi\r\n");
}

}  // namespace
}  // namespace zek
