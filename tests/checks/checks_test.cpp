// Whole runs with -C: which sources give which warnings, and that warnings
// never change the output, the exit status or a run without -C.
#include <gtest/gtest.h>

#include "support/memory_environment.h"

namespace zek {
namespace {

using testing::MemoryEnvironment;
using testing::RunResult;

struct CheckCase {
  const char* name;
  std::string source;
  std::string warnings;  // standard error of the run with -C
  std::vector<std::string> options = {};
};

void PrintTo(const CheckCase& c, std::ostream* os) {
  *os << c.name;
}

RunResult run_on(const std::string& source, std::vector<std::string> options,
                 const std::string& output = "out.rtf") {
  MemoryEnvironment env;
  env.files["in.zek"] = source;
  options.push_back("in.zek");
  options.push_back(output);
  return testing::run(env, options);
}

// Runs a case with and without -C: the warnings are the only difference.
void expect_warnings(const CheckCase& c, const std::string& source) {
  std::vector<std::string> with_check = c.options;
  with_check.push_back("-C");
  const RunResult checked = run_on(source, with_check);
  EXPECT_EQ(checked.err, c.warnings);
  EXPECT_EQ(checked.status, 0);
  const RunResult plain = run_on(source, c.options);
  EXPECT_EQ(plain.err, "");
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(checked.out, plain.out);
}

// The cases of the help compiler's rules stand in a whole document: .start
// runs first on line 1 and .end follows the last line.
class CheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, WarnsAtTheSourceLine) {
  const CheckCase& c = GetParam();
  expect_warnings(c, ".start " + c.source + ".end\r\n");
}

const std::string k128(128, 'T');
const std::string k256(256, 'k');
const std::string k255(255, 'k');

const CheckCase kCases[] = {
    {"clean project", ".topic A\r\nSee B.\r\n.topic B\r\nBack to A.\r\n", ""},
    {"first topic is the contents", ".topic Home\r\n", ""},
    {"unreached topic and popup", ".topic A\r\n.topic B\r\n.popup C\r\n",
     "in.zek 2: warning unreachable topic B\n"
     "in.zek 3: warning unreachable popup C\n"},
    {"anonymous topic", ".topic A\r\n.topic\n", "in.zek 2: warning unreachable topic YY0\n"},
    {"reached by a hot spot to an alias", ".topic A\r\nSee Other.\r\n.topic B\r\n.alias Other\r\n",
     ""},
    {"reached by keyword, browse and application names",
     ".topic A\r\n.topic K\r\n.search\r\n.browse seq\r\n.topic P\r\n.browse\r\n"
     ".topic I\r\n.idx ctx_i\r\n.topic D\r\n.id IDM_D\r\n",
     ""},
    {"reached by a group button", ".groupmode\r\n.topic A\tXX1\r\n.topic B\r\n", ""},
    {"a name written only in its own topic", ".topic A\r\n.topic B\r\nB again.\r\n",
     "in.zek 2: warning unreachable topic B\n"},
    {"duplicate names", ".topic A\r\nA B\r\n.topic B\r\n.topic A\r\n.alias B\r\n",
     "in.zek 4: warning unreachable topic A\n"
     "in.zek 4: warning duplicate name A, first at in.zek 1\n"
     "in.zek 5: warning duplicate name B, first at in.zek 3\n"},
    {"duplicate context strings ignore case", ".topic A\r\n.idx Ctx\r\n.idx CTX\r\n.id ctx\r\n",
     "in.zek 3: warning duplicate context string CTX, first at in.zek 2\n"
     "in.zek 4: warning duplicate context string ctx, first at in.zek 2\n"},
    {"a written context string equal to a number", ".topic A\r\n.idx xx0\r\n",
     "in.zek 2: warning duplicate context string xx0, first at in.zek 1\n"},
    {"invalid and empty context strings", ".topic A\r\n.idx two words\r\n.id a-b\r\n.idx\r\n",
     "in.zek 2: warning invalid context string two words\n"
     "in.zek 3: warning invalid context string a-b\n"
     "in.zek 4: warning empty context string\n"},
    {"an at name is checked as written",
     ".topic @A b\r\n",
     "in.zek 1: warning invalid context string qA b\n",
     {"-I@@"}},
    {"context string of 256 bytes", ".topic A\r\n.idx " + k256 + "\n",
     "in.zek 2: warning context string of 256 bytes, longer than 255\n"},
    {"hash clash", ".topic A\r\n.idx RAX8JQO8\r\n.idx WBINIRLW\r\n.idx 6F259FT3\r\n",
     "in.zek 4: warning context string 6F259FT3 has the same hash as RAX8JQO8, first at in.zek "
     "2\n"},
    {"title of 128 bytes", ".topic " + k128 + "\r\n.topic " + k128.substr(1) + "\n",
     "in.zek 1: warning title of 128 bytes, longer than 127\n"
     "in.zek 2: warning unreachable topic " +
         k128.substr(1) + "\n"},
    {"keywords", ".topic A\r\n.search " + k256 + ";short;" + k256.substr(1) + "\n",
     "in.zek 2: warning keyword of 256 bytes, longer than 255\n"},
    {"footnote of 1024 bytes",
     ".topic A\r\n.search " + k255 + ";" + k255 + ";" + k255 + ";" + k255 + ";\r\n",
     "in.zek 2: warning footnote of 1024 bytes, longer than 1023\n"},
    {"raw jumps", ".topic A\r\n'{\\ul x}{\\v XX0}{\\v Gone>main}{\\v !Macro()}{\\v Far@b.hlp}\r\n",
     "in.zek 2: warning jump to undefined context string Gone\n"},
    {"a raw jump reaches its topic", ".topic A\r\n`{\\v xx1}\r\n.topic B\r\n", ""},
    {"jumps in raw regions",
     ".topic A\r\nsee \x13{\\ul x}{\\v XX1}{\\v none}\x11 {\\v escaped}\r\n.popup B\r\n",
     "in.zek 2: warning jump to undefined context string none\n"},
};

INSTANTIATE_TEST_SUITE_P(Checks, CheckTest, ::testing::ValuesIn(kCases));

TEST(CheckRunTest, WarningsNameTheIncludedFileInSourceOrder) {
  MemoryEnvironment env;
  env.files["in.zek"] = ".start .topic A\r\n.include inc.zek\r\n.topic C\r\n.end\r\n";
  env.files["inc.zek"] = "\r\n.topic B\r\n";
  const RunResult result = testing::run(env, {"-C", "in.zek", "out.rtf"});
  EXPECT_EQ(result.err,
            "inc.zek 2: warning unreachable topic B\n"
            "in.zek 3: warning unreachable topic C\n");
}

TEST(CheckRunTest, NoWarningsAfterAnError) {
  MemoryEnvironment env;
  env.files["in.zek"] = ".topic A\r\n.topic B\r\n.bad\r\n";
  const RunResult result = testing::run(env, {"-C", "in.zek", "out.rtf"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "in.zek 3: error bad . command  .bad\n");
}

}  // namespace
}  // namespace zek
