// The plain rendering of one text: markup rules, the markup-only line, the
// byte rules and raw regions.
#include "output/plain.h"

#include <gtest/gtest.h>

#include "output/writer.h"
#include "support/memory_environment.h"
#include "support/row_name.h"

namespace zek {
namespace {

std::string render(std::string_view text) {
  testing::StringStream stream;
  Sink sink;
  sink.attach(&stream);
  write_plain(sink, text);
  sink.flush();
  return stream.bytes;
}

struct PlainCase {
  const char* name;
  std::string input;
  std::string expected;
};

class PlainTest : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainTest, Renders) {
  EXPECT_EQ(render(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    MarkupRules, PlainTest,
    ::testing::Values(
        PlainCase{"JumpHotSpot", "{\\uldb  Setup}{\\v XX5}", "Setup"},
        PlainCase{"StrikeHotSpot", "Read {\\strike Install}{\\v XX1} first.",
                  "Read Install first."},
        PlainCase{"UnclosedHotSpotKeepsText", "{\\uldb Setup", "Setup"},
        PlainCase{"UnclosedHiddenCutsOff", "a{\\v XX5", "a"},
        PlainCase{"Button", "Press {button Back,Back()} to return.", "Press <Back> to return."},
        PlainCase{"ButtonWithoutComma", "{button Back", "<Back"},
        PlainCase{"ButtonWithoutClose", "{button  A ,Macro(", "<A "},
        PlainCase{"Bitmap", "See {bmc pic.bmp} here", "See ?? here"},
        PlainCase{"UnclosedBitmapCutsOff", "{bml x", ""},
        PlainCase{"EmbeddedWindow", "{ewl a.dll,w,x} b", "?? b"},
        PlainCase{"FootnoteLineLeavesNothing", "#{\\footnote # XX5}\r\n", ""},
        PlainCase{"FootnoteAfterText", "a{\\footnote b}", "a"},
        PlainCase{"UnclosedFootnoteKeepsText", "K{\\footnote Kone;two", "Kone;two"},
        PlainCase{"AnyMarkLetterGoes", "OK{\\footnote x}", "O"},
        PlainCase{"AllMarks", "${\\footnote $T}+{\\footnote +s}!{\\footnote !m}x", "x"},
        PlainCase{"HotSpotFirstThenHidden", "{\\v a {\\uldb b} c}", ""},
        PlainCase{"MarkupLineEndsOnlyWhenAllGone", "x{\\v y}\r\n", "x\r\n"},
        PlainCase{"BareLineEndWritten", "\r\n", "\r\n"},
        PlainCase{"OtherGroupsStay", "{\\b bold}", "{\\b bold}"},
        PlainCase{"OpeningFormedByRemoval", "{\\u{\\v x}ldb y}", "y"}),
    testing::row_name);

// 0x83 0x7B and 0x83 0x7D are double-byte characters whose trail bytes are
// "{" and "}"; 0x83 0x4B ends in "K", 0x95 0x5C in "\".
INSTANTIATE_TEST_SUITE_P(
    DoubleByte, PlainTest,
    ::testing::Values(PlainCase{"TrailBraceIsNoOpening", "\x83{bm}", "\x83{bm}"},
                      PlainCase{"TrailBraceIsNoClose", "{\\uldb \x83}x}", "\x83}x"},
                      PlainCase{"TrailBraceInsideHidden", "{\\v \x83}}y", "y"},
                      PlainCase{"TrailKIsNoMark", "\x83K{\\footnote x}", "\x83K"},
                      PlainCase{"TrailBytesInRawRegion", "\x13\x83}\x95\\\x11", "\x83}\x95\\"},
                      PlainCase{"LoneLeadByteAtEnd", "a\x82", "a\x82"},
                      PlainCase{"LoneLeadByteAfterMarkup", "{\\v x}\x82", "\x82"},
                      PlainCase{"ControlByteAsTrail", "\x82\x13{x}", "\x82\x13{x}"}),
    testing::row_name);

INSTANTIATE_TEST_SUITE_P(
    ByteRules, PlainTest,
    ::testing::Values(PlainCase{"TabStays", "a\tb", "a\tb"},
                      PlainCase{"ControlBytesDropped",
                                "a\x01"
                                "b\x1B\x7F",
                                "ab\x7F"},
                      PlainCase{"BracesOutsideRawStay", "a{b}\\c", "a{b}\\c"},
                      PlainCase{"RawRegion", "\x13{\\b bold} text", "bold text"},
                      PlainCase{"RawRegionEnds", "\x13{\\b x}\x11{\\b y}", "x{\\b y}"},
                      PlainCase{"ControlWordAndBlanks", "\x13\\tab \t x", "x"},
                      PlainCase{"ControlWordAtEnd",
                                "\x13"
                                "a\\b",
                                "a"},
                      PlainCase{"ControlWordKeepsLineEnd", "\x13{\\par}\r\n", "\r\n"},
                      PlainCase{"ControlWordStopsAtRawOff", "\x13\\b\x11 C:\\dir", " C:\\dir"}),
    testing::row_name);

TEST(PlainWriterTest, RawRegionEndsWithTheCall) {
  testing::StringStream stream;
  Writer writer;
  writer.plain("x");  // no file open: nothing
  writer.out.attach(&stream);
  writer.text_mode = true;
  writer.plain("\x13{");
  writer.plain("{");
  writer.out.flush();
  EXPECT_EQ(stream.bytes, "{");
}

TEST(PlainWriterTest, LongTextsWholeAndFast) {
  // Far beyond any fixed buffer, and enough groups that a rescan of the whole
  // text per group would not finish in time.
  std::string hidden, expected;
  for (int i = 0; i < 100000; ++i) {
    hidden += "a{\\uldb b}{\\v XX1}";
    expected += "ab";
  }
  EXPECT_TRUE(render(hidden) == expected);
  const std::string plain(3000000, 'x');
  EXPECT_TRUE(render(plain) == plain);
}

}  // namespace
}  // namespace zek
