// Composing texts: tab expansion to eight-column stops.
#include "base/cat.h"

#include <gtest/gtest.h>

#include <string>

#include "support/row_name.h"

namespace zek {
namespace {

struct TabCase {
  const char* name;
  std::string input;
  std::string expected;
};

class ExpandTabsTest : public ::testing::TestWithParam<TabCase> {};

TEST_P(ExpandTabsTest, ExpandsToNextStop) {
  std::string text = GetParam().input;
  expand_tabs(text);
  EXPECT_EQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, ExpandTabsTest,
    ::testing::Values(TabCase{"AfterOneByte", "a\tb", "a       b"},
                      TabCase{"AtLineStart", "\tx", "        x"},
                      TabCase{"TwoAfterSeven", "abcdefg\t\tx", "abcdefg         x"},
                      TabCase{"AtStop", "abcdefgh\tx", "abcdefgh        x"},
                      TabCase{"DoubleByteCountsTwo", "\x82\xA0\tx", "\x82\xA0      x"},
                      TabCase{"DoubleByteWithAtTrail", "\x81\x40\t", "\x81\x40      "},
                      TabCase{"NoTabs", "plain text", "plain text"}, TabCase{"Empty", "", ""},
                      TabCase{"OnlyTabs", "\t\t", std::string(16, ' ')}),
    testing::row_name);

// An expanded line may be longer than any source line.
TEST(ExpandTabsTest, GrowsBeyondSourceLineLength) {
  std::string text(2047, '\t');
  expand_tabs(text);
  EXPECT_EQ(text, std::string(2047 * 8, ' '));
}

}  // namespace
}  // namespace zek
