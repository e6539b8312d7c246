// Errors of the formatting commands: each is reported with its word in
// pass 1, the rest of the line is dispatched again (a second error on the
// same line shows that), and the run ends without an output file.
#include <gtest/gtest.h>

#include "support/conversion.h"

namespace zek {
namespace {

using testing::ConversionTest;
using testing::failing;

std::string line_error(int line, std::string_view word) {
  return "in.zek " + std::to_string(line) + ": error " + std::string(word) + "\n";
}

INSTANTIATE_TEST_SUITE_P(
    CommandErrors, ConversionTest,
    ::testing::Values(
        failing("FontWithoutNumber", ".font\r\n", line_error(1, "font")),
        failing("FontLetter", ".font x\r\n", line_error(1, "font")),
        failing("SizeRestDispatched", ".size .font\r\n",
                line_error(1, "size") + line_error(1, "font")),
        failing("CrpitchBoth", ".crpitcha\r\n.crpitchb -1\r\n",
                line_error(1, "crpitch") + line_error(2, "crpitch")),
        failing("RindentBoth", ".rindentc\r\n.rindent x\r\n",
                line_error(1, "rindent") + line_error(2, "rindent")),
        failing("LindentcFirst", ".lindentc\r\n", line_error(1, "lindentc")),
        failing("LindentSecond", ".lindent 10 .endindent\r\n",
                line_error(1, "lindent") + line_error(1, "endindent")),
        failing("EndindentWithoutIndent", ".endindent\r\n", line_error(1, "endindent")),
        failing("EndindentOnceTooOften",
                ".rindent 2 .lindent 3\r\n.endindent .endindent "
                ".endindent\r\n",
                line_error(2, "endindent")),
        failing("BorderWordRunOn", ".border dotted\r\n", line_error(1, "border")),
        failing("BorderRestDispatched", ".border .noscroll .noscroll\r\n",
                line_error(1, "border") + line_error(1, "noscroll")),
        failing("NoscrollTwice", ".noscroll\r\n.noscroll\r\n", line_error(2, "noscroll")),
        failing("EndnoscrollWithoutRegion", ".endnoscroll\r\n", line_error(1, "noscroll")),
        failing("EndnoscrollAfterPageEnd", ".noscroll\r\n.page\r\n.endnoscroll\r\n",
                line_error(3, "noscroll")),
        failing("TitlemodeUnknownWord", ".titlemode bold colour 2\r\n", line_error(1, "titlemode")),
        failing("TitlemodeRestDispatched", ".titlemode box .font\r\n",
                line_error(1, "titlemode") + line_error(1, "font"))),
    testing::row_name);

}  // namespace
}  // namespace zek
