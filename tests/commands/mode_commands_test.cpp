// Mode commands: the shared switch-argument rule, what happens to the rest of
// each line, the labels and names, .print, and which modes outlive the reset
// between the passes.
#include <gtest/gtest.h>

#include <string>

#include "convert/line_loop.h"
#include "support/conversion.h"
#include "support/line_passes.h"

namespace zek {
namespace {

struct SwitchCase {
  const char* name;
  std::string line;
  bool Modes::*flag;
  bool before;
  bool after;
  const char* error;  // the reported word, or nullptr
  std::string body;   // what the rest of the line writes in pass 2
};

class SwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchTest, SetsFlagAndHandsOnRest) {
  const SwitchCase& c = GetParam();
  testing::LinePasses runner;
  runner.ctx.modes.*c.flag = c.before;
  EXPECT_EQ(runner.pass_two(c.line + "\r\n"), c.body);
  EXPECT_EQ(runner.ctx.modes.*c.flag, c.after);
  EXPECT_EQ(runner.err.bytes, c.error ? std::string("in.zek 1: error ") + c.error + "\n" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Switches, SwitchTest,
    ::testing::Values(
        SwitchCase{"On", ".searchmode", &Modes::search_mode, 0, 1, nullptr, ""},
        SwitchCase{"OnWithTrailingBlanks", ".searchmode \t ", &Modes::search_mode, 0, 1, nullptr,
                   ""},
        SwitchCase{"Off", ".searchmode 0", &Modes::search_mode, 1, 0, nullptr, ""},
        SwitchCase{"OffAfterBlanks", ".searchmode   0", &Modes::search_mode, 1, 0, nullptr, ""},
        SwitchCase{"OneIsAnError", ".searchmode 1", &Modes::search_mode, 0, 0, "searchmode",
                   "1{\\par }\r\n"},
        SwitchCase{"ErrorKeepsOn", ".alllinkmode x", &Modes::all_link_mode, 1, 1, "alllinkmode",
                   "x{\\par }\r\n"},
        SwitchCase{"KeywordCase", ".SearchMode", &Modes::search_mode, 0, 1, nullptr, ""},
        SwitchCase{"RestAfterZero", ".nolinkmode 0 Hello", &Modes::no_link_mode, 1, 0, nullptr,
                   " Hello{\\par }\r\n"},
        SwitchCase{"ChainedCommand", ".alllinkmode 0.nolinkmode", &Modes::no_link_mode, 0, 1,
                   nullptr, ""},
        SwitchCase{"ShortcutMode", ".shortcutmode", &Modes::shortcut_mode, 0, 1, nullptr, ""},
        SwitchCase{"ShortcutModeError", ".shortcutmode on", &Modes::shortcut_mode, 0, 0,
                   "shortcutmode", "on{\\par }\r\n"},
        SwitchCase{"Shortcut2Mode", ".shortcut2mode\t0", &Modes::shortcut2_mode, 1, 0, nullptr, ""},
        SwitchCase{"Shortcut2ModeError", ".shortcut2mode 2", &Modes::shortcut2_mode, 0, 0,
                   "shortcut2mode", "2{\\par }\r\n"},
        SwitchCase{"NoLinkModeError", ".nolinkmode -", &Modes::no_link_mode, 0, 0, "nolinkmode",
                   "-{\\par }\r\n"},
        SwitchCase{"InsSpace", ".insspace", &Modes::insert_space, 0, 1, nullptr, ""},
        SwitchCase{"InsSpaceOff", ".insspace 0", &Modes::insert_space, 1, 0, nullptr, ""},
        // The keyword match takes one blank; the second is the argument.
        SwitchCase{"InsSpaceSecondBlankIsArgument", ".insspace  0", &Modes::insert_space, 1, 1,
                   "insspace", " 0{\\par }\r\n"},
        SwitchCase{"TabConv", ".tabconv", &Modes::tab_conversion, 0, 1, nullptr, ""},
        SwitchCase{"TabConvConsumesLine", ".tabconv 0 text", &Modes::tab_conversion, 1, 0, nullptr,
                   ""},
        SwitchCase{"TabConvErrorConsumesLine", ".tabconv x", &Modes::tab_conversion, 0, 0,
                   "tabconv", ""},
        SwitchCase{"GroupMode", ".groupmode", &Modes::group_mode, 0, 1, nullptr, ""},
        SwitchCase{"GroupModeHandsOnRest", ".groupmode 0", &Modes::group_mode, 0, 1, nullptr,
                   "0{\\par }\r\n"}),
    testing::row_name);

TEST(ModeTest, SwitchErrorEndsRunWithoutOutput) {
  for (const char* word : {"shortcutmode", "shortcut2mode", "searchmode", "alllinkmode",
                           "nolinkmode", "insspace", "tabconv"}) {
    SCOPED_TRACE(word);
    testing::check({.sources = {{"in.zek", std::string(".topic A\r\n.") + word + " 1\r\n"}},
                    .arguments = {"in.zek"},
                    .status = 1,
                    .err = std::string("in.zek 2: error ") + word + "\n"});
  }
}

TEST(ModeTest, ButtonLabels) {
  struct {
    std::string line;
    std::optional<std::string> label;
    std::string body;
  } const cases[] = {
      {".shortcutstr Open file", "Open file", ""},
      {".shortcutstr \t Open ", "Open ", ""},
      {".shortcutstr", "", ""},
      {".shortcutstr 0", std::nullopt, ""},
      {".shortcutstr 0 rest", std::nullopt, " rest{\\par }\r\n"},
      {".shortcutstr " + std::string(300, 'L'), std::string(300, 'L'), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    testing::LinePasses runner;
    runner.ctx.modes.shortcut_str = "old";
    runner.ctx.modes.shortcut2_str = "old";
    EXPECT_EQ(runner.pass_two(c.line + "\r\n"), c.body);
    EXPECT_EQ(runner.ctx.modes.shortcut_str, c.label);
    EXPECT_EQ(runner.ctx.modes.shortcut2_str, std::optional<std::string>("old"));

    testing::LinePasses second;
    second.pass_two(".shortcut2str" + c.line.substr(12) + "\r\n");
    EXPECT_EQ(second.ctx.modes.shortcut2_str, c.label);
    EXPECT_EQ(second.ctx.modes.shortcut_str, std::nullopt);
  }
}

TEST(ModeTest, ShortcutTakesWholeArgument) {
  testing::LinePasses runner;
  EXPECT_EQ(runner.pass_two(".shortcut  FILE_OPEN .bold\r\n"), "");
  EXPECT_EQ(runner.ctx.modes.id_name, " FILE_OPEN .bold");
  EXPECT_EQ(runner.pass_two(".shortcut " + std::string(200, 's') + "\r\n"), "");
  EXPECT_EQ(runner.ctx.modes.id_name, std::string(200, 's'));
}

TEST(ModeTest, BrowseNameIsCutAtTwentyBytes) {
  struct {
    std::string line;
    std::string name;
  } const cases[] = {
      {".browse \t main", "main"},
      {".browse abcdefghijklmnopqrstuvwxy", "abcdefghijklmnopqrst"},
      // A double-byte character across the limit is not split.
      {".browse " + std::string(19, 'a') + "\x82\xA0z", std::string(19, 'a')},
      {".browse " + std::string(18, 'a') + "\x82\xA0z", std::string(18, 'a') + "\x82\xA0"},
      {".browse", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    testing::LinePasses runner;
    runner.ctx.modes.browse_counter = 7;
    runner.pass_one(c.line + "\r\n");
    EXPECT_EQ(runner.ctx.modes.browse_name, c.name);
    EXPECT_EQ(runner.ctx.modes.browse_counter, 0u);
  }
}

TEST(ModeTest, ResetLinkClearsMarksAndHandsOnRest) {
  testing::LinePasses runner;
  runner.ctx.names.add_topic("A");
  runner.ctx.names.mark_linked(0);
  EXPECT_EQ(runner.pass_two(".resetlink Hello\r\n"), "Hello{\\par }\r\n");
  EXPECT_FALSE(runner.ctx.names.linked(0));
}

TEST(ModeTest, PrintWritesInSecondPassOnly) {
  testing::check(
      {.sources = {{"in.zek", ".print Converting part 2\r\n.print\r\n.topic A\r\n"}},
       .arguments = {"in.zek"},
       .err = "Converting part 2\n\n",
       .files = {{"in.RTF", "\\pard \\i0 \\b0 \r\n${\\footnote $A}\r\n#{\\footnote #XX0}\r\n"}}});
}

// insert_space, browse_name and id_name outlive the reset between the passes;
// the other modes start the second pass off.
TEST(ModeTest, ResetBetweenPasses) {
  testing::LinePasses runner;
  const std::string second_pass = runner.both_passes(
      "\tfirst\r\n.topic A\r\n.insspace\r\n.browse seq\r\n.searchmode\r\n.groupmode\r\n"
      ".alllinkmode\r\n.nolinkmode\r\n.tabconv\r\n.shortcutmode\r\n.shortcut2mode\r\n"
      ".shortcutstr L\r\n.shortcut2str M\r\n.shortcut NAME\r\n");
  // The first line of the second pass sees insert_space and browse_name set
  // at the end of the first, and none of the others.
  const std::string first_lines =
      " \\tab first{\\par }\r\n\\pard \\i0 \\b0 \r\n${\\footnote $A}\r\n"
      "+{\\footnote seq:001}\r\n#{\\footnote #XX0}\r\n";
  EXPECT_TRUE(second_pass.starts_with(first_lines)) << second_pass;
  reset_for_pass(runner.ctx);
  const Modes& modes = runner.ctx.modes;
  EXPECT_TRUE(modes.insert_space);
  EXPECT_EQ(modes.browse_name, "seq");
  EXPECT_EQ(modes.id_name, "NAME");
  EXPECT_EQ(modes.browse_counter, 0u);
  EXPECT_FALSE(modes.search_mode || modes.group_mode || modes.all_link_mode || modes.no_link_mode ||
               modes.tab_conversion || modes.shortcut_mode || modes.shortcut2_mode);
  EXPECT_EQ(modes.shortcut_str, std::nullopt);
  EXPECT_EQ(modes.shortcut2_str, std::nullopt);
}

TEST(ModeTest, InsertedSpaceOnlyBeforeLeadingTab) {
  testing::LinePasses runner;
  runner.ctx.modes.insert_space = true;
  EXPECT_EQ(runner.pass_two("\tx\r\ny\tz\r\n"), " \\tab x{\\par }\r\ny\\tab z{\\par }\r\n");
}

TEST(ModeTest, TabConversionOnBodyAndRawLines) {
  testing::LinePasses runner;
  EXPECT_EQ(runner.pass_two(".tabconv\r\na\tb\r\n\"\tq\r\n'\tx\r\n.tabconv 0\r\nc\td\r\n"),
            "a       b{\\par }\r\n"
            "        q{\\par }\r\n"
            "       x\r\n"
            "c\\tab d{\\par }\r\n");
}

TEST(ModeTest, NoLinkModeWritesEscapedText) {
  testing::LinePasses runner;
  EXPECT_EQ(runner.pass_two(".nolinkmode\r\n{x}\r\n"), "\\{x\\}{\\par }\r\n");
}

// Link marks: cleared by every header of the second pass and after every body
// line in all-link mode; a no-link body line leaves them alone.
TEST(ModeTest, LinkMarksAcrossHeadersAndLinkModes) {
  struct {
    const char* source;
    bool second_pass;
    bool still_marked;
  } const cases[] = {
      {".topic B\r\n", true, false},
      {".topic B\r\n", false, true},
      {".alllinkmode\r\nx\r\n", true, false},
      {"x\r\n", true, true},
      {".alllinkmode\r\n.nolinkmode\r\nx\r\n", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    testing::LinePasses runner;
    runner.ctx.names.add_topic("A");
    runner.ctx.names.mark_linked(0);
    if (c.second_pass) {
      runner.pass_two(c.source);
    } else {
      runner.pass_one(c.source);
    }
    EXPECT_EQ(runner.ctx.names.linked(0), c.still_marked);
  }
}

}  // namespace
}  // namespace zek
