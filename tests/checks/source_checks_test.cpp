// Whole runs with -C over sources with the mistakes that give broken help
// with exit status 0: open sections, a document without its ends, raw
// groups that do not balance, macros, UTF-8 sources read as code page 932,
// formatting that leaks into later topics. Warnings never change the output
// or the exit status.
#include <gtest/gtest.h>

#include "support/memory_environment.h"

namespace zek {
namespace {

using testing::MemoryEnvironment;
using testing::RunResult;

struct SourceCase {
  const char* name;
  std::string source;
  std::string warnings;  // standard error of the run with -C
  std::vector<std::string> options = {};
  std::string included = {};  // inc.zek, when the source includes it
  std::string output = "out.rtf";
};

void PrintTo(const SourceCase& c, std::ostream* os) {
  *os << c.name;
}

RunResult run_case(const SourceCase& c, bool check) {
  MemoryEnvironment env;
  env.files["in.zek"] = c.source;
  if (!c.included.empty()) env.files["inc.zek"] = c.included;
  std::vector<std::string> arguments = c.options;
  if (check) arguments.push_back("-C");
  arguments.push_back("in.zek");
  arguments.push_back(c.output);
  RunResult result = testing::run(env, arguments);
  result.out += env.files[c.output];  // the output file must not differ either
  return result;
}

class SourceCheckTest : public ::testing::TestWithParam<SourceCase> {};

TEST_P(SourceCheckTest, WarnsAtTheLineThatCausesIt) {
  const SourceCase& c = GetParam();
  const RunResult checked = run_case(c, true);
  EXPECT_EQ(checked.err, c.warnings);
  EXPECT_EQ(checked.status, 0);
  const RunResult plain = run_case(c, false);
  EXPECT_EQ(plain.err, "");
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(checked.out, plain.out);
}

const SourceCase kSections[] = {
    {"#if32 left open drops .end", ".start\r\n#if32\r\nA\r\n.end\r\n",
     "in.zek 2: warning #if32 section still open at the end of the file\n"
     "in.zek 4: warning no .end at the end of the source\n"},
    {"#if16 kept, then #else", ".start\r\nA\r\n#if16\r\nB\r\n#else\r\nC\r\n.end\r\n",
     "in.zek 3: warning #if16 section still open at the end of the file\n"
     "in.zek 7: warning no .end at the end of the source\n"},
    {"#if16 left open with -3",
     ".start\r\n#if16\r\n#else\r\n.end\r\n",
     "in.zek 2: warning #if16 section still open at the end of the file\n",
     {"-3"}},
    {"closed sections", ".start\r\n#if32\r\n#else\r\n#endif\r\n#if16\r\n#endif\r\n.end\r\n", ""},
    {"open in an included file only",
     ".start\r\n.include inc.zek\r\n.end\r\n",
     "inc.zek 2: warning #if32 section still open at the end of the file\n",
     {},
     "A\r\n#if32\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Sections, SourceCheckTest, ::testing::ValuesIn(kSections));

const SourceCase kDocumentEnds[] = {
    {"no .start", "Text\r\n.end\r\n", "in.zek 1: warning no .start before the first output\n"},
    {"an empty line before .start", "\r\n.start\r\n.end\r\n",
     "in.zek 1: warning no .start before the first output\n"},
    {"output before .start on its line", ".center .start\r\n.end\r\n",
     "in.zek 1: warning no .start before the first output\n"},
    {"no .end", ".start\r\n.topic A\r\nText\r\n",
     "in.zek 3: warning no .end at the end of the source\n"},
    {"an empty line after .end", ".start\r\n.end\r\n\r\n", "in.zek 3: warning output after .end\n"},
    {"a second .end", ".start\r\n.end\r\n.end\r\n",
     "in.zek 3: warning output after .end\n"
     "in.zek 3: warning document closes 1 group more than it opens\n"},
    {"comments and directives after .end", ".start\r\n.end\r\n; done\r\n#define A\tB\r\nA\r\n",
     "in.zek 5: warning output after .end\n"},
    {"listing lines are no output", ".start\r\n.end\r\n; done\r\n", "", {}, {}, "out.xtf"},
    {"text output has no document ends", "Text\r\n", "", {}, {}, "out.TXT"},
    {"an indent left open before the first topic", ".start\r\n.lindent 10\r\n.end\r\n",
     "in.zek 3: warning document ends with 1 group open\n"},
};
INSTANTIATE_TEST_SUITE_P(DocumentEnds, SourceCheckTest, ::testing::ValuesIn(kDocumentEnds));

const SourceCase kRawGroups[] = {
    {"an unclosed group hidden by .end", "Text\r\n.topic A\r\n'{\\b\r\nBold\r\n.end\r\n",
     "in.zek 1: warning no .start before the first output\n"
     "in.zek 3: warning raw RTF group not closed in its topic\n"},
    {"an unclosed group", ".start\r\n.topic A\r\n'{\\b\r\nBold\r\n.topic B\r\n.search\r\n.end\r\n",
     "in.zek 3: warning raw RTF group not closed in its topic\n"
     "in.zek 7: warning document ends with 1 group open\n"},
    {"a group over several lines", ".start\r\n.topic A\r\n'{\\b\r\nBold\r\n`}\r\n.end\r\n", ""},
    {"escaped braces and trail bytes",
     ".start\r\n.topic A\r\n'\\{ \\\\\\} \x95\x7B \x83\x7D \\'7b\r\n.end\r\n", ""},
    {"a closing brace too many", ".start\r\n.topic A\r\n'}{}\r\n.end\r\n",
     "in.zek 3: warning raw RTF } without a matching {\n"
     "in.zek 4: warning document closes 1 group more than it opens\n"},
    {"a group across a page", ".start\r\n.topic A\r\n'{\\i\r\n.page\r\n'}\r\n.end\r\n",
     "in.zek 3: warning raw RTF group not closed in its topic\n"
     "in.zek 5: warning raw RTF } without a matching {\n"},
    {"a font table left open", ".start\r\n'{\\fonttbl{\\f0 Arial;}\r\n.topic A\r\n'}\r\n.end\r\n",
     "in.zek 2: warning raw RTF group not closed before the first topic\n"
     "in.zek 4: warning raw RTF } without a matching {\n"},
    {"a raw region in body text", ".start\r\n.topic A\r\nsee \x13{\\b\x11 this\r\n.end\r\n",
     "in.zek 3: warning raw RTF group not closed in its topic\n"
     "in.zek 4: warning document ends with 1 group open\n"},
    {"no .end is not reported twice", ".start\r\n.topic A\r\n'{\r\n",
     "in.zek 3: warning raw RTF group not closed in its topic\n"
     "in.zek 3: warning no .end at the end of the source\n"},
};
INSTANTIATE_TEST_SUITE_P(RawGroups, SourceCheckTest, ::testing::ValuesIn(kRawGroups));

const SourceCase kMacros[] = {
    {"a blank for the tab", ".start\r\n#define PRODUCT TideNote\r\nPRODUCT\r\n.end\r\n",
     "in.zek 2: warning macro name \"PRODUCT TideNote\" holds a blank\n"
     "in.zek 2: warning macro PRODUCT TideNote never expanded\n"},
    {"defined again", ".start\r\n#define A\tx\r\n#define A\tx\r\n#define A\ty\r\nA\r\n.end\r\n",
     "in.zek 4: warning macro A defined again with a different body, first at in.zek 3\n"},
    {"another parameter", ".start\r\n#define A(x)\tx\r\n#define A(y)\tx\r\nA\r\n.end\r\n",
     "in.zek 3: warning macro A defined again with a different body, first at in.zek 2\n"},
    {"defined again after #undef",
     ".start\r\n#define A\tx\r\nA\r\n#undef A\r\n#define A\ty\r\nA\r\n.end\r\n", ""},
    {"never expanded", ".start\r\n#define A\tx\r\n#define B\ty\r\n#undef B\r\nA\r\n.end\r\n",
     "in.zek 3: warning macro B never expanded\n"},
    {"expanded in a skipped section", ".start\r\n#define A\tx\r\n#if32\r\nA\r\n#endif\r\n.end\r\n",
     ""},
    {"a keyword emptied", ".start\r\n#define KW\r\n.topic A\r\n.search x;KW;y\r\n.end\r\n",
     "in.zek 4: warning keyword left empty by macro expansion\n"},
    {"a .search emptied", ".start\r\n#define KW\r\n.topic A\r\n.search KW\r\n.end\r\n",
     "in.zek 4: warning keyword left empty by macro expansion\n"},
    {"an empty keyword as written",
     ".start\r\n#define KW\tk\r\n.topic A\r\n.search x;;y\r\n"
     ".search KW;z\r\n.end\r\n",
     ""},
};
INSTANTIATE_TEST_SUITE_P(Macros, SourceCheckTest, ::testing::ValuesIn(kMacros));

const SourceCase kUtf8[] = {
    {"UTF-8 without a mark", ".start\r\nplain\r\nCaf\xC3\xA9\r\n\xE3\x81\x82\r\n.end\r\n",
     "in.zek 3: warning file looks like UTF-8: use -U or a byte order mark\n"},
    {"Shift-JIS later in the file", ".start\r\nCaf\xC3\xA9\r\n\x83\x65\x83\x58\x83\x67\r\n.end\r\n",
     ""},
    {"Shift-JIS only", ".start\r\n\x83\x65\x83\x58\x83\x67\r\n.end\r\n", ""},
    {"read as UTF-8 with -U", ".start\r\n\xE3\x81\x82\r\n.end\r\n", "", {"-U"}},
    {"an included UTF-8 file",
     ".start\r\n.include inc.zek\r\n.end\r\n",
     "inc.zek 1: warning file looks like UTF-8: use -U or a byte order mark\n",
     {},
     "\xC3\xA9t\xC3\xA9\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Utf8, SourceCheckTest, ::testing::ValuesIn(kUtf8));

const SourceCase kLeaks[] = {
    {"a font alone on its line",
     ".start\r\n.topic A\r\n.font 1\r\nText\r\n.topic B\r\n.search\r\n.end\r\n",
     "in.zek 3: warning .font 1 carries into the next topic\n"},
    {"a font and a size",
     ".start\r\n.topic A\r\n.font 1\r\n.size 10\r\n.topic B\r\n.search\r\n.end\r\n",
     "in.zek 3: warning .font 1 and .size 10 carry into the next topic\n"},
    {"settings with their text",
     ".start\r\n.topic A\r\n.font 1 Text\r\n.topic B\r\n.search\r\n.end\r\n", ""},
    {"settings before the first topic are the defaults",
     ".start\r\n.font 1\r\n.topic A\r\n.topic B\r\n.search\r\n.end\r\n", ""},
    {"set back before the next topic",
     ".start\r\n.topic A\r\n.size 10\r\nText\r\n.size 12\r\n.topic B\r\n.search\r\n.end\r\n", ""},
    {"inside an indent",
     ".start\r\n.topic A\r\n.lindent 10\r\n.font 1\r\n.topic B\r\n.search\r\n.end\r\n", ""},
    {"raw colour outside any group",
     ".start\r\n.topic A\r\n'\\cf2 red\r\n'{\\cf3 blue}\r\n.topic B\r\n.search\r\n.end\r\n",
     "in.zek 3: warning \\cf2 carries into the next topic\n"},
    {"raw \\plain back to the defaults",
     ".start\r\n.topic A\r\n'\\f2\\fs20\r\n'\\plain\r\n.topic B\r\n.search\r\n.end\r\n", ""},
    {"the document's default font",
     ".start\r\n'\\deff3\r\n.topic A\r\n.font 3\r\n.topic B\r\n.search\r\n.end\r\n", ""},
};
INSTANTIATE_TEST_SUITE_P(Leaks, SourceCheckTest, ::testing::ValuesIn(kLeaks));

}  // namespace
}  // namespace zek
