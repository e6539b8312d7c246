// Page and document ends and the paragraph primitives behind them: the
// non-scrolling region and indent groups closed at the page end, the
// paragraph reset written once, the separator of text mode.
#include <gtest/gtest.h>

#include "support/conversion.h"
#include "support/line_passes.h"

namespace zek {
namespace {

using testing::LinePasses;
using testing::row_name;
using testing::to_rtf;

// Rows: the lines run as pass 2 outside any topic (PageCommandTest) or in
// the topic "Intro" (PageInTopicTest), and what they write; every
// non-scrolling region and indent group is closed afterwards.
void check_in_topic(const testing::Conversion& c, const std::string& header_name) {
  LinePasses pass(LinePasses::Start::pass_two);
  pass.ctx.headers.header_name = header_name;
  pass.check_pass_two(c);
  EXPECT_EQ(pass.ctx.format.state.indent_depth, 0);
  EXPECT_EQ(pass.ctx.format.state.noscroll_open, 0);
}

class PageCommandTest : public ::testing::TestWithParam<testing::Conversion> {};
class PageInTopicTest : public ::testing::TestWithParam<testing::Conversion> {};

TEST_P(PageCommandTest, WritesRtf) {
  check_in_topic(GetParam(), "");
}

TEST_P(PageInTopicTest, WritesRtf) {
  check_in_topic(GetParam(), "Intro");
}

INSTANTIATE_TEST_SUITE_P(
    Ends, PageCommandTest,
    ::testing::Values(
        to_rtf("PageClosesRegionThenIndents", ".lindent 5\r\n.rindent 5\r\n.noscroll\r\n.page\r\n",
               "{\\li100 \r\n{\\ri100 \r\n{\\keepn\r\n\\pard }\\pard }\\pard }{\\page }\r\n"
               "\\pard \\i0 \\b0 \r\n"),
        to_rtf("ResetWrittenOnce", ".page\r\n.page\r\n",
               "{\\page }\r\n\\pard \\i0 \\b0 \r\n{\\page }\r\n"),
        to_rtf("ResetAgainAfterBodyText", ".page\r\nx\r\n.page\r\n",
               "{\\page }\r\n\\pard \\i0 \\b0 \r\nx{\\par }\r\n{\\page }\r\n"
               "\\pard \\i0 \\b0 \r\n"),
        to_rtf("PageThenText", ".page Next\r\n",
               "{\\page }\r\n\\pard \\i0 \\b0 \r\nNext{\\par }\r\n"),
        to_rtf("EndWithoutTopic", ".end\r\n.end\r\n", "}\r\n}\r\n")),
    row_name);

INSTANTIATE_TEST_SUITE_P(Ends, PageInTopicTest,
                         ::testing::Values(to_rtf("EndInsideTopic",
                                                  ".rindent 1\r\n.end\r\n.end\r\n",
                                                  "{\\ri20 \r\n\\pard }{\\page }\r\n}\r\n}\r\n"),
                                           to_rtf("RegionClosedByEnd", ".noscroll\r\n.end\r\n",
                                                  "{\\keepn\r\n\\pard }{\\page }\r\n}\r\n")),
                         row_name);

TEST(PageCommandTest, TextModeWritesSeparatorAndLineEnd) {
  std::string separator;
  for (int i = 0; i < 39; ++i) separator += "\x84\xAA";  // "━"
  LinePasses pass(LinePasses::Start::pass_two, LinePasses::Output::text);
  pass.ctx.headers.header_name = "Intro";
  EXPECT_EQ(pass.pass_two(".rindent 5 Text\r\n.end\r\n"), "Text\r\n" + separator + "\r\n\r\n");
}

}  // namespace
}  // namespace zek
