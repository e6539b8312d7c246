// The line loop: line ends, line kinds, simple commands, continuation lines,
// includes, error reports and the trace listing, run as whole conversions.
#include <gtest/gtest.h>

#include "support/memory_environment.h"

namespace zek {
namespace {

using testing::MemoryEnvironment;

struct LineCase {
  const char* name;
  std::string source;
  std::string expected;  // the RTF output
};

// Keeps test names short in listings.
void PrintTo(const LineCase& c, std::ostream* os) {
  *os << c.name;
}

class LineLoopTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineLoopTest, WritesExpectedRtf) {
  EXPECT_EQ(testing::convert(GetParam().source), GetParam().expected);
}

const std::string kColorTable =
    "{\\colortbl;\r\n\\red0\\green0\\blue0;\r\n\\red0\\green0\\blue255;\r\n"
    "\\red0\\green255\\blue255;\r\n\\red0\\green255\\blue0;\r\n\\red255\\green0\\blue255;\r\n"
    "\\red255\\green0\\blue0;\r\n\\red255\\green255\\blue0;\r\n\\red255\\green255\\blue255;\r\n}"
    "\r\n";

INSTANTIATE_TEST_SUITE_P(
    Lines, LineLoopTest,
    ::testing::Values(
        LineCase{"CrLfAndEmptyLine", ".start\r\nHello\r\n\r\n.end\r\n",
                 "{\\rtf1 \\ansi\r\nHello{\\par }\r\n{\\par }\r\n}\r\n"},
        // A lone LF is an empty line, as a lone CR LF is.
        LineCase{"BareLineFeeds", "a\n\nb", "a{\\par }\r\n{\\par }\r\nb{\\par }\r\n"},
        LineCase{"LoneLineFeedFirst", "\n.line\n", "{\\par }\r\n\\line\r\n"},
        LineCase{"LoneCrAtEndOfFile", "a\r\n\r", "a{\\par }\r\n{\\par }\r\n"},
        LineCase{"OnlyOneCrRemoved", "a\r\r\n", "a\r{\\par }\r\n"},
        LineCase{"QuotedLines", "\".end\r\n\"#x\r\n\"\r\n\";c\r\n",
                 ".end{\\par }\r\n#x{\\par }\r\n{\\par }\r\n;c{\\par }\r\n"},
        LineCase{"Comment", ";.foo {\r\nx\r\n", "x{\\par }\r\n"},
        LineCase{"RawLine", "'{\\b x}\tq\r\n", "{\\b x}\\tab q\r\n"},
        LineCase{"RawTextWithLineEnd", "`{\\b x}\r\n", "{\\b x}{\\par }\r\n"},
        LineCase{"EmptyRawLine", "'\r\n", "\r\n"},
        LineCase{"CenterThenText", ".center Title\r\n", "\\qc\r\nTitle{\\par }\r\n"},
        LineCase{"SimpleCommandCaseAndBlanks", ".LINE\r\n.Center \t \tX\r\n.right\r\n.left\r\n",
                 "\\line\r\n\\qc\r\nX{\\par }\r\n\\qr\r\n\\ql\r\n"},
        LineCase{"ColorTable", ".colortable\r\n", kColorTable},
        LineCase{"ChainedCommands", ".start.end\r\n", "{\\rtf1 \\ansi\r\n}\r\n"},
        LineCase{"SimpleCommandThenRawLine", ".line'{x}\r\n", "\\line\r\n{x}\r\n"},
        LineCase{"Continuation", "a \\\r\nb\r\n", "a\r\nb{\\par }\r\n"},
        LineCase{"ShortTextIsNoContinuation", " \\\r\n", " \\\\{\\par }\r\n"},
        LineCase{"ThreeByteContinuation", "a \\\r\n", "a\r\n"},
        LineCase{"TextEndsAtNul", std::string("ab\0cd\r\nef\r\n", 10),
                 "ab{\\par }\r\nef{\\par }\r\n"},
        LineCase{"EscapedBodyText", "a{b}\\c\r\n", "a\\{b\\}\\\\c{\\par }\r\n"},
        LineCase{"DoubleByteTrailNotEscaped", "\x95\\\x83}\r\n", "\x95\\\x83}{\\par }\r\n"},
        LineCase{"LastLineWithoutLineEnd", "x", "x{\\par }\r\n"}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(LineLoopTest, LongLineStaysWhole) {
  const std::string text(5000, 'x');
  EXPECT_EQ(testing::convert(text + "\r\n.line\r\n"), text + "{\\par }\r\n\\line\r\n");
}

struct ErrorCase {
  const char* name;
  std::string source;
  std::string err;
};

// Keeps test names short in listings.
void PrintTo(const ErrorCase& c, std::ostream* os) {
  *os << c.name;
}

class SourceErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(SourceErrorTest, ReportsAndWritesNothing) {
  MemoryEnvironment env;
  env.files["in.zek"] = GetParam().source;
  env.files["inc.zek"] = "ok\r\n.nothing here\r\n";
  const testing::RunResult result = testing::run(env, {"in.zek", "out.rtf"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, GetParam().err);
  EXPECT_EQ(env.files.count("out.rtf"), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, SourceErrorTest,
    ::testing::Values(
        ErrorCase{"UnknownCommand", ".foo bar\r\n", "in.zek 1: error bad . command  .foo bar\n"},
        ErrorCase{"LongerWordIsNoSimpleCommand", "x\r\n.centered\r\n.center2 y\r\n",
                  "in.zek 2: error bad . command  .centered\n"
                  "in.zek 3: error bad . command  .center2 y\n"},
        ErrorCase{"AfterChainedCommand", ".start .x\r\n", "in.zek 1: error bad . command  .x\n"},
        ErrorCase{"LongerKeyword", ".includes x\r\n",
                  "in.zek 1: error bad . command  .includes x\n"},
        ErrorCase{"InIncludedFile", "a\r\n.include inc.zek\r\n.bad\r\n",
                  "inc.zek 2: error bad . command  .nothing here\n"
                  "in.zek 3: error bad . command  .bad\n"},
        ErrorCase{"MissingInclude", ".include \tmissing.zek\r\n.x\r\n",
                  "cannot open missing.zek\nin.zek 2: error bad . command  .x\n"},
        // The name runs to the end of the line, trailing blanks included.
        ErrorCase{"IncludeNameKeepsTrailingBlanks", ".include inc.zek \r\n",
                  "cannot open inc.zek \n"}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

// A chain of files each including the next: depth 5 is read, depth 6 is not.
MemoryEnvironment include_chain(int files) {
  MemoryEnvironment env;
  for (int i = 1; i <= files; ++i) {
    const std::string name = i == 1 ? "in.zek" : "f" + std::to_string(i) + ".zek";
    std::string text = "line" + std::to_string(i) + "\r\n";
    if (i < files) text += ".include f" + std::to_string(i + 1) + ".zek\r\n";
    env.files[name] = text;
  }
  return env;
}

TEST(IncludeTest, FiveLevelsAreRead) {
  MemoryEnvironment env = include_chain(5);
  const testing::RunResult result = testing::run(env, {"in.zek", "out.rtf"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(
      env.files["out.rtf"],
      "line1{\\par }\r\nline2{\\par }\r\nline3{\\par }\r\nline4{\\par }\r\nline5{\\par }\r\n");
}

TEST(IncludeTest, SixthLevelFailsSilently) {
  MemoryEnvironment env = include_chain(6);
  const testing::RunResult result = testing::run(env, {"in.zek", "out.rtf"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(env.files.count("out.rtf"), 0u);
}

TEST(IncludeTest, SelfIncludeStopsAtTheDepthLimit) {
  MemoryEnvironment env;
  env.files["in.zek"] = "x\r\n.include in.zek\r\n";
  const testing::RunResult result = testing::run(env, {"in.zek", "out.rtf"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "");
}

TEST(TraceListingTest, ListsEveryLineWithTheColumnCounter) {
  MemoryEnvironment env;
  env.files["in.zek"] = "a\r\n.include inc.zek\r\n\tb\r\n";
  env.files["inc.zek"] = "i\n";
  const testing::RunResult result = testing::run(env, {"in.zek", "out.xtf"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(env.files["out.xtf"],
            "   1:0000:a\r\na{\\par }\r\n"
            "   2:000a:.include inc.zek\r\n"
            "   1:000a:i\ni{\\par }\r\n"
            "   3:0014:\tb\r\n\\tab b{\\par }\r\n");
}

}  // namespace
}  // namespace zek
