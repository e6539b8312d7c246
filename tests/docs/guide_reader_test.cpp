// The reader of the guide's examples: what it takes from the Markdown, and
// the mistakes in the guide that it reports instead of passing over.
#include "docs/guide_reader.h"

#include <gtest/gtest.h>

#include "docs/cp932_text.h"

namespace zek::testing {
namespace {

TEST(GuideReader, TakesAttributesInputsAndExpectations) {
  const GuideContents contents = read_guide(
      "# Title\n## Links\n<!-- options: -I@ -M -->\n<!-- status: 1 -->\n"
      "```zek\n.include a.zek\nText\n```\nprose\n```zek a.zek\nA\n```\n"
      "```rtf\nout\n```\n```stderr\nerr\n```\n```sh\nnot an example\n```\n");
  ASSERT_TRUE(contents.problems.empty()) << contents.problems[0];
  ASSERT_EQ(contents.examples.size(), 1u);
  const GuideExample& example = contents.examples[0];
  EXPECT_EQ(example.heading, "Links");
  EXPECT_EQ(example.line, 5);
  EXPECT_EQ(example.options, (std::vector<std::string>{"-I@", "-M"}));
  EXPECT_EQ(example.status, 1);
  EXPECT_FALSE(example.unchecked);
  EXPECT_EQ(example.inputs.at("in.zek"), ".include a.zek\nText\n");
  EXPECT_EQ(example.inputs.at("a.zek"), "A\n");
  EXPECT_EQ(example.expectations.at("rtf"), "out\n");
  EXPECT_EQ(example.expectations.at("stderr"), "err\n");
  EXPECT_EQ(example.expectations.size(), 2u);
}

TEST(GuideReader, SeparatesExamplesAtHeadingsCommentsAndSources) {
  const GuideContents contents = read_guide(
      "```zek\nA\n```\n```rtf\na\n```\n```zek\nB\n```\n```rtf\nb\n```\n"
      "## Next\n<!-- unchecked -->\n<!-- args: / d/x.zek -->\n<!-- source: d/x.zek -->\n"
      "```zek\nC\n```\n```text\nc\n```\n");
  ASSERT_TRUE(contents.problems.empty()) << contents.problems[0];
  ASSERT_EQ(contents.examples.size(), 3u);
  EXPECT_EQ(contents.examples[1].expectations.at("rtf"), "b\n");
  const GuideExample& last = contents.examples[2];
  EXPECT_TRUE(last.unchecked);
  EXPECT_EQ(last.args, (std::vector<std::string>{"/", "d/x.zek"}));
  EXPECT_EQ(last.inputs.at("d/x.zek"), "C\n");
  EXPECT_EQ(last.heading, "Next");
}

// Slips in the guide that would otherwise leave an example unchecked.
TEST(GuideReader, ReportsMistakes) {
  const struct {
    const char* markdown;
    const char* problem;
  } cases[] = {
      {"```zek\nA\n```\n", "line 1: example without an expected output block"},
      {"text\n```rtf\nx\n```\n", "line 2: ```rtf block outside an example"},
      {"```zek\nA\n```\n## H\n```rtf\nx\n```\n", "line 1: example without"},
      {"<!-- option: -M -->\n```zek\nA\n```\n```rtf\n```\n", "line 1: unknown example attribute"},
      {"<!-- status: one -->\n```zek\nA\n```\n```rtf\n```\n", "line 1: unknown example attribute"},
      {"```zek\nA\n```\n```rtf\n```\n```rtf\n```\n", "line 6: expected rtf given twice"},
      {"```zek\nA\n```\n```zek a\n```\n```zek a\n```\n", "line 6: input file given twice"},
      {"```zek\nA\n", "line 1: fenced block not closed"},
      {"<!-- options: -M -->\n", "line 1: attribute comment without"},
  };
  for (const auto& c : cases) {
    const GuideContents contents = read_guide(c.markdown);
    ASSERT_FALSE(contents.problems.empty()) << c.markdown;
    EXPECT_EQ(contents.problems[0].rfind(c.problem, 0), 0u) << c.markdown << "\n"
                                                            << contents.problems[0];
  }
}

TEST(GuideReader, KeepsRemarksAndCarriageReturnsOutOfTheExamples) {
  const GuideContents contents =
      read_guide("<!-- a remark for editors -->\r\n```zek\r\nA\r\n```\r\n```rtf\r\nx \r\n```\r\n");
  ASSERT_TRUE(contents.problems.empty()) << contents.problems[0];
  ASSERT_EQ(contents.examples.size(), 1u);
  EXPECT_EQ(contents.examples[0].inputs.at("in.zek"), "A\n");
  EXPECT_EQ(contents.examples[0].expectations.at("rtf"), "x \n");
}

TEST(GuideText, BecomesCodePage932) {
  EXPECT_EQ(utf8_to_cp932("a\xE3\x81\x82\xE8\xA1\xA8z").bytes, "a\x82\xA0\x95\x5Cz");
  EXPECT_EQ(utf8_to_cp932("\xE2\x94\x81").bytes, "\x84\xAA");
  const Cp932Result unknown = utf8_to_cp932("x\xE6\xBC\xA2y");  // a character not in the table
  EXPECT_EQ(unknown.unknown, "\xE6\xBC\xA2");
  EXPECT_EQ(unknown.bytes, "xy");
}

}  // namespace
}  // namespace zek::testing
