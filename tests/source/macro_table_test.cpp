// The macro table's rows: definitions, redefinitions, #undef, the row limit
// and the error words.
#include "source/macro_table.h"

#include <gtest/gtest.h>

#include "base/cat.h"
#include "support/row_name.h"

namespace zek {
namespace {

struct DefineCase {
  const char* name;
  std::string text;  // after "#define "
  std::string_view error;
  std::optional<std::string> macro_name;  // the row made, if any
  std::string body;
  std::optional<std::string> parameter;
};

class DefineTest : public ::testing::TestWithParam<DefineCase> {};

TEST_P(DefineTest, SplitsNameParameterAndBody) {
  const DefineCase& c = GetParam();
  MacroTable table;
  EXPECT_EQ(table.define(c.text), c.error);
  ASSERT_EQ(table.row_count(), c.macro_name ? 1u : 0u);
  if (!c.macro_name) return;
  const MacroEntry& row = table.rows()[0];
  EXPECT_EQ(row.name, c.macro_name);
  EXPECT_EQ(row.body, c.body);
  EXPECT_EQ(row.parameter, c.parameter);
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, DefineTest,
    ::testing::Values(
        DefineCase{"Empty", "", "def", std::nullopt, "", std::nullopt},
        DefineCase{"NameOnly", "NAME", "", "NAME", "", std::nullopt},
        DefineCase{"BlankBelongsToName", "Intro text", "", "Intro text", "", std::nullopt},
        DefineCase{"TabsBeforeBody", "N\t\t\tbody\tend", "", "N", "body\tend", std::nullopt},
        DefineCase{"TrailingTabsOnly", "N\t\t", "", "N", "", std::nullopt},
        DefineCase{"Parameter", "A(x)\t[x]", "", "A", "[x]", "x"},
        DefineCase{"EmptyParentheses", "A()\tb", "", "A", "b", std::nullopt},
        DefineCase{"ParameterUpToLastClose", "A(x)y)\tb", "", "A", "b", "x)y"},
        DefineCase{"UnclosedParenthesis", "A(x\tb", "", "A(x", "b", std::nullopt},
        DefineCase{"ParenthesisNotLast", "A(x)y\tb", "", "A(x)y", "b", std::nullopt},
        // An empty name would match before every character.
        DefineCase{"EmptyNameWithParameter", "(x)\tb", "def", std::nullopt, "", std::nullopt},
        DefineCase{"EmptyNameEmptyParentheses", "()", "def", std::nullopt, "", std::nullopt}),
    testing::row_name);

std::string expanded(MacroTable& table, std::string line) {
  EXPECT_TRUE(table.expand(line, {}));
  return line;
}

TEST(MacroTableTest, RedefinitionKeepsRowAndSearchOrder) {
  MacroTable table;
  table.define("ab\t1");
  table.define("abc\t2");
  EXPECT_EQ(table.define("ab(x)\t<x>"), "");
  EXPECT_EQ(table.row_count(), 2u);
  EXPECT_EQ(table.rows()[0].parameter, "x");
  EXPECT_EQ(expanded(table, "abc ab(1)"), "<x>c <1>");
}

TEST(MacroTableTest, UndefineLeavesBlankRowAndRedefineGoesLast) {
  MacroTable table;
  table.define("ab\t1");
  table.define("abc\t2");
  EXPECT_EQ(table.undefine("ab\tignored"), "");
  EXPECT_EQ(table.row_count(), 2u);
  EXPECT_FALSE(table.rows()[0].name.has_value());
  EXPECT_EQ(expanded(table, "abc ab"), "2 ab");
  table.define("ab\t1");
  EXPECT_EQ(table.row_count(), 3u);
  EXPECT_EQ(expanded(table, "abc ab"), "2 1");
}

TEST(MacroTableTest, UndefineErrors) {
  MacroTable table;
  table.define("A\tx");
  EXPECT_EQ(table.undefine(""), "undef");
  EXPECT_EQ(table.undefine("B"), "");
  EXPECT_EQ(table.undefine("A(x)"), "");  // names compare whole
  EXPECT_EQ(expanded(table, "A"), "x");
}

TEST(MacroTableTest, FiveHundredRowsBlankOnesIncluded) {
  MacroTable table;
  for (int i = 0; i < 500; ++i) ASSERT_EQ(table.define(cat("M", i, "\tv", i)), "");
  table.undefine("M7");
  EXPECT_EQ(table.define("NEW\tx"), "too many def");
  EXPECT_EQ(table.define("M8\tchanged"), "");  // redefinitions still work
  EXPECT_EQ(table.row_count(), 500u);
  EXPECT_EQ(expanded(table, "M8 M7 NEW"), "changed M7 NEW");
}

TEST(MacroTableTest, ClearEmptiesTable) {
  MacroTable table;
  table.define("A\tx");
  table.clear();
  EXPECT_EQ(table.row_count(), 0u);
  EXPECT_EQ(expanded(table, "A"), "A");
  table.define("B\ty");
  EXPECT_EQ(expanded(table, "A B"), "A y");
}

}  // namespace
}  // namespace zek
