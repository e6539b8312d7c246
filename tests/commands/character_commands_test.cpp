// The switch commands and the numeric attribute commands: what they write
// alone on a line, and how their attributes add up in front of body text.
#include <gtest/gtest.h>

#include "support/conversion_case.h"
#include "support/memory_environment.h"

namespace zek {
namespace {

using OutputCase = testing::ConversionCase;
using testing::case_name;

class CharacterCommandTest : public ::testing::TestWithParam<OutputCase> {};

TEST_P(CharacterCommandTest, WritesRtf) {
  EXPECT_EQ(testing::convert(GetParam().source), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, CharacterCommandTest,
    ::testing::Values(
        OutputCase{"BoldAlone", ".bold\r\n", "\\b \r\n"},
        OutputCase{"BoldOffAlone", ".bold 0\r\n", "\\b0 \r\n"},
        OutputCase{"ItalicOffAlone", ".italic\t0\r\n", "\\i0 \r\n"},
        OutputCase{"BlanksAfterZeroAreText", ".italic 0  \r\n", "{\\i0   {\\par }\r\n}"},
        OutputCase{"UpperCaseKeyword", ".BOLD\r\n", "\\b \r\n"},
        OutputCase{"BoldText", ".bold Hello\r\n", "{\\b Hello{\\par }\r\n}"},
        // Every blank after the keyword is skipped before the text.
        OutputCase{"BlanksBeforeText", ".bold  \t Hello\r\n", "{\\b Hello{\\par }\r\n}"},
        // After the "0" nothing is skipped: the rest is body text.
        OutputCase{"ZeroThenText", ".bold 0 .italic x\r\n", "{\\b0  .italic x{\\par }\r\n}"},
        OutputCase{"ZeroDigitsStayText", ".italic 05\r\n", "{\\i0 5{\\par }\r\n}"},
        // Only .bold and .italic take a "0"; for the others it is text.
        OutputCase{"BoxZeroIsText", ".box 0\r\n", "{\\box 0{\\par }\r\n}\\pard \r\n"},
        OutputCase{"BoxAlone", ".box\r\n", "\\box \r\n"},
        OutputCase{"SideBordersAlone", ".lborder\r\n.rborder\r\n", "\\brdrl \r\n\\brdrr \r\n"},
        OutputCase{"BottomRule", ".bborder\r\n", "{\\brdrb {\\par }\r\n}\\pard \r\n"},
        OutputCase{"TopRule", ".tborder\r\n", "{\\brdrt {\\par }\r\n}\\pard \r\n"},
        OutputCase{"RuleInLineMode", ".linemode\r\n.tborder\r\n",
                   "{\\brdrt {\\line }\r\n}\\pard \r\n"},
        OutputCase{"BorderedText", ".tborder .bborder Note\r\n",
                   "{\\brdrb \\brdrt Note{\\par }\r\n}\\pard \r\n"},
        OutputCase{"BoldBesideRule", ".bold .bborder\r\n",
                   "{\\b \\brdrb {\\par }\r\n}\\pard \r\n"}),
    case_name);

INSTANTIATE_TEST_SUITE_P(
    NumericAttributes, CharacterCommandTest,
    ::testing::Values(
        OutputCase{"SizeAlone", ".size 14\r\n", "\\fs28 \r\n"},
        OutputCase{"FontAloneTrailingBlanks", ".font 3 \t\r\n", "\\f3 \r\n"},
        OutputCase{"FontRunsIntoText", ".font 2x\r\n", "{\\f2 x{\\par }\r\n}"},
        OutputCase{"SpaceAfterAndBefore", ".crpitchb 6 .crpitcha 3\r\n", "\\sa60 \\sb120 \r\n"},
        // Spacing alone does not group the text.
        OutputCase{"SpacingDoesNotGroup", ".crpitchb 6 Text\r\n", "\\sb120 Text{\\par }\r\n"},
        OutputCase{"ChainedAttributes", ".bold .italic .size 14 Text\r\n",
                   "{\\b \\i \\fs28 Text{\\par }\r\n}"},
        OutputCase{"AllInEmitOrder",
                   ".crpitcha 1 .crpitchb 2 .size 3 .font 4 .rborder .tborder "
                   ".lborder .bborder .box .italic .bold 0x\r\n",
                   "{\\b0 \\i \\box \\brdrb \\brdrl \\brdrt \\brdrr \\f4 \\fs6 \\sa20 \\sb40 "
                   "x{\\par }\r\n}\\pard \r\n"},
        // Attributes do not outlive their line.
        OutputCase{"PendingDroppedAtNextLine", ".bold .rindent 10\r\nplain\r\n",
                   "{\\ri200 \r\nplain{\\par }\r\n"},
        // Values wrap as unsigned 32-bit numbers, products too.
        OutputCase{"SizeWraps", ".size 4294967297\r\n", "\\fs2 \r\n"},
        OutputCase{"LargeSizeProduct", ".size 3000000000\r\n", "\\fs1705032704 \r\n"},
        OutputCase{"LargeSpaceProduct", ".crpitcha 2147483647\r\n", "\\sa4294967276 \r\n"}),
    case_name);

// Text mode: the RTF stays silent; rules become lines of hyphens.
class TextModeRuleTest : public ::testing::TestWithParam<OutputCase> {};

TEST_P(TextModeRuleTest, WritesPlainText) {
  EXPECT_EQ(testing::convert(GetParam().source, {}, "out.txt"), GetParam().expected);
}

const std::string kHyphens(78, '-');

INSTANTIATE_TEST_SUITE_P(
    TextMode, TextModeRuleTest,
    ::testing::Values(OutputCase{"TopRule", ".tborder\r\n", kHyphens + "\r\n\r\n\r\n"},
                      OutputCase{"BottomRule", ".bborder\r\n", "\r\n\r\n" + kHyphens + "\r\n"},
                      OutputCase{"BoxedText", ".box Note\r\n", "Note\r\n\r\n"},
                      OutputCase{"AttributesAlone", ".bold\r\n.size 9\r\n", ""},
                      OutputCase{"FramedText", ".tborder .bborder Note\r\n",
                                 kHyphens + "\r\nNote\r\n\r\n" + kHyphens + "\r\n"}),
    case_name);

}  // namespace
}  // namespace zek
