// Preprocessor directives in whole conversions: sections, "#32", the lines
// for one kind of output, -3 and -D, errors, and macros in use.
#include "source/directives.h"

#include <gtest/gtest.h>

#include "base/cat.h"
#include "support/memory_environment.h"

namespace zek {
namespace {

struct Conversion {
  int status = 0;
  std::string err;
  std::optional<std::string> output;
};

Conversion convert_files(const std::map<std::string, std::string>& files,
                         std::vector<std::string> options, const std::string& output_name) {
  testing::MemoryEnvironment env;
  env.files.insert(files.begin(), files.end());
  options.push_back("in.zek");
  options.push_back(output_name);
  const testing::RunResult result = testing::run(env, options);
  Conversion conversion{result.status, result.err, std::nullopt};
  if (env.files.count(output_name) != 0) conversion.output = env.files[output_name];
  return conversion;
}

struct DirectiveCase {
  const char* name;
  std::string source;
  std::vector<std::string> options;
  std::string output;  // the output file; "-" when none must be written
  std::string err = "";
  std::string output_name = "out.rtf";
  std::map<std::string, std::string> more_files = {};
};

class DirectiveTest : public ::testing::TestWithParam<DirectiveCase> {};

TEST_P(DirectiveTest, Converts) {
  const DirectiveCase& c = GetParam();
  std::map<std::string, std::string> files = c.more_files;
  files["in.zek"] = c.source;
  const Conversion got = convert_files(files, c.options, c.output_name);
  EXPECT_EQ(got.err, c.err);
  EXPECT_EQ(got.status, c.err.empty() ? 0 : 1);
  if (c.output == "-") {
    EXPECT_FALSE(got.output.has_value());
  } else {
    EXPECT_EQ(got.output.value_or("(none)"), c.output);
  }
}

const std::string kAB = "#if32\r\nA\r\n#else\r\nB\r\n#endif\r\n";
const std::string kA = "A{\\par }\r\n";
const std::string kB = "B{\\par }\r\n";
const std::string kLong = std::string(600, 'x');

INSTANTIATE_TEST_SUITE_P(
    Sections, DirectiveTest,
    ::testing::Values(
        DirectiveCase{"If32Without3", kAB, {}, kB}, DirectiveCase{"If32With3", kAB, {"-3"}, kA},
        DirectiveCase{"If16Without3", "#if16\r\nA\r\n#else\r\nB\r\n#endif\r\n", {}, kA},
        DirectiveCase{"If16With3", "#if16\r\nA\r\n#else\r\nB\r\n#endif\r\n", {"-3"}, kB},
        DirectiveCase{
            "CaseIgnored", "#IF32\r\nA\r\n#Else\r\nB\r\n#Endif\r\nC\r\n", {}, kB + "C{\\par }\r\n"},
        DirectiveCase{"ElseFlipsAgain",
                      "#if16\r\nA\r\n#else\r\nB\r\n#else\r\nC\r\n#endif\r\n",
                      {},
                      kA + "C{\\par }\r\n"},
        DirectiveCase{
            "SkippedDropsEveryKind",
            "#if32\r\n#define A\tB\r\n#foo\r\n.bogus\r\n'raw\r\n`raw\r\n\r\n\"q\r\n#endif\r\nA\r\n",
            {},
            kA},
        DirectiveCase{"UnclosedSectionEndsSilently", "#if32\r\nA\r\n", {}, ""},
        DirectiveCase{"NestedIfReported",
                      "#if16\r\n#if32 X\r\n#endif\r\n",
                      {},
                      "-",
                      "in.zek 2: error #if32\n"},
        DirectiveCase{"If16InSectionReported",
                      "#if32\r\n#if16\r\n#endif\r\n",
                      {},
                      "-",
                      "in.zek 2: error #if16\n"},
        DirectiveCase{"ElseOutsideReported",
                      "#else .bogus\r\n",
                      {},
                      "-",
                      "in.zek 1: error #else\nin.zek 1: error bad . command  .bogus\n"},
        DirectiveCase{"EndifOutsideReported", "#endif\r\n", {}, "-", "in.zek 1: error #endif\n"},
        DirectiveCase{"LetterEndsNoWord", "#if32x\r\n", {}, "-", "in.zek 1: error #\n"},
        DirectiveCase{
            "BareHash", "#\r\n# if32\r\n", {}, "-", "in.zek 1: error #\nin.zek 2: error #\n"},
        DirectiveCase{"UnknownWordInSkippedSection", "#if32\r\n#foo\r\n#endif\r\n", {}, ""}),
    [](const ::testing::TestParamInfo<DirectiveCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Lines, DirectiveTest,
    ::testing::Values(
        DirectiveCase{"ThirtyTwoWith3", "#32 Hi\r\n", {"-3"}, "Hi{\\par }\r\n"},
        DirectiveCase{"ThirtyTwoWithout3", "#32 Hi\r\n", {}, ""},
        DirectiveCase{"ThirtyTwoThenDigit", "#320\r\n", {"-3"}, "0{\\par }\r\n"},
        DirectiveCase{"TextInRtf", "#text Plain only\r\n", {}, ""},
        DirectiveCase{"TextInText", "#text Plain only\r\n", {}, "Plain only\r\n", "", "out.txt"},
        DirectiveCase{"RtfInRtf", "#rtf R\r\n", {}, "R{\\par }\r\n"},
        DirectiveCase{"RtfInText", "#rtf R\r\n", {}, "", "", "out.txt"},
        DirectiveCase{
            "IgnoreDirectives", "#define A\tB\r\nA\r\n#foo\r\n#undef\r\n" + kAB, {"-D"}, kA + kB},
        DirectiveCase{"IncludedFileStartsOutside",
                      "#if16\r\n.include b.zek\r\n#endif\r\nC\r\n",
                      {},
                      "-",
                      "b.zek 2: error #endif\n",
                      "out.rtf",
                      {{"b.zek", "B\r\n#endif\r\n"}}},
        DirectiveCase{"IncludedSectionStaysThere",
                      ".include b.zek\r\nA\r\n",
                      {},
                      kA,
                      "",
                      "out.rtf",
                      {{"b.zek", "#if32\r\nB\r\n"}}}),
    [](const ::testing::TestParamInfo<DirectiveCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Macros, DirectiveTest,
    ::testing::Values(
        DirectiveCase{
            "InBodyText", "#define NAME\tWorld\r\nHello NAME\r\n", {}, "Hello World{\\par }\r\n"},
        DirectiveCase{"MakesCommand",
                      "#define T\t.bogus x\r\nT\r\n",
                      {},
                      "-",
                      "in.zek 2: error bad . command  .bogus x\n"},
        DirectiveCase{"DirectiveLinesNotExpanded",
                      "#define fine\tX\r\n#define A\tB\r\n#define C\tD\r\n#undef C\r\nA C\r\n",
                      {},
                      "B C{\\par }\r\n"},
        DirectiveCase{"EmptyDefine",
                      "#define\r\n#define \r\n",
                      {},
                      "-",
                      "in.zek 1: error def\nin.zek 2: error def\n"},
        DirectiveCase{"EmptyName", "#define (x)\tbody\r\n", {}, "-", "in.zek 1: error def\n"},
        DirectiveCase{"EmptyUndef", "#undef\r\n", {}, "-", "in.zek 1: error undef\n"},
        DirectiveCase{"TableEmptiedBetweenPasses", "A\r\n#define A\tB\r\nA\r\n", {}, kA + kB},
        DirectiveCase{"OverflowDropsLine",
                      cat("#define A\t", kLong, "\r\nA A\r\nnext\r\n"),
                      {},
                      "-",
                      "in.zek 2: error buffer overflow\n"},
        DirectiveCase{"SkippedLinesExpanded",
                      cat("#define A\t", kLong, "\r\n#if32\r\nA A\r\n#endif\r\n"),
                      {},
                      "-",
                      "in.zek 3: error buffer overflow\n"},
        DirectiveCase{"TraceLines",
                      "#define AA\tx\r\n#define BB\ty\r\nAA BB\r\n",
                      {},
                      "   1:0000:#define AA\tx\r\n   2:0000:#define BB\ty\r\n   3:0000:AA BB\r\n"
                      "DDDD:x BB\r\nDDDD:x y\r\nx y{\\par }\r\n",
                      "",
                      "out.xtf"}),
    [](const ::testing::TestParamInfo<DirectiveCase>& info) { return info.param.name; });

// A source built to blow up: every macro's body holds the next one many
// times over. The line stops at the limit at once.
TEST(MacroSourceTest, ExplodingSourceEndsInOverflow) {
  std::string source;
  for (int i = 0; i < 500; ++i) {
    const std::string next = cat("<", i + 1, ">");
    append(source, "#define <", i, ">\t", next, next, next, next, next, next, next, next, "\r\n");
  }
  source += "<0>\r\n";
  const Conversion got = convert_files({{"in.zek", source}}, {}, "out.rtf");
  EXPECT_EQ(got.status, 1);
  EXPECT_EQ(got.err, "in.zek 501: error buffer overflow\n");
}

// "#32" makes the rest a line of its own in a 32-bit build (the line loop
// then drops the attributes recorded before it on the line); otherwise the
// rest is dropped.
TEST(ThirtyTwoTest, RestIsALineOfItsOwnIn32BitBuilds) {
  for (const bool mode32 : {true, false}) {
    Options options;
    options.mode32 = mode32;
    MacroTable macros;
    Console console;
    Diagnostics diag(console);
    std::string line = "#32 .x";
    Cursor cursor{line};
    FileState file;
    const DirectiveOutcome outcome = handle_directive({options, macros, diag}, file, cursor);
    EXPECT_EQ(outcome == DirectiveOutcome::rest_is_new_line, mode32);
    EXPECT_EQ(cursor.rest(), mode32 ? ".x" : "");
  }
}

}  // namespace
}  // namespace zek
