// Preprocessor directives in whole conversions: sections, "#32", the lines
// for one kind of output, -3 and -D, errors, and macros in use.
#include "source/directives.h"

#include <gtest/gtest.h>

#include "base/cat.h"
#include "support/conversion.h"

namespace zek {
namespace {

using testing::Conversion;
using testing::ConversionTest;

// "in.zek" (with `more_files` beside it) converted with the options into
// `output_name`; `output` is that file's bytes, "-" when none must be
// written. A run with messages ends with status 1.
Conversion directive(std::string name, std::string source, std::vector<std::string> options,
                     std::string output, std::string err = "",
                     const std::string& output_name = "out.rtf", testing::Files more_files = {}) {
  Conversion c{.name = std::move(name),
               .sources = std::move(more_files),
               .arguments = std::move(options),
               .status = err.empty() ? 0 : 1,
               .err = std::move(err)};
  c.sources["in.zek"] = std::move(source);
  c.arguments.insert(c.arguments.end(), {"in.zek", output_name});
  if (output != "-") c.files[output_name] = std::move(output);
  return c;
}

const std::string kAB = "#if32\r\nA\r\n#else\r\nB\r\n#endif\r\n";
const std::string kA = "A{\\par }\r\n";
const std::string kB = "B{\\par }\r\n";
const std::string kLong = std::string(600, 'x');

INSTANTIATE_TEST_SUITE_P(
    DirectiveSections, ConversionTest,
    ::testing::Values(
        directive("If32Without3", kAB, {}, kB), directive("If32With3", kAB, {"-3"}, kA),
        directive("If16Without3", "#if16\r\nA\r\n#else\r\nB\r\n#endif\r\n", {}, kA),
        directive("If16With3", "#if16\r\nA\r\n#else\r\nB\r\n#endif\r\n", {"-3"}, kB),
        directive("CaseIgnored", "#IF32\r\nA\r\n#Else\r\nB\r\n#Endif\r\nC\r\n", {},
                  kB + "C{\\par }\r\n"),
        directive("ElseFlipsAgain", "#if16\r\nA\r\n#else\r\nB\r\n#else\r\nC\r\n#endif\r\n", {},
                  kA + "C{\\par }\r\n"),
        directive(
            "SkippedDropsEveryKind",
            "#if32\r\n#define A\tB\r\n#foo\r\n.bogus\r\n'raw\r\n`raw\r\n\r\n\"q\r\n#endif\r\nA\r\n",
            {}, kA),
        directive("UnclosedSectionEndsSilently", "#if32\r\nA\r\n", {}, ""),
        directive("NestedIfReported", "#if16\r\n#if32 X\r\n#endif\r\n", {}, "-",
                  "in.zek 2: error #if32\n"),
        directive("If16InSectionReported", "#if32\r\n#if16\r\n#endif\r\n", {}, "-",
                  "in.zek 2: error #if16\n"),
        directive("ElseOutsideReported", "#else .bogus\r\n", {}, "-",
                  "in.zek 1: error #else\nin.zek 1: error bad . command  .bogus\n"),
        directive("EndifOutsideReported", "#endif\r\n", {}, "-", "in.zek 1: error #endif\n"),
        directive("LetterEndsNoWord", "#if32x\r\n", {}, "-", "in.zek 1: error #\n"),
        directive("BareHash", "#\r\n# if32\r\n", {}, "-", "in.zek 1: error #\nin.zek 2: error #\n"),
        directive("UnknownWordInSkippedSection", "#if32\r\n#foo\r\n#endif\r\n", {}, "")),
    testing::row_name);

INSTANTIATE_TEST_SUITE_P(
    DirectiveLines, ConversionTest,
    ::testing::Values(
        directive("ThirtyTwoWith3", "#32 Hi\r\n", {"-3"}, "Hi{\\par }\r\n"),
        directive("ThirtyTwoWithout3", "#32 Hi\r\n", {}, ""),
        directive("ThirtyTwoThenDigit", "#320\r\n", {"-3"}, "0{\\par }\r\n"),
        directive("TextInRtf", "#text Plain only\r\n", {}, ""),
        directive("TextInText", "#text Plain only\r\n", {}, "Plain only\r\n", "", "out.txt"),
        directive("RtfInRtf", "#rtf R\r\n", {}, "R{\\par }\r\n"),
        directive("RtfInText", "#rtf R\r\n", {}, "", "", "out.txt"),
        directive("IgnoreDirectives", "#define A\tB\r\nA\r\n#foo\r\n#undef\r\n" + kAB, {"-D"},
                  kA + kB),
        directive("IncludedFileStartsOutside", "#if16\r\n.include b.zek\r\n#endif\r\nC\r\n", {},
                  "-", "b.zek 2: error #endif\n", "out.rtf", {{"b.zek", "B\r\n#endif\r\n"}}),
        directive("IncludedSectionStaysThere", ".include b.zek\r\nA\r\n", {}, kA, "", "out.rtf",
                  {{"b.zek", "#if32\r\nB\r\n"}})),
    testing::row_name);

INSTANTIATE_TEST_SUITE_P(
    DirectiveMacros, ConversionTest,
    ::testing::Values(
        directive("InBodyText", "#define NAME\tWorld\r\nHello NAME\r\n", {},
                  "Hello World{\\par }\r\n"),
        directive("MakesCommand", "#define T\t.bogus x\r\nT\r\n", {}, "-",
                  "in.zek 2: error bad . command  .bogus x\n"),
        directive("DirectiveLinesNotExpanded",
                  "#define fine\tX\r\n#define A\tB\r\n#define C\tD\r\n#undef C\r\nA C\r\n", {},
                  "B C{\\par }\r\n"),
        directive("EmptyDefine", "#define\r\n#define \r\n", {}, "-",
                  "in.zek 1: error def\nin.zek 2: error def\n"),
        directive("EmptyName", "#define (x)\tbody\r\n", {}, "-", "in.zek 1: error def\n"),
        directive("EmptyUndef", "#undef\r\n", {}, "-", "in.zek 1: error undef\n"),
        directive("TableEmptiedBetweenPasses", "A\r\n#define A\tB\r\nA\r\n", {}, kA + kB),
        directive("OverflowDropsLine", cat("#define A\t", kLong, "\r\nA A\r\nnext\r\n"), {}, "-",
                  "in.zek 2: error buffer overflow\n"),
        directive("SkippedLinesExpanded",
                  cat("#define A\t", kLong, "\r\n#if32\r\nA A\r\n#endif\r\n"), {}, "-",
                  "in.zek 3: error buffer overflow\n"),
        directive("TraceLines", "#define AA\tx\r\n#define BB\ty\r\nAA BB\r\n", {},
                  "   1:0000:#define AA\tx\r\n   2:0000:#define BB\ty\r\n   3:0000:AA BB\r\n"
                  "DDDD:x BB\r\nDDDD:x y\r\nx y{\\par }\r\n",
                  "", "out.xtf")),
    testing::row_name);

// A source built to blow up: every macro's body holds the next one many
// times over. The line stops at the limit at once.
TEST(MacroSourceTest, ExplodingSourceEndsInOverflow) {
  std::string source;
  for (int i = 0; i < 500; ++i) {
    const std::string next = cat("<", i + 1, ">");
    append(source, "#define <", i, ">\t", next, next, next, next, next, next, next, next, "\r\n");
  }
  source += "<0>\r\n";
  testing::check(testing::failing("", source, "in.zek 501: error buffer overflow\n"));
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
