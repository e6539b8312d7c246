// The switch commands and the numeric attribute commands: what they write
// alone on a line, and how their attributes add up in front of body text.
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

}  // namespace
}  // namespace zek
