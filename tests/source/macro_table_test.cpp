// The macro table: its rows (definitions, redefinitions, #undef, the row
// limit and the error words), and the expansion of lines, checked against the
// expected bytes and against the literal sweeps of the rules, with a
// randomised comparison of the two.
#include "source/macro_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "base/cat.h"
#include "support/literal_macro_expand.h"
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

// Expansion of lines by the macro table, checked against the expected bytes
// and against the literal sweeps of the rules, and a randomised comparison of
// the two.

struct Expansion {
  bool kept = true;
  std::string line;
  std::vector<std::string> trace;
};

Expansion expand_with(MacroTable& table, std::string line) {
  Expansion result;
  result.kept = table.expand(line, [&](std::string_view text) { result.trace.emplace_back(text); });
  result.line = std::move(line);
  return result;
}

MacroTable table_of(const std::vector<std::string>& definitions) {
  MacroTable table;
  for (const std::string& definition : definitions) EXPECT_EQ(table.define(definition), "");
  return table;
}

struct ExpandCase {
  const char* name;
  std::vector<std::string> definitions;  // texts after "#define "
  std::string line;
  std::optional<std::string> expected;  // none: "buffer overflow"
  std::optional<std::vector<std::string>> trace = std::nullopt;
};

class ExpandTest : public ::testing::TestWithParam<ExpandCase> {};

TEST_P(ExpandTest, MatchesExpectedAndLiteralSweeps) {
  const ExpandCase& c = GetParam();
  MacroTable table = table_of(c.definitions);
  const Expansion got = expand_with(table, c.line);
  const testing::LiteralExpansion literal = testing::literal_macro_expand(table.rows(), c.line);
  EXPECT_EQ(got.kept, c.expected.has_value());
  EXPECT_EQ(literal.kept, c.expected.has_value());
  if (c.expected) {
    EXPECT_EQ(got.line, *c.expected);
    EXPECT_EQ(literal.line, *c.expected);
  }
  if (c.trace) {
    EXPECT_EQ(got.trace, *c.trace);
  }
  EXPECT_EQ(got.trace, literal.trace);
}

const std::string kLong600(600, 'x');

INSTANTIATE_TEST_SUITE_P(
    Rules, ExpandTest,
    ::testing::Values(
        ExpandCase{"EmptyBodyRemovesName", {"NAME"}, "a NAME b NAME", "a  b ", {{"a  b "}}},
        ExpandCase{"ParameterEachCall", {"A(x)\t[x]"}, "A(1) A(2)", "[1] [2]", {{"[1] [2]"}}},
        ExpandCase{"ParameterMacroAlone", {"A(x)\t[x]"}, "A", "[x]"},
        ExpandCase{"BlankBeforeParenthesis", {"A(x)\t[x]"}, "A (1)", "[x] (1)"},
        ExpandCase{"NoClosingParenthesis", {"A(x)\t[x]"}, "A(1", "[x](1"},
        ExpandCase{"ArgumentEndsAtFirstClose", {"A(x)\t[x]"}, "A(f(1))", "[f(1])"},
        ExpandCase{"FirstParameterOnly", {"B(x)\tx-x"}, "B(7)", "7-x"},
        ExpandCase{"BodyWithoutParameter", {"C(y)\tnone"}, "C(5).", "none."},
        ExpandCase{"EmptyParenthesesNoParameter", {"D()\tbody"}, "D()", "body()"},
        ExpandCase{"NameWithBlank", {"Intro text"}, "Intro text here", " here"},
        ExpandCase{"OwnNameInBody", {"X\taXb"}, "X", "aXb", {{"aXb"}}},
        ExpandCase{"SearchGoesOnBehindInsertion", {"a\taa"}, "aa", "aaaa", {{"aaaa"}}},
        ExpandCase{"PThenQOneSweep", {"P\tQ", "Q\tR"}, "P", "R", {{"Q", "R"}}},
        ExpandCase{"QThenPSecondSweep", {"Q\tR", "P\tQ"}, "P", "R", {{"Q", "R"}}},
        ExpandCase{"QAlreadyExpanded", {"Q\tR", "P\tQ"}, "Q P", "R Q", {{"R P", "R Q"}}},
        ExpandCase{"TwoMacrosTwoTraces", {"AA\tx", "BB\ty"}, "AA BB", "x y", {{"x BB", "x y"}}},
        ExpandCase{"FirstDefinedWins", {"ab\t1", "abc\t2"}, "abc", "1c"},
        ExpandCase{"LongerDefinedFirstWins", {"abc\t2", "ab\t1"}, "abc", "2"},
        ExpandCase{"ChainThroughBody", {"A\tB B", "B\tc"}, "A", "c c", {{"B B", "c c"}}},
        ExpandCase{"NoMacroUsed", {"A\tB"}, "nothing here", "nothing here", {{}}},
        ExpandCase{"CaseSensitive", {"Name\tX"}, "NAME name", "NAME name"},
        // Names are found at character boundaries only: "@" is here the
        // trail byte of a double-byte character.
        ExpandCase{"TrailByteNotAName", {"@\tX"}, "\x81@ @", "\x81@ X"},
        ExpandCase{"DoubleByteName", {"\x82\xA0\tX"}, "\x82\xA0\x82\xA0", "XX"},
        ExpandCase{"DoubleByteNameOnTrail", {"\x82\xA0\tX"}, "\x81\x82\xA0", "\x81\x82\xA0"},
        ExpandCase{"NameEndingInLeadByte", {"a\x82\tX"}, "a\x82\xA0 a\x82", "a\x82\xA0 X"},
        ExpandCase{"ParameterOnTrailByteKept", {"A(@)\t\x81@-@"}, "A(1)", "\x81@-1"},
        // No 255-character buffers: long parameters, bodies and arguments.
        ExpandCase{"LongParameterForm",
                   {cat("L(", std::string(300, 'p'), ")\t<", std::string(300, 'p'), '>')},
                   cat("L(", std::string(400, 'a'), ')'),
                   cat('<', std::string(400, 'a'), '>')},
        // The expanded line may hold 1024 characters, not more.
        ExpandCase{
            "ExactlyAtLimit", {cat("A\t", std::string(1024, 'y'))}, "A", std::string(1024, 'y')},
        ExpandCase{"OneBeyondLimit", {cat("A\t", std::string(1025, 'y'))}, "A", std::nullopt},
        ExpandCase{"SecondOccurrenceOverflows", {cat("A\t", kLong600)}, "A A", std::nullopt},
        ExpandCase{"LongLineUntouched", {"A\tB"}, std::string(1100, 'x'), std::string(1100, 'x')},
        ExpandCase{
            "LongLineShrinksButStaysOver", {"A"}, cat(std::string(1100, 'x'), 'A'), std::nullopt},
        ExpandCase{"BlowUp",
                   {"A\tBBBBBBBBBB", "B\tCCCCCCCCCC", "C\tDDDDDDDDDD", "D\tEEEEEEEEEE"},
                   "A",
                   std::nullopt}),
    testing::row_name);

