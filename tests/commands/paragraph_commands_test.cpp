// Indents, tab stops, paragraph defaults, the line mode and border styles.
#include <gtest/gtest.h>

#include "support/conversion_case.h"
#include "support/memory_environment.h"

namespace zek {
namespace {

using OutputCase = testing::ConversionCase;
using testing::case_name;

class ParagraphCommandTest : public ::testing::TestWithParam<OutputCase> {};

TEST_P(ParagraphCommandTest, WritesRtf) {
  EXPECT_EQ(testing::convert(GetParam().source), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Indents, ParagraphCommandTest,
    ::testing::Values(
        OutputCase{"RightInCharacters", ".rindentc 4\r\n", "{\\ri480 \r\n"},
        OutputCase{"RightInPoints", ".rindent 10\r\n", "{\\ri200 \r\n"},
        OutputCase{"RightThenText", ".rindent 10  Text\r\n", "{\\ri200 \r\nText{\\par }\r\n"},
        OutputCase{"LeftInCharacters", ".lindentc 4 2\r\n", "{\\li480 \\fi-240\r\n"},
        OutputCase{"LeftInPoints", ".lindent 30 10\r\n", "{\\li600 \\fi-400\r\n"},
        OutputCase{"LeftAlone", ".lindent 30\t\r\n", "{\\li600 \r\n"},
        OutputCase{"FirstLineEqual", ".lindent 10 10\r\n", "{\\li200 \\fi-0\r\n"},
        // A first line further in than the others is a positive indent.
        OutputCase{"FirstLineFurtherIn", ".lindent 10 30\r\n", "{\\li200 \\fi400\r\n"},
        OutputCase{"FirstLineFurtherInChars", ".lindentc 1 3\r\n", "{\\li120 \\fi240\r\n"},
        // After the second number nothing is skipped.
        OutputCase{"TextKeepsItsBlank", ".lindent 30 10 Text\r\n",
                   "{\\li600 \\fi-400\r\n Text{\\par }\r\n"},
        // The left form rounds to points before it multiplies; the right does not.
        OutputCase{"RoundingDiffers", ".size 9\r\n.rindentc 3\r\n.lindentc 3 1\r\n",
                   "\\fs18 \r\n{\\ri270 \r\n{\\li260 \\fi-180\r\n"},
        OutputCase{"SizeOnTextLineCounts", ".size 10 x\r\n.rindentc 1\r\n",
                   "{\\fs20 x{\\par }\r\n}{\\ri100 \r\n"},
        OutputCase{"ProductsWrap", ".size 4294967294\r\n.lindentc 2\r\n",
                   "\\fs4294967292 \r\n{\\li4294967256 \r\n"},
        OutputCase{"EndIndent", ".rindent 2 .lindent 3\r\n.endindent x\r\n",
                   "{\\ri40 \r\n{\\li60 \r\n\\pard }\r\nx{\\par }\r\n"}),
    case_name);

INSTANTIATE_TEST_SUITE_P(
    TabStops, ParagraphCommandTest,
    ::testing::Values(
        OutputCase{"TenStopsAtSize12", ".tabstop\r\n",
                   "\\tx0 \\tx960 \\tx1920 \\tx2880 \\tx3840 \\tx4800 \\tx5760 \\tx6720 \\tx7680 "
                   "\\tx8640 \r\n"},
        OutputCase{"TenStopsFromFirstLine", ".lindent 10 5\r\n.tabstop\r\n",
                   "{\\li200 \\fi-100\r\n\\tx100 \\tx1060 \\tx2020 \\tx2980 \\tx3940 \\tx4900 "
                   "\\tx5860 \\tx6820 \\tx7780 \\tx8740 \r\n"},
        OutputCase{"StopAtLeftIndent", ".lindent 30 0\r\n.tabstopc\r\n",
                   "{\\li600 \\fi-600\r\n\\tx600 \r\n"},
        // Tab runs are collapsed from the start, not after .pardefault,
        // and again after .tabstopc.
        OutputCase{"TabRunsCollapsed", "a\t\t\tb\r\n", "a\\tab b{\\par }\r\n"},
        OutputCase{"PardefaultKeepsTabs", ".pardefault\r\na\t\tb\r\n",
                   "\\pard\r\na\\tab \\tab b{\\par }\r\n"},
        OutputCase{"TabstopcCollapsesAgain", ".pardefault\r\n.tabstopc\r\na\t\tb\r\n",
                   "\\pard\r\n\\tx0 \r\na\\tab b{\\par }\r\n"}),
    case_name);

INSTANTIATE_TEST_SUITE_P(
    LineMode, ParagraphCommandTest,
    ::testing::Values(
        OutputCase{"LinesUntilCrmode", ".linemode Text\r\nMore\r\n.crmode\r\nLast\r\n",
                   "Text{\\line }\r\nMore{\\line }\r\nLast{\\par }\r\n"},
        OutputCase{"EmptyLineInLineMode", ".linemode A\r\n\r\n", "A{\\line }\r\n{\\line }\r\n"},
        // The line read after a paragraph reset cancels line mode.
        OutputCase{"CancelledAfterReset", ".pardefault\r\n.linemode\r\nA\r\nB\r\n",
                   "\\pard\r\nA{\\par }\r\nB{\\par }\r\n"},
        OutputCase{"TextOnItsLineKeepsIt", ".pardefault\r\n.linemode A\r\nB\r\n",
                   "\\pard\r\nA{\\line }\r\nB{\\line }\r\n"},
        OutputCase{"BorderedLineEndsIt", ".linemode X\r\n.box Y\r\nZ\r\n",
                   "X{\\line }\r\n{\\box Y{\\line }\r\n}\\pard \r\nZ{\\par }\r\n"}),
    case_name);

INSTANTIATE_TEST_SUITE_P(
    BorderStyles, ParagraphCommandTest,
    ::testing::Values(OutputCase{"Single", ".border\r\n", "\\brdrs\r\n"},
                      OutputCase{"Double", ".border DOUBLE\r\n", "\\brdrdb\r\n"},
                      OutputCase{"DotThenText", ".border dot Text\r\n",
                                 "\\brdrdot\r\nText{\\par }\r\n"},
                      OutputCase{"Shadow", ".border shadow\r\n", "\\brdrsh\r\n"},
                      OutputCase{"Thick", ".border\tthick\r\n", "\\brdrth\r\n"},
                      OutputCase{"AfterBox", ".box\r\n.border double\r\nIn a box\r\n",
                                 "\\box \r\n\\brdrdb\r\nIn a box{\\par }\r\n"}),
    case_name);

}  // namespace
}  // namespace zek
