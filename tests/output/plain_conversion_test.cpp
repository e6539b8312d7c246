// Whole conversions to a .TXT file: what each kind of source line leaves in
// the plain rendering, and that nothing of the RTF reaches it.
#include <gtest/gtest.h>

#include "support/conversion.h"

namespace zek {
namespace {

using testing::ConversionTest;
using testing::to_text;

// 39 times "━" (0x84 0xAA) and a line end: the end of a page.
std::string separator() {
  std::string line;
  for (int i = 0; i < 39; ++i) line += "\x84\xAA";
  return line + "\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    TextModeLines, ConversionTest,
    ::testing::Values(
        to_text("BodyText", "Hello, world.\r\n", "Hello, world.\r\n"),
        to_text("DocumentFrameLeavesLineEnd", ".start\r\n.colortable\r\nHi\r\n.end\r\n",
                "Hi\r\n\r\n"),
        to_text("SimpleCommandsSilent", ".line\r\n.left\r\n.right\r\n.center\r\n", ""),
        to_text("EmptyLineEndsParagraph", "a\r\n\r\nb\r\n", "a\r\n\r\nb\r\n"),
        to_text("ContinuedLine", "abc \\\r\ndef\r\n", "abc\r\ndef\r\n"),
        to_text("TabKept", "a\tb\r\n", "a\tb\r\n"),
        to_text("DoubleByteKept", "\x83\x7D\x83\x7B\x95\\\r\n", "\x83\x7D\x83\x7B\x95\\\r\n"),
        to_text("RawRegionInBody", "\x13{\\b bold}\x11 and {x}\r\n", "bold and {x}\r\n"),
        to_text("RawLine", "'{\\b x}\r\n", "{\\b x}\r\n"),
        to_text("RawFootnoteLineLeavesNothing", "'#{\\footnote # XX5}\r\nText\r\n", "Text\r\n"),
        to_text("RawTextWithLineEnd", "`a{\\uldb b}{\\v XX1}\r\n", "ab\r\n"),
        to_text("RawMarkupWithLineEnd", "`{\\v XX1}\r\n", "\r\n"),
        to_text("CommentSilent", "; a remark\r\n", ""),
        to_text("PageEnd", "a\r\n.page\r\nb\r\n", "a\r\n" + separator() + "b\r\n"),
        to_text("HeadersLeaveOnlySeparators",
                ".start\r\n.topic One\r\nfirst\r\n.popup Two\r\nsecond\r\n.end\r\n",
                "first\r\n" + separator() + "second\r\n" + separator() + "\r\n")),
    testing::row_name);

TEST(TextModeTest, AnyLetterCaseOfExtension) {
  for (const char* name : {"out.TXT", "out.Txt", "OUT.tXt"}) {
    EXPECT_EQ(testing::output_of(".start\r\n'{\\rtf1}\r\nx\r\n", {}, name), "{\\rtf1}\r\nx\r\n")
        << name;
  }
  EXPECT_EQ(testing::output_of(".start\r\n", {}, "out.text"), "{\\rtf1 \\ansi\r\n");
}

}  // namespace
}  // namespace zek
