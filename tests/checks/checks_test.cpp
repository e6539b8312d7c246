// Whole runs with -C: which sources give which warnings, and that warnings
// never change the output, the exit status or a run without -C.
#include <gtest/gtest.h>

#include "support/conversion.h"

namespace zek {
namespace {

using testing::Conversion;
using testing::Outcome;

// A source converted with the options; `warnings` is standard error once
// -C is added to them. The source stands in a whole document: .start runs
// first on line 1 and .end follows the last line.
Conversion warns(std::string name, const std::string& source, std::string warnings,
                 std::vector<std::string> options = {}) {
  Conversion c{.name = std::move(name),
               .sources = {{"in.zek", ".start " + source + ".end\r\n"}},
               .arguments = std::move(options),
               .err = std::move(warnings)};
  c.arguments.insert(c.arguments.end(), {"in.zek", "out.rtf"});
  return c;
}

class CheckTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(CheckTest, WarnsAtTheSourceLine) {
  Conversion with_check = GetParam();
  with_check.arguments.insert(with_check.arguments.begin(), "-C");
  const Outcome checked = testing::convert(with_check);
  EXPECT_EQ(checked.err, GetParam().err);
  EXPECT_EQ(checked.status, 0);
  const Outcome plain = testing::convert(GetParam());
  EXPECT_EQ(plain.err, "");
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(checked.out, plain.out);
  EXPECT_EQ(checked.files, plain.files);
}

const std::string k128(128, 'T');
const std::string k256(256, 'k');
const std::string k255(255, 'k');

const Conversion kCases[] = {
    warns("clean project", ".topic A\r\nSee B.\r\n.topic B\r\nBack to A.\r\n", ""),
    warns("first topic is the contents", ".topic Home\r\n", ""),
    warns("unreached topic and popup", ".topic A\r\n.topic B\r\n.popup C\r\n",
          "in.zek 2: warning unreachable topic B\n"
          "in.zek 3: warning unreachable popup C\n"),
    warns("anonymous topic", ".topic A\r\n.topic\n", "in.zek 2: warning unreachable topic YY0\n"),
    warns("reached by a hot spot to an alias",
          ".topic A\r\nSee Other.\r\n.topic B\r\n.alias Other\r\n", ""),
    warns("reached by keyword, browse and application names",
          ".topic A\r\n.topic K\r\n.search\r\n.browse seq\r\n.topic P\r\n.browse\r\n"
          ".topic I\r\n.idx ctx_i\r\n.topic D\r\n.id IDM_D\r\n",
          ""),
    warns("reached by a group button", ".groupmode\r\n.topic A\tXX1\r\n.topic B\r\n", ""),
    warns("a name written only in its own topic", ".topic A\r\n.topic B\r\nB again.\r\n",
          "in.zek 2: warning unreachable topic B\n"),
    warns("duplicate names", ".topic A\r\nA B\r\n.topic B\r\n.topic A\r\n.alias B\r\n",
          "in.zek 4: warning unreachable topic A\n"
          "in.zek 4: warning duplicate name A, first at in.zek 1\n"
          "in.zek 5: warning duplicate name B, first at in.zek 3\n"),
    warns("duplicate context strings ignore case",
          ".topic A\r\n.idx Ctx\r\n.idx CTX\r\n.id ctx\r\n",
          "in.zek 3: warning duplicate context string CTX, first at in.zek 2\n"
          "in.zek 4: warning duplicate context string ctx, first at in.zek 2\n"),
    warns("a written context string equal to a number", ".topic A\r\n.idx xx0\r\n",
          "in.zek 2: warning duplicate context string xx0, first at in.zek 1\n"),
    warns("invalid and empty context strings", ".topic A\r\n.idx two words\r\n.id a-b\r\n.idx\r\n",
          "in.zek 2: warning invalid context string two words\n"
          "in.zek 3: warning invalid context string a-b\n"
          "in.zek 4: warning empty context string\n"),
    warns("an at name is checked as written", ".topic @A b\r\n",
          "in.zek 1: warning invalid context string qA b\n", {"-I@@"}),
    warns("context string of 256 bytes", ".topic A\r\n.idx " + k256 + "\n",
          "in.zek 2: warning context string of 256 bytes, longer than 255\n"),
    warns(
        "hash clash", ".topic A\r\n.idx RAX8JQO8\r\n.idx WBINIRLW\r\n.idx 6F259FT3\r\n",
        "in.zek 4: warning context string 6F259FT3 has the same hash as RAX8JQO8, first at in.zek "
        "2\n"),
    warns("title of 128 bytes", ".topic " + k128 + "\r\n.topic " + k128.substr(1) + "\n",
          "in.zek 1: warning title of 128 bytes, longer than 127\n"
          "in.zek 2: warning unreachable topic " +
              k128.substr(1) + "\n"),
    warns("keywords", ".topic A\r\n.search " + k256 + ";short;" + k256.substr(1) + "\n",
          "in.zek 2: warning keyword of 256 bytes, longer than 255\n"),
    warns("footnote of 1024 bytes",
          ".topic A\r\n.search " + k255 + ";" + k255 + ";" + k255 + ";" + k255 + ";\r\n",
          "in.zek 2: warning footnote of 1024 bytes, longer than 1023\n"),
    warns("raw jumps",
          ".topic A\r\n'{\\ul x}{\\v XX0}{\\v Gone>main}{\\v !Macro()}{\\v Far@b.hlp}\r\n",
          "in.zek 2: warning jump to undefined context string Gone\n"),
    warns("a raw jump reaches its topic", ".topic A\r\n`{\\v xx1}\r\n.topic B\r\n", ""),
    warns("jumps in raw regions",
          ".topic A\r\nsee \x13{\\ul x}{\\v XX1}{\\v none}\x11 {\\v escaped}\r\n.popup B\r\n",
          "in.zek 2: warning jump to undefined context string none\n"),
};

INSTANTIATE_TEST_SUITE_P(Checks, CheckTest, ::testing::ValuesIn(kCases));

TEST(CheckRunTest, WarningsNameTheIncludedFileInSourceOrder) {
  const Outcome result = testing::convert(
      {.sources = {{"in.zek", ".start .topic A\r\n.include inc.zek\r\n.topic C\r\n.end\r\n"},
                   {"inc.zek", "\r\n.topic B\r\n"}},
       .arguments = {"-C", "in.zek", "out.rtf"}});
  EXPECT_EQ(result.err,
            "inc.zek 2: warning unreachable topic B\n"
            "in.zek 3: warning unreachable topic C\n");
}

TEST(CheckRunTest, NoWarningsAfterAnError) {
  testing::check(testing::failing("", ".topic A\r\n.topic B\r\n.bad\r\n",
                                  "in.zek 3: error bad . command  .bad\n", {"-C"}));
}

}  // namespace
}  // namespace zek
