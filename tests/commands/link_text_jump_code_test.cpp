// Jump codes of every length and byte kind: short ones are composed in place,
// long or non-ASCII window names as one formatted text.
#include <gtest/gtest.h>

#include "commands/link_text.h"
#include "support/link_fixture.h"
#include "support/row_name.h"

namespace zek {
namespace {

using testing::LinkFixture;

struct JumpCase {
  const char* name;
  std::string window;
  std::vector<std::string> options;
  std::string expected;
};

class JumpCodeTest : public ::testing::TestWithParam<JumpCase> {};

TEST_P(JumpCodeTest, WritesTheWindowOfATopic2) {
  const JumpCase& c = GetParam();
  LinkFixture fixture(c.options);
  fixture.ctx.writer.hex_kanji = fixture.ctx.options.hex_kanji;
  fixture.add({NameKind::topic2, "Tips", c.window});
  prepare_links(fixture.ctx);
  std::string line = "Tips";
  link_text_line(fixture.ctx, line, NameKind::topic);
  EXPECT_EQ(fixture.output(), c.expected);
  // Without -X every byte written counts one column.
  if (c.options.empty()) {
    EXPECT_EQ(fixture.ctx.writer.column, c.expected.size());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, JumpCodeTest,
    ::testing::Values(JumpCase{"Short", "note", {}, "{\\strike Tips}{\\v XX0>note}"},
                      JumpCase{"ThirtyTwo",
                               std::string(32, 'w'),
                               {},
                               "{\\strike Tips}{\\v XX0>" + std::string(32, 'w') + "}"},
                      JumpCase{"ThirtyThree",
                               std::string(33, 'w'),
                               {},
                               "{\\strike Tips}{\\v XX0>" + std::string(33, 'w') + "}"},
                      JumpCase{"Tab", "a\tb", {}, "{\\strike Tips}{\\v XX0>a\\tab b}"},
                      JumpCase{"Japanese",
                               "\x83\x81\x83\x43\x83\x93",
                               {"X"},
                               "{\\strike Tips}{\\v XX0>\\'83\\'81\\'83\\'43\\'83\\'93}"},
                      // A lead byte at the end of the window takes the closing brace as its trail.
                      JumpCase{
                          "CutDoubleByte", "n\x82", {"X"}, "{\\strike Tips}{\\v XX0>n\\'82\\'7D"}),
    testing::row_name);

}  // namespace
}  // namespace zek
