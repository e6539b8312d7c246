// The line loop: line ends, line kinds, simple commands, continuation lines,
// includes, error reports and the trace listing, run as whole conversions.
#include <gtest/gtest.h>

#include "support/conversion.h"

namespace zek {
namespace {

using testing::Conversion;
using testing::ConversionTest;
using testing::failing;
using testing::Files;
using testing::MemoryEnvironment;
using testing::to_rtf;

const std::string kColorTable =
    "{\\colortbl;\r\n\\red0\\green0\\blue0;\r\n\\red0\\green0\\blue255;\r\n"
    "\\red0\\green255\\blue255;\r\n\\red0\\green255\\blue0;\r\n\\red255\\green0\\blue255;\r\n"
    "\\red255\\green0\\blue0;\r\n\\red255\\green255\\blue0;\r\n\\red255\\green255\\blue255;\r\n}"
    "\r\n";

INSTANTIATE_TEST_SUITE_P(
    LineKinds, ConversionTest,
    ::testing::Values(
        to_rtf("CrLfAndEmptyLine", ".start\r\nHello\r\n\r\n.end\r\n",
               "{\\rtf1 \\ansi\r\nHello{\\par }\r\n{\\par }\r\n}\r\n"),
        // A lone LF is an empty line, as a lone CR LF is.
        to_rtf("BareLineFeeds", "a\n\nb", "a{\\par }\r\n{\\par }\r\nb{\\par }\r\n"),
        to_rtf("LoneLineFeedFirst", "\n.line\n", "{\\par }\r\n\\line\r\n"),
        to_rtf("LoneCrAtEndOfFile", "a\r\n\r", "a{\\par }\r\n{\\par }\r\n"),
        to_rtf("OnlyOneCrRemoved", "a\r\r\n", "a\r{\\par }\r\n"),
        to_rtf("QuotedLines", "\".end\r\n\"#x\r\n\"\r\n\";c\r\n",
               ".end{\\par }\r\n#x{\\par }\r\n{\\par }\r\n;c{\\par }\r\n"),
        to_rtf("Comment", ";.foo {\r\nx\r\n", "x{\\par }\r\n"),
        to_rtf("RawLine", "'{\\b x}\tq\r\n", "{\\b x}\\tab q\r\n"),
        to_rtf("RawTextWithLineEnd", "`{\\b x}\r\n", "{\\b x}{\\par }\r\n"),
        to_rtf("EmptyRawLine", "'\r\n", "\r\n"),
        to_rtf("CenterThenText", ".center Title\r\n", "\\qc\r\nTitle{\\par }\r\n"),
        to_rtf("SimpleCommandCaseAndBlanks", ".LINE\r\n.Center \t \tX\r\n.right\r\n.left\r\n",
               "\\line\r\n\\qc\r\nX{\\par }\r\n\\qr\r\n\\ql\r\n"),
        to_rtf("ColorTable", ".colortable\r\n", kColorTable),
        to_rtf("ChainedCommands", ".start.end\r\n", "{\\rtf1 \\ansi\r\n}\r\n"),
        to_rtf("SimpleCommandThenRawLine", ".line'{x}\r\n", "\\line\r\n{x}\r\n"),
        to_rtf("Continuation", "a \\\r\nb\r\n", "a\r\nb{\\par }\r\n"),
        to_rtf("ShortTextIsNoContinuation", " \\\r\n", " \\\\{\\par }\r\n"),
        to_rtf("ThreeByteContinuation", "a \\\r\n", "a\r\n"),
        to_rtf("TextEndsAtNul", std::string("ab\0cd\r\nef\r\n", 10),
               "ab{\\par }\r\nef{\\par }\r\n"),
        to_rtf("EscapedBodyText", "a{b}\\c\r\n", "a\\{b\\}\\\\c{\\par }\r\n"),
        to_rtf("DoubleByteTrailNotEscaped", "\x95\\\x83}\r\n", "\x95\\\x83}{\\par }\r\n"),
        to_rtf("LastLineWithoutLineEnd", "x", "x{\\par }\r\n")),
    testing::row_name);

TEST(LineLoopTest, LongLineStaysWhole) {
  const std::string text(5000, 'x');
  testing::check(to_rtf("", text + "\r\n.line\r\n", text + "{\\par }\r\n\\line\r\n"));
}

class SourceErrorTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(SourceErrorTest, ReportsAndWritesNothing) {
  MemoryEnvironment env;
  env.files["inc.zek"] = "ok\r\n.nothing here\r\n";
  testing::check(GetParam(), env);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, SourceErrorTest,
    ::testing::Values(
        failing("UnknownCommand", ".foo bar\r\n", "in.zek 1: error bad . command  .foo bar\n"),
        failing("LongerWordIsNoSimpleCommand", "x\r\n.centered\r\n.center2 y\r\n",
                "in.zek 2: error bad . command  .centered\n"
                "in.zek 3: error bad . command  .center2 y\n"),
        failing("AfterChainedCommand", ".start .x\r\n", "in.zek 1: error bad . command  .x\n"),
        failing("LongerKeyword", ".includes x\r\n", "in.zek 1: error bad . command  .includes x\n"),
        failing("InIncludedFile", "a\r\n.include inc.zek\r\n.bad\r\n",
                "inc.zek 2: error bad . command  .nothing here\n"
                "in.zek 3: error bad . command  .bad\n"),
        failing("MissingInclude", ".include \tmissing.zek\r\n.x\r\n",
                "cannot open missing.zek\nin.zek 2: error bad . command  .x\n"),
        // The name runs to the end of the line, trailing blanks included.
        failing("IncludeNameKeepsTrailingBlanks", ".include inc.zek \r\n",
                "cannot open inc.zek \n")),
    testing::row_name);

// A chain of files each including the next: depth 5 is read, depth 6 is not.
Files include_chain(int files) {
  Files chain;
  for (int i = 1; i <= files; ++i) {
    const std::string name = i == 1 ? "in.zek" : "f" + std::to_string(i) + ".zek";
    std::string text = "line" + std::to_string(i) + "\r\n";
    if (i < files) text += ".include f" + std::to_string(i + 1) + ".zek\r\n";
    chain[name] = text;
  }
  return chain;
}

TEST(IncludeTest, FiveLevelsAreRead) {
  testing::check({.sources = include_chain(5),
                  .arguments = {"in.zek", "out.rtf"},
                  .files = {{"out.rtf",
                             "line1{\\par }\r\nline2{\\par }\r\nline3{\\par }\r\nline4{\\par }\r\n"
                             "line5{\\par }\r\n"}}});
}

TEST(IncludeTest, SixthLevelFailsSilently) {
  testing::check({.sources = include_chain(6), .arguments = {"in.zek", "out.rtf"}, .status = 1});
}

TEST(IncludeTest, SelfIncludeStopsAtTheDepthLimit) {
  testing::check(failing("", "x\r\n.include in.zek\r\n", ""));
}

TEST(TraceListingTest, ListsEveryLineWithTheColumnCounter) {
  testing::check({.sources = {{"in.zek", "a\r\n.include inc.zek\r\n\tb\r\n"}, {"inc.zek", "i\n"}},
                  .arguments = {"in.zek", "out.xtf"},
                  .files = {{"out.xtf",
                             "   1:0000:a\r\na{\\par }\r\n"
                             "   2:000a:.include inc.zek\r\n"
                             "   1:000a:i\ni{\\par }\r\n"
                             "   3:0014:\tb\r\n\\tab b{\\par }\r\n"}}});
}

}  // namespace
}  // namespace zek