// A chain defined last link first needs one sweep per row; it still ends
// after every row has expanded once.
TEST(ExpandLimitsTest, LongChainEndsAfterEveryRowOnce) {
  MacroTable table;
  for (int i = 499; i >= 0; --i) {
    ASSERT_EQ(table.define(cat('[', i, "]\t[", i + 1, ']')), "");
  }
  const Expansion got = expand_with(table, "[0]");
  EXPECT_TRUE(got.kept);
  EXPECT_EQ(got.line, "[500]");
  EXPECT_EQ(got.trace.size(), 500u);
  EXPECT_EQ(testing::literal_macro_expand(table.rows(), "[0]").line, "[500]");
}

// Every row's body holds the next row's name four times: the line grows
// fourfold per row and stops at the limit.
TEST(ExpandLimitsTest, ExplodingBodiesEndInOverflow) {
  MacroTable table;
  for (int i = 0; i < 500; ++i) {
    const std::string next = cat('<', i + 1, '>');
    ASSERT_EQ(table.define(cat('<', i, ">\t", next, next, next, next)), "");
  }
  std::string line = "<0>";
  EXPECT_FALSE(table.expand(line, {}));
  EXPECT_LE(line.size(), MacroTable::kMaxLineLength);
}

// Random small tables and lines over a tiny alphabet, so that names overlap,
// bodies call other macros and lines hold parentheses and double-byte bytes.
class RandomSource {
 public:
  explicit RandomSource(uint32_t seed) : engine_(seed) {}
  size_t below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(engine_); }
  std::string text(std::string_view alphabet, size_t max_length) {
    std::string out;
    for (size_t n = below(max_length + 1); n > 0; --n) out += alphabet[below(alphabet.size())];
    return out;
  }

 private:
  std::mt19937 engine_;
};

std::string random_definition(RandomSource& random) {
  std::string text = random.text("abx@\x82", 3);
  if (text.empty()) text = "a";
  if (random.below(3) == 0) append(text, '(', random.text("xa", 2), ')');
  if (random.below(5) != 0) text += std::string(1 + random.below(2), '\t');
  std::string body = random.text("abx(@) \x82\xA0", 8);
  // Now and then a long body, so that some lines outgrow the limit.
  if (random.below(8) == 0) {
    const std::string unit = body;
    for (size_t n = 20 + random.below(40); n > 0; --n) body += unit;
  }
  return text + body;
}

TEST(ExpandRandomTest, AgreesWithLiteralSweeps) {
  RandomSource random(20240611);
  int dropped = 0, changed = 0;
  for (int table_number = 0; table_number < 400; ++table_number) {
    MacroTable table;
    const size_t operations = 1 + random.below(12);
    for (size_t op = 0; op < operations; ++op) {
      const std::string definition = random_definition(random);
      if (random.below(6) == 0) {
        table.undefine(definition.substr(0, definition.find('\t')));
      } else {
        table.define(definition);
      }
      for (int n = 0; n < 4; ++n) {
        const std::string line = random.text("abx(@) \x82\xA0\x81", 24);
        const Expansion got = expand_with(table, line);
        const testing::LiteralExpansion literal = testing::literal_macro_expand(table.rows(), line);
        ASSERT_EQ(got.kept, literal.kept) << line;
        if (got.kept) {
          ASSERT_EQ(got.line, literal.line) << line;
        }
        ASSERT_EQ(got.trace, literal.trace) << line;
        dropped += got.kept ? 0 : 1;
        changed += got.trace.size() > 1 ? 1 : 0;
      }
    }
  }
  // The cases must reach both ends of the rules.
  EXPECT_GT(dropped, 0);
  EXPECT_GT(changed, 100);
}

}  // namespace
}  // namespace zek
