// Errors of the formatting commands: each is reported with its word in
// pass 1, the rest of the line is dispatched again (a second error on the
// same line shows that), and the run ends without an output file.
#include <gtest/gtest.h>

#include "support/memory_environment.h"

namespace zek {
namespace {

struct ErrorCase {
  const char* name;
  std::string source;
  std::string expected_err;
};

class CommandErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CommandErrorTest, ReportsInPassOneAndWritesNoOutput) {
  testing::MemoryEnvironment env;
  env.files["in.zek"] = GetParam().source;
  const testing::RunResult result = testing::run(env, {"in.zek", "out.rtf"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, GetParam().expected_err);
  EXPECT_EQ(env.files.count("out.rtf"), 0u);
}

std::string line_error(int line, std::string_view word) {
  return "in.zek " + std::to_string(line) + ": error " + std::string(word) + "\n";
}

INSTANTIATE_TEST_SUITE_P(
    Words, CommandErrorTest,
    ::testing::Values(
        ErrorCase{"FontWithoutNumber", ".font\r\n", line_error(1, "font")},
        ErrorCase{"FontLetter", ".font x\r\n", line_error(1, "font")},
        ErrorCase{"SizeRestDispatched", ".size .font\r\n",
                  line_error(1, "size") + line_error(1, "font")},
        ErrorCase{"CrpitchBoth", ".crpitcha\r\n.crpitchb -1\r\n",
                  line_error(1, "crpitch") + line_error(2, "crpitch")},
        ErrorCase{"RindentBoth", ".rindentc\r\n.rindent x\r\n",
                  line_error(1, "rindent") + line_error(2, "rindent")},
        ErrorCase{"LindentcFirst", ".lindentc\r\n", line_error(1, "lindentc")},
        ErrorCase{"LindentSecond", ".lindent 10 .endindent\r\n",
                  line_error(1, "lindent") + line_error(1, "endindent")},
        ErrorCase{"EndindentWithoutIndent", ".endindent\r\n", line_error(1, "endindent")},
        ErrorCase{"EndindentOnceTooOften",
                  ".rindent 2 .lindent 3\r\n.endindent .endindent "
                  ".endindent\r\n",
                  line_error(2, "endindent")},
        ErrorCase{"BorderWordRunOn", ".border dotted\r\n", line_error(1, "border")},
        ErrorCase{"BorderRestDispatched", ".border .noscroll .noscroll\r\n",
                  line_error(1, "border") + line_error(1, "noscroll")},
        ErrorCase{"NoscrollTwice", ".noscroll\r\n.noscroll\r\n", line_error(2, "noscroll")},
        ErrorCase{"EndnoscrollWithoutRegion", ".endnoscroll\r\n", line_error(1, "noscroll")},
        ErrorCase{"EndnoscrollAfterPageEnd", ".noscroll\r\n.page\r\n.endnoscroll\r\n",
                  line_error(3, "noscroll")},
        ErrorCase{"TitlemodeUnknownWord", ".titlemode bold colour 2\r\n",
                  line_error(1, "titlemode")},
        ErrorCase{"TitlemodeRestDispatched", ".titlemode box .font\r\n",
                  line_error(1, "titlemode") + line_error(1, "font")}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

}  // namespace
}  // namespace zek
