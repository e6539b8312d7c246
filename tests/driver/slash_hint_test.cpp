// The lone-"/" hint: the rewritten command for a source name that the "/"
// rule cut short, and the line it adds after "cannot open".
#include "driver/slash_hint.h"

#include <gtest/gtest.h>

#include "driver/command_line.h"
#include "support/memory_environment.h"

namespace zek {
namespace {

struct HintCase {
  std::vector<std::string> arguments;  // without the program name
  const char* command;                 // null when there is no hint
};

std::vector<std::string> with_program(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "zek2rtf");
  return arguments;
}

TEST(SlashHintTest, CommandKeepsNamesWholeAndOptionsAsTheyWere) {
  const HintCase cases[] = {
      {{"sub/in.zek"}, "zek2rtf / sub/in.zek"},
      {{"-R", "/X/K", "sub/in.zek", "out.rtf"}, "zek2rtf -R /X/K / sub/in.zek out.rtf"},
      // After the lone "/" an argument of several options is given piece by piece.
      {{"sub/in.zek", "/R/D", "out/x.rtf", "-K"}, "zek2rtf / sub/in.zek /R /D out/x.rtf -K"},
      {{"-R/sub/in.zek", "a/b.zek"}, "zek2rtf -R/sub/in.zek / a/b.zek"},
      {{"sub/in.zek", "/", "out/x.rtf"}, "zek2rtf / sub/in.zek out/x.rtf"},
      {{"my dir/in.zek"}, "zek2rtf / \"my dir/in.zek\""},
      {{"in.zek/R"}, "zek2rtf / in.zek/R"},
      // No hint: the source name was not cut, or there is none.
      {{"in.zek"}, nullptr},
      {{"/", "sub/in.zek"}, nullptr},
      {{"in.zek", "sub/out.rtf"}, nullptr},
      {{"/R/D"}, nullptr},
      {{}, nullptr},
  };
  for (const HintCase& c : cases) {
    const std::optional<std::string> command = lone_slash_command(with_program(c.arguments));
    const std::string shown = ::testing::PrintToString(c.arguments);
    ASSERT_EQ(command.has_value(), c.command != nullptr) << shown;
    if (command) {
      EXPECT_EQ(*command, c.command) << shown;
    }
  }
}

// The suggested command, run, reads the options the original command did
// (less the ones the cut made up) and the whole file names.
TEST(SlashHintTest, SuggestedCommandMeansWhatWasMeant) {
  const std::vector<std::string> original = {"zek2rtf", "-X", "sub/in.zek", "/R/D", "o/x.rtf"};
  const std::optional<std::string> command = lone_slash_command(original);
  ASSERT_TRUE(command);
  const std::vector<std::string> suggested = {"zek2rtf", "-X", "/",      "sub/in.zek",
                                              "/R",      "/D", "o/x.rtf"};
  EXPECT_EQ(*command, "zek2rtf -X / sub/in.zek /R /D o/x.rtf");
  const SplitArguments split = split_arguments(suggested);
  EXPECT_EQ(split.files, (std::vector<std::string>{"sub/in.zek", "o/x.rtf"}));
  EXPECT_EQ(split.options, (std::vector<std::string>{"X", "R", "D"}));
}

TEST(SlashHintTest, RunAddsHintOnlyWhenTheCutSourceCannotBeOpened) {
  const std::string hint = "to name a file in a folder, put a lone \"/\" first: ";
  struct RunCase {
    std::vector<std::string> arguments;
    std::string err;
  };
  const RunCase cases[] = {
      {{"-R", "sub/in.zek"}, "cannot open sub\n" + hint + "zek2rtf -R / sub/in.zek\n"},
      {{"missing.zek"}, "cannot open missing.zek\n"},
      {{"/", "sub/none.zek"}, "cannot open sub/none.zek\n"},
      {{"sub/bad.zek"}, "sub 1: error bad . command  .bad\n"},  // "sub" opens
  };
  for (const RunCase& c : cases) {
    testing::MemoryEnvironment env;
    if (c.arguments.back() == "sub/bad.zek") env.files["sub"] = ".bad\r\n";
    const testing::RunResult result = testing::run(env, c.arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, c.err) << ::testing::PrintToString(c.arguments);
  }
}

}  // namespace
}  // namespace zek
