// Byte rules of the RTF writers.
#include "output/writer.h"

#include <gtest/gtest.h>

#include "support/memory_environment.h"
#include "support/row_name.h"

namespace zek {
namespace {

struct WriterCase {
  const char* name;
  bool escaped;  // text_printf rather than rtf_printf
  bool hex;      // -X
  std::string input;
  std::string expected;
  uint32_t column;
};

// Keeps test names short in listings.
void PrintTo(const WriterCase& c, std::ostream* os) {
  *os << c.name;
}

class WriterTest : public ::testing::TestWithParam<WriterCase> {};

TEST_P(WriterTest, WritesBytesAndCountsColumns) {
  const WriterCase& c = GetParam();
  testing::StringStream stream;
  Writer writer;
  writer.out.attach(&stream);
  writer.hex_kanji = c.hex;
  if (c.escaped) {
    writer.text(c.input);
  } else {
    writer.rtf(c.input);
  }
  writer.out.flush();
  EXPECT_EQ(stream.bytes, c.expected);
  EXPECT_EQ(writer.column, c.column);
}

INSTANTIATE_TEST_SUITE_P(
    ByteRules, WriterTest,
    ::testing::Values(WriterCase{"Escapes", true, false, "a{b}c\\d", "a\\{b\\}c\\\\d", 10},
                      WriterCase{"RawRegion", true, false, "\x13{\\b x}\x11{", "{\\b x}\\{", 8},
                      WriterCase{"RtfNotEscaped", false, false, "{\\b x}", "{\\b x}", 6},
                      WriterCase{"Tab", false, false, "a\tb", "a\\tab b", 7},
                      WriterCase{"ControlBytes", false, false, "\x01x\x1By\x7F", "xy\x7F", 3},
                      WriterCase{"LineEnds", false, false, "a\r\n", "a\r\n", 3},
                      WriterCase{"HexKanji", true, true, "\x82\xA0", "\\'82\\'A0", 2},
                      WriterCase{"HalfWidthKana", true, true, "\xB1", "\xB1", 1},
                      WriterCase{"TrailBytesNotEscaped", true, false, "\x95\\\x83}\x83{",
                                 "\x95\\\x83}\x83{", 6},
                      WriterCase{"LoneLeadAtEnd", true, false, "a\x82", "a\x82", 2},
                      WriterCase{"RawOffNotCarried", true, false, "\x13{", "{", 1}),
    testing::row_name);

// Runs of bytes written unchanged: a double-byte character is stepped over
// as a unit whatever its trail, and a run stops exactly at bytes that need
// handling, wherever they fall in the text.
INSTANTIATE_TEST_SUITE_P(
    Runs, WriterTest,
    ::testing::Values(
        WriterCase{"EscapesAtRunEdges", true, false, "{abcdefgh}", "\\{abcdefgh\\}", 12},
        WriterCase{"EscapeInsideLongRun", true, false, "abcde\\fghij", "abcde\\\\fghij", 12},
        WriterCase{"ControlTrailInPair", true, false, "ab\x81\x0D\x82\tcd", "ab\x81\r\x82\tcd", 8},
        WriterCase{"ControlTrailWithHex", true, true, "\x81\x0D{", "\\'81\\'0D\\{", 4},
        WriterCase{"PairsAcrossRunBlocks", true, false, "a\x83\x7B\x83\x7D\x95\\b}",
                   "a\x83\x7B\x83\x7D\x95\\b\\}", 10},
        WriterCase{"HexPairsBetweenRuns", false, true,
                   "abcd\x82\xA0"
                   "efgh\x82",
                   "abcd\\'82\\'A0"
                   "efgh\x82",
                   11},
        WriterCase{"RawRegionInsideRun", true, false, "abcd\x13{x}\x11{y}", "abcd{x}\\{y\\}", 12},
        WriterCase{"LoneLeadAfterPairs", false, false, "\x82\xA0\x82\xA0\x82",
                   "\x82\xA0\x82\xA0\x82", 5}),
    testing::row_name);

TEST(WriterTest, SilentInTextModeAndWithoutFile) {
  testing::StringStream stream;
  Writer writer;
  writer.rtf("x");
  writer.text("x");
  EXPECT_EQ(writer.column, 0u);
  writer.out.attach(&stream);
  writer.text_mode = true;
  writer.rtf("x");
  writer.footnote('K', "x");
  writer.hot_spot("ul", "x", "{\\v code}");
  writer.debug("dbg");
  writer.out.flush();
  EXPECT_EQ(stream.bytes, "dbg");
  EXPECT_EQ(writer.column, 0u);
}

TEST(WriterTest, FootnotesAndGroups) {
  testing::StringStream stream;
  Writer writer;
  writer.out.attach(&stream);
  writer.footnote('#', "a@b$c");
  writer.footnote('K', "x{y");
  writer.hot_spot("ul", "Topic {1}", {});
  writer.out.flush();
  EXPECT_EQ(stream.bytes, "#{\\footnote #aqbzc}\r\nK{\\footnote Kx\\{y}\r\n{\\ul Topic \\{1\\}}");
}

}  // namespace
}  // namespace zek
