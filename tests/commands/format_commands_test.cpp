// The formatting commands. The switch commands and the numeric attribute
// commands: what they write alone on a line, and how their attributes add up
// in front of body text. Indents, tab stops, paragraph defaults, the line
// mode and border styles.
#include <gtest/gtest.h>

#include "support/conversion.h"

namespace zek {
namespace {

using testing::ConversionTest;
using testing::row_name;
using testing::to_rtf;
using testing::to_text;

INSTANTIATE_TEST_SUITE_P(
    CharacterSwitches, ConversionTest,
    ::testing::Values(
        to_rtf("BoldAlone", ".bold\r\n", "\\b \r\n"),
        to_rtf("BoldOffAlone", ".bold 0\r\n", "\\b0 \r\n"),
        to_rtf("ItalicOffAlone", ".italic\t0\r\n", "\\i0 \r\n"),
        to_rtf("BlanksAfterZeroAreText", ".italic 0  \r\n", "{\\i0   {\\par }\r\n}"),
        to_rtf("UpperCaseKeyword", ".BOLD\r\n", "\\b \r\n"),
        to_rtf("BoldText", ".bold Hello\r\n", "{\\b Hello{\\par }\r\n}"),
        // Every blank after the keyword is skipped before the text.
        to_rtf("BlanksBeforeText", ".bold  \t Hello\r\n", "{\\b Hello{\\par }\r\n}"),
        // After the "0" nothing is skipped: the rest is body text.
        to_rtf("ZeroThenText", ".bold 0 .italic x\r\n", "{\\b0  .italic x{\\par }\r\n}"),
        to_rtf("ZeroDigitsStayText", ".italic 05\r\n", "{\\i0 5{\\par }\r\n}"),
        // Only .bold and .italic take a "0"; for the others it is text.
        to_rtf("BoxZeroIsText", ".box 0\r\n", "{\\box 0{\\par }\r\n}\\pard \r\n"),
        to_rtf("BoxAlone", ".box\r\n", "\\box \r\n"),
        to_rtf("SideBordersAlone", ".lborder\r\n.rborder\r\n", "\\brdrl \r\n\\brdrr \r\n"),
        to_rtf("BottomRule", ".bborder\r\n", "{\\brdrb {\\par }\r\n}\\pard \r\n"),
        to_rtf("TopRule", ".tborder\r\n", "{\\brdrt {\\par }\r\n}\\pard \r\n"),
        to_rtf("RuleInLineMode", ".linemode\r\n.tborder\r\n", "{\\brdrt {\\line }\r\n}\\pard \r\n"),
        to_rtf("BorderedText", ".tborder .bborder Note\r\n",
               "{\\brdrb \\brdrt Note{\\par }\r\n}\\pard \r\n"),
        to_rtf("BoldBesideRule", ".bold .bborder\r\n", "{\\b \\brdrb {\\par }\r\n}\\pard \r\n")),
    row_name);

INSTANTIATE_TEST_SUITE_P(
    NumericAttributes, ConversionTest,
    ::testing::Values(
        to_rtf("SizeAlone", ".size 14\r\n", "\\fs28 \r\n"),
        to_rtf("FontAloneTrailingBlanks", ".font 3 \t\r\n", "\\f3 \r\n"),
        to_rtf("FontRunsIntoText", ".font 2x\r\n", "{\\f2 x{\\par }\r\n}"),
        to_rtf("SpaceAfterAndBefore", ".crpitchb 6 .crpitcha 3\r\n", "\\sa60 \\sb120 \r\n"),
        // Spacing alone does not group the text.
        to_rtf("SpacingDoesNotGroup", ".crpitchb 6 Text\r\n", "\\sb120 Text{\\par }\r\n"),
        to_rtf("ChainedAttributes", ".bold .italic .size 14 Text\r\n",
               "{\\b \\i \\fs28 Text{\\par }\r\n}"),
        to_rtf("AllInEmitOrder",
               ".crpitcha 1 .crpitchb 2 .size 3 .font 4 .rborder .tborder "
               ".lborder .bborder .box .italic .bold 0x\r\n",
               "{\\b0 \\i \\box \\brdrb \\brdrl \\brdrt \\brdrr \\f4 \\fs6 \\sa20 \\sb40 "
               "x{\\par }\r\n}\\pard \r\n"),
        // Attributes do not outlive their line.
        to_rtf("PendingDroppedAtNextLine", ".bold .rindent 10\r\nplain\r\n",
               "{\\ri200 \r\nplain{\\par }\r\n"),
        // Values wrap as unsigned 32-bit numbers, products too.
        to_rtf("SizeWraps", ".size 4294967297\r\n", "\\fs2 \r\n"),
        to_rtf("LargeSizeProduct", ".size 3000000000\r\n", "\\fs1705032704 \r\n"),
        to_rtf("LargeSpaceProduct", ".crpitcha 2147483647\r\n", "\\sa4294967276 \r\n")),
    row_name);

// Text mode: the RTF stays silent; rules become lines of hyphens.
const std::string kHyphens(78, '-');

INSTANTIATE_TEST_SUITE_P(
    TextModeRules, ConversionTest,
    ::testing::Values(to_text("TopRule", ".tborder\r\n", kHyphens + "\r\n\r\n\r\n"),
                      to_text("BottomRule", ".bborder\r\n", "\r\n\r\n" + kHyphens + "\r\n"),
                      to_text("BoxedText", ".box Note\r\n", "Note\r\n\r\n"),
                      to_text("AttributesAlone", ".bold\r\n.size 9\r\n", ""),
                      to_text("FramedText", ".tborder .bborder Note\r\n",
                              kHyphens + "\r\nNote\r\n\r\n" + kHyphens + "\r\n")),
    row_name);

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
