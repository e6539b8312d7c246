// The lone-"/" hint: the rewritten command for a source name that the "/"
// rule cut short, and the line it adds after "cannot open".
#include "driver/slash_hint.h"

#include <gtest/gtest.h>

#include "driver/command_line.h"
#include "support/conversion.h"

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

// The lone-"/" command for the source name of `arguments`.
std::optional<std::string> source_command(const std::vector<std::string>& arguments) {
  const SplitArguments split = split_arguments(arguments);
  if (split.files.empty()) return std::nullopt;
  return lone_slash_command(arguments, split.file_origins[0]);
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
      // Nothing after "--" is cut; a "/" after it is a name.
      {{"sub/in.zek", "--", "o/x.rtf"}, "zek2rtf / sub/in.zek -- o/x.rtf"},
      {{"--", "sub/in.zek"}, nullptr},
      // No hint: the source name was not cut, or there is none.
      {{"in.zek"}, nullptr},
      {{"/", "sub/in.zek"}, nullptr},
      {{"in.zek", "sub/out.rtf"}, nullptr},
      {{"/R/D"}, nullptr},
      {{}, nullptr},
  };
  for (const HintCase& c : cases) {
    const std::optional<std::string> command = source_command(with_program(c.arguments));
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
  const std::optional<std::string> command = source_command(original);
  ASSERT_TRUE(command);
  const std::vector<std::string> suggested = {"zek2rtf", "-X", "/",      "sub/in.zek",
                                              "/R",      "/D", "o/x.rtf"};
  EXPECT_EQ(*command, "zek2rtf -X / sub/in.zek /R /D o/x.rtf");
  const SplitArguments split = split_arguments(suggested);
  EXPECT_EQ(split.files, (std::vector<std::string>{"sub/in.zek", "o/x.rtf"}));
  EXPECT_EQ(split.options, (std::vector<std::string>{"X", "R", "D"}));
}

TEST(SlashHintTest, DoubleDashCommandPutsTheNamesAfterTheOptions) {
  const struct {
    std::vector<std::string> arguments;
    std::vector<size_t> not_options;
    const char* command;
  } cases[] = {
      {{"/srv/help/x.zek"}, {1}, "zek2rtf -- /srv/help/x.zek"},
      {{"-X", "/", "in.zek", "/srv/out.rtf"}, {4}, "zek2rtf -X / -- in.zek /srv/out.rtf"},
      {{"/R/D", "/data/in.zek", "-K"}, {2}, "zek2rtf /R/D -K -- /data/in.zek"},
      {{"/a.zek", "--", "-b.rtf"}, {1}, "zek2rtf -- /a.zek -b.rtf"},
      {{"/", "-J../ids/app.id", "-Fapp.hlp", "/srv/in.zek"},
       {4},
       "zek2rtf / -J../ids/app.id -Fapp.hlp -- /srv/in.zek"},
      {{"/my dir/in.zek"}, {1}, "zek2rtf -- \"/my dir/in.zek\""},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> arguments = with_program(c.arguments);
    EXPECT_EQ(double_dash_command(arguments, c.not_options), c.command);
  }
}

TEST(SlashHintTest, RunAddsHintOnlyWhenACutNameCannotBeOpened) {
  const std::string hint = "to name a file in a folder, put a lone \"/\" first: ";
  const testing::Conversion cases[] = {
      {.arguments = {"-R", "sub/in.zek"},
       .status = 1,
       .err = "cannot open sub\n" + hint + "zek2rtf -R / sub/in.zek\n"},
      {.arguments = {"missing.zek"}, .status = 1, .err = "cannot open missing.zek\n"},
      {.arguments = {"/", "sub/none.zek"}, .status = 1, .err = "cannot open sub/none.zek\n"},
      {.arguments = {"sub/bad.zek"},
       .status = 1,
       .err = "sub 1: error bad . command  .bad\n"},  // "sub" opens
      // The output name, and the ID file named after it.
      {.arguments = {"in.zek", "dir/out.rtf"},
       .status = 1,
       .err = "cannot open dir\n" + hint + "zek2rtf in.zek / dir/out.rtf\n"},
      {.arguments = {"in.zek", "-I", "--", "dir/out.rtf"},
       .status = 1,
       .err = "cannot open dir/out.rtf\n"},
      // The -J name: the run goes on without it.
      {.arguments = {"-Jids/app.id", "-F", "in.zek"},
       .status = 0,
       .err = "cannot open ids\n" + hint + "zek2rtf / -Jids/app.id -F in.zek\n"},
      {.arguments = {"/", "-Jids/app.id", "-F", "in.zek"},
       .status = 0,
       .err = "cannot open ids/app.id\n"},
  };
  for (const testing::Conversion& c : cases) {
    testing::MemoryEnvironment env;
    if (c.arguments.back() == "sub/bad.zek") env.files["sub"] = ".bad\r\n";
    env.files["in.zek"] = ".start\r\n.end\r\n";
    env.unwritable.push_back("dir");
    env.unwritable.push_back("dir/out.rtf");
    const testing::Outcome result = testing::convert(c, env);
    EXPECT_EQ(result.status, c.status) << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(result.err, c.err) << ::testing::PrintToString(c.arguments);
  }
}

}  // namespace
}  // namespace zek
