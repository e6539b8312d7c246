// Page and document ends and the paragraph primitives behind them: the
// non-scrolling region and indent groups closed at the page end, the
// paragraph reset written once, the separator of text mode.
#include <gtest/gtest.h>

#include "commands/pass_two.h"
#include "support/memory_environment.h"

namespace zek {
namespace {

struct PageCase {
  const char* name;
  std::string header_name;  // the current topic's title before the lines
  std::string source;
  std::string expected;
};

class PageCommandTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageCommandTest, WritesRtf) {
  testing::PassTwo pass;
  pass.ctx.headers.header_name = GetParam().header_name;
  EXPECT_EQ(pass.run(GetParam().source), GetParam().expected);
  EXPECT_EQ(pass.ctx.format.state.indent_depth, 0);
  EXPECT_EQ(pass.ctx.format.state.noscroll_open, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, PageCommandTest,
    ::testing::Values(
        PageCase{"PageClosesRegionThenIndents", "",
                 ".lindent 5\r\n.rindent 5\r\n.noscroll\r\n.page\r\n",
                 "{\\li100 \r\n{\\ri100 \r\n{\\keepn\r\n\\pard }\\pard }\\pard }{\\page }\r\n"
                 "\\pard \\i0 \\b0 \r\n"},
        PageCase{"ResetWrittenOnce", "", ".page\r\n.page\r\n",
                 "{\\page }\r\n\\pard \\i0 \\b0 \r\n{\\page }\r\n"},
        PageCase{"ResetAgainAfterBodyText", "", ".page\r\nx\r\n.page\r\n",
                 "{\\page }\r\n\\pard \\i0 \\b0 \r\nx{\\par }\r\n{\\page }\r\n"
                 "\\pard \\i0 \\b0 \r\n"},
        PageCase{"PageThenText", "", ".page Next\r\n",
                 "{\\page }\r\n\\pard \\i0 \\b0 \r\nNext{\\par }\r\n"},
        PageCase{"EndWithoutTopic", "", ".end\r\n.end\r\n", "}\r\n}\r\n"},
        PageCase{"EndInsideTopic", "Intro", ".rindent 1\r\n.end\r\n.end\r\n",
                 "{\\ri20 \r\n\\pard }{\\page }\r\n}\r\n}\r\n"},
        PageCase{"RegionClosedByEnd", "Intro", ".noscroll\r\n.end\r\n",
                 "{\\keepn\r\n\\pard }{\\page }\r\n}\r\n"}),
    [](const ::testing::TestParamInfo<PageCase>& info) { return info.param.name; });

TEST(PageCommandTest, TextModeWritesSeparatorAndLineEnd) {
  std::string separator;
  for (int i = 0; i < 39; ++i) separator += "\x84\xAA";  // "━"
  testing::PassTwo pass(true);
  pass.ctx.headers.header_name = "Intro";
  EXPECT_EQ(pass.run(".rindent 5 Text\r\n.end\r\n"), "Text\r\n" + separator + "\r\n\r\n");
}

}  // namespace
}  // namespace zek
