// Indents, tab stops, paragraph defaults, the line mode and border styles.
#include <gtest/gtest.h>

#include "support/conversion.h"

namespace zek {
namespace {

using testing::ConversionTest;
using testing::row_name;
using testing::to_rtf;

INSTANTIATE_TEST_SUITE_P(
    Indents, ConversionTest,
    ::testing::Values(
        to_rtf("RightInCharacters", ".rindentc 4\r\n", "{\\ri480 \r\n"),
        to_rtf("RightInPoints", ".rindent 10\r\n", "{\\ri200 \r\n"),
        to_rtf("RightThenText", ".rindent 10  Text\r\n", "{\\ri200 \r\nText{\\par }\r\n"),
        to_rtf("LeftInCharacters", ".lindentc 4 2\r\n", "{\\li480 \\fi-240\r\n"),
        to_rtf("LeftInPoints", ".lindent 30 10\r\n", "{\\li600 \\fi-400\r\n"),
        to_rtf("LeftAlone", ".lindent 30\t\r\n", "{\\li600 \r\n"),
        to_rtf("FirstLineEqual", ".lindent 10 10\r\n", "{\\li200 \\fi-0\r\n"),
        // A first line further in than the others is a positive indent.
        to_rtf("FirstLineFurtherIn", ".lindent 10 30\r\n", "{\\li200 \\fi400\r\n"),
        to_rtf("FirstLineFurtherInChars", ".lindentc 1 3\r\n", "{\\li120 \\fi240\r\n"),
        // After the second number nothing is skipped.
        to_rtf("TextKeepsItsBlank", ".lindent 30 10 Text\r\n",
               "{\\li600 \\fi-400\r\n Text{\\par }\r\n"),
        // The left form rounds to points before it multiplies; the right does not.
        to_rtf("RoundingDiffers", ".size 9\r\n.rindentc 3\r\n.lindentc 3 1\r\n",
               "\\fs18 \r\n{\\ri270 \r\n{\\li260 \\fi-180\r\n"),
        to_rtf("SizeOnTextLineCounts", ".size 10 x\r\n.rindentc 1\r\n",
               "{\\fs20 x{\\par }\r\n}{\\ri100 \r\n"),
        to_rtf("ProductsWrap", ".size 4294967294\r\n.lindentc 2\r\n",
               "\\fs4294967292 \r\n{\\li4294967256 \r\n"),
        to_rtf("EndIndent", ".rindent 2 .lindent 3\r\n.endindent x\r\n",
               "{\\ri40 \r\n{\\li60 \r\n\\pard }\r\nx{\\par }\r\n")),
    row_name);

INSTANTIATE_TEST_SUITE_P(
    TabStops, ConversionTest,
    ::testing::Values(
        to_rtf("TenStopsAtSize12", ".tabstop\r\n",
               "\\tx0 \\tx960 \\tx1920 \\tx2880 \\tx3840 \\tx4800 \\tx5760 \\tx6720 \\tx7680 "
               "\\tx8640 \r\n"),
        to_rtf("TenStopsFromFirstLine", ".lindent 10 5\r\n.tabstop\r\n",
               "{\\li200 \\fi-100\r\n\\tx100 \\tx1060 \\tx2020 \\tx2980 \\tx3940 \\tx4900 "
               "\\tx5860 \\tx6820 \\tx7780 \\tx8740 \r\n"),
        to_rtf("StopAtLeftIndent", ".lindent 30 0\r\n.tabstopc\r\n",
               "{\\li600 \\fi-600\r\n\\tx600 \r\n"),
        // Tab runs are collapsed from the start, not after .pardefault,
        // and again after .tabstopc.
        to_rtf("TabRunsCollapsed", "a\t\t\tb\r\n", "a\\tab b{\\par }\r\n"),
        to_rtf("PardefaultKeepsTabs", ".pardefault\r\na\t\tb\r\n",
               "\\pard\r\na\\tab \\tab b{\\par }\r\n"),
        to_rtf("TabstopcCollapsesAgain", ".pardefault\r\n.tabstopc\r\na\t\tb\r\n",
               "\\pard\r\n\\tx0 \r\na\\tab b{\\par }\r\n")),
    row_name);

INSTANTIATE_TEST_SUITE_P(
    LineMode, ConversionTest,
    ::testing::Values(to_rtf("LinesUntilCrmode", ".linemode Text\r\nMore\r\n.crmode\r\nLast\r\n",
                             "Text{\\line }\r\nMore{\\line }\r\nLast{\\par }\r\n"),
                      to_rtf("EmptyLineInLineMode", ".linemode A\r\n\r\n",
                             "A{\\line }\r\n{\\line }\r\n"),
                      // The line read after a paragraph reset cancels line mode.
                      to_rtf("CancelledAfterReset", ".pardefault\r\n.linemode\r\nA\r\nB\r\n",
                             "\\pard\r\nA{\\par }\r\nB{\\par }\r\n"),
                      to_rtf("TextOnItsLineKeepsIt", ".pardefault\r\n.linemode A\r\nB\r\n",
                             "\\pard\r\nA{\\line }\r\nB{\\line }\r\n"),
                      to_rtf("BorderedLineEndsIt", ".linemode X\r\n.box Y\r\nZ\r\n",
                             "X{\\line }\r\n{\\box Y{\\line }\r\n}\\pard \r\nZ{\\par }\r\n")),
    row_name);

INSTANTIATE_TEST_SUITE_P(BorderStyles, ConversionTest,
                         ::testing::Values(to_rtf("Single", ".border\r\n", "\\brdrs\r\n"),
                                           to_rtf("Double", ".border DOUBLE\r\n", "\\brdrdb\r\n"),
                                           to_rtf("DotThenText", ".border dot Text\r\n",
                                                  "\\brdrdot\r\nText{\\par }\r\n"),
                                           to_rtf("Shadow", ".border shadow\r\n", "\\brdrsh\r\n"),
                                           to_rtf("Thick", ".border\tthick\r\n", "\\brdrth\r\n"),
                                           to_rtf("AfterBox",
                                                  ".box\r\n.border double\r\nIn a box\r\n",
                                                  "\\box \r\n\\brdrdb\r\nIn a box{\\par }\r\n")),
                         row_name);

}  // namespace
}  // namespace zek
