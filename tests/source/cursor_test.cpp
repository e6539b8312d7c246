// Reading at the cursor: keyword matching and number reading on command lines.
#include "source/cursor.h"

#include <gtest/gtest.h>

namespace zek {
namespace {

struct KeywordCase {
  std::string line;
  const char* keyword;
  bool matches;
  std::string rest;  // the line from the cursor afterwards
};

void PrintTo(const KeywordCase&, std::ostream* os) {
  *os << "case";
}

class MatchKeywordTest : public ::testing::TestWithParam<KeywordCase> {};

TEST_P(MatchKeywordTest, MatchesAndSkips) {
  const KeywordCase& c = GetParam();
  std::string line = c.line;
  Cursor cursor{line};
  EXPECT_EQ(match_keyword(cursor, c.keyword), c.matches) << c.line;
  EXPECT_EQ(cursor.rest(), c.rest) << c.line;
}

INSTANTIATE_TEST_SUITE_P(Keywords, MatchKeywordTest,
                         ::testing::Values(KeywordCase{".topic x", ".topic", true, "x"},
                                           KeywordCase{".TOPIC x", ".topic", true, "x"},
                                           KeywordCase{".Topic", ".topic", true, ""},
                                           KeywordCase{".topic2 x", ".topic", true, "2 x"},
                                           KeywordCase{".topicx", ".topic", false, ".topicx"},
                                           KeywordCase{".topiC_x", ".topic", true, "_x"},
                                           KeywordCase{".top", ".topic", false, ".top"},
                                           KeywordCase{".topic  x", ".topic", true, " x"},
                                           KeywordCase{".topic\t\tx", ".topic", true, "x"},
                                           KeywordCase{".topic \t x", ".topic", true, " x"},
                                           KeywordCase{".topic\x82\xA0", ".topic", true,
                                                       "\x82\xA0"},
                                           KeywordCase{".topi\xC3", ".topic", false, ".topi\xC3"}));

struct NumberCase {
  std::string text;
  std::optional<uint32_t> value;
  std::string rest;
};

void PrintTo(const NumberCase&, std::ostream* os) {
  *os << "case";
}

class ReadNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadNumberTest, ReadsDigits) {
  std::string line = GetParam().text;
  Cursor cursor{line};
  EXPECT_EQ(read_number(cursor), GetParam().value);
  EXPECT_EQ(cursor.rest(), GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(Numbers, ReadNumberTest,
                         ::testing::Values(NumberCase{"123abc", 123u, "abc"},
                                           NumberCase{"x1", std::nullopt, "x1"},
                                           NumberCase{" 1", std::nullopt, " 1"},
                                           NumberCase{"4294967296", 0u, ""},
                                           NumberCase{"", std::nullopt, ""}));

}  // namespace
}  // namespace zek
