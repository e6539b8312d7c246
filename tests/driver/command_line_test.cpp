// The command line: splitting, option letters, the output name and mode, and
// the lone-"/" hint (the rewritten command for a source name that the "/"
// rule cut short, and the line it adds after "cannot open").
#include "driver/command_line.h"

#include <gtest/gtest.h>

#include "support/conversion.h"

namespace zek {
namespace {

using Texts = std::vector<std::string>;

struct SplitCase {
  Texts arguments;  // without the program name
  Texts files;
  Texts options;
};

void PrintTo(const SplitCase&, std::ostream* os) {
  *os << "case";
}

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, SortsPiecesIntoFilesAndOptions) {
  Texts argv = {"zek2rtf"};
  argv.insert(argv.end(), GetParam().arguments.begin(), GetParam().arguments.end());
  const SplitArguments split = split_arguments(argv);
  EXPECT_EQ(split.files, GetParam().files);
  EXPECT_EQ(split.options, GetParam().options);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, SplitTest,
    ::testing::Values(
        SplitCase{{}, {}, {}}, SplitCase{{"in.zek"}, {"in.zek"}, {}},
        SplitCase{{"/R/D", "in.zek"}, {"in.zek"}, {"R", "D"}},
        SplitCase{{"a/b/c"}, {"a"}, {"b", "c"}}, SplitCase{{"a//b"}, {"a"}, {"", "b"}},
        SplitCase{{"sub/in.zek"}, {"sub"}, {"in.zek"}},
        SplitCase{{"/", "sub/in.zek", "o/x.rtf"}, {"sub/in.zek", "o/x.rtf"}, {}},
        // After the lone "/" a leading "/" or "-" still makes an option.
        SplitCase{{"/", "/I/R", "-x-y"}, {}, {"I/R", "x-y"}},
        SplitCase{{"-I-R", "in.zek", "out.rtf", "third"}, {"in.zek", "out.rtf", "third"}, {"I-R"}},
        SplitCase{{"", "-"}, {""}, {""}}, SplitCase{{"x/"}, {"x"}, {""}}));

TEST(SplitTest, KeepsFiftyOptions) {
  Texts argv = {"zek2rtf"};
  for (int i = 0; i < 50; ++i) argv.push_back("-Q" + std::to_string(i));
  argv.push_back("-R");
  const SplitArguments split = split_arguments(argv);
  ASSERT_EQ(split.options.size(), 50u);
  EXPECT_EQ(split.options.back(), "Q49");
  EXPECT_FALSE(apply_options(split.options).report);
}

// "--" ends the options; long options are taken whole and the first one is
// kept; on POSIX an argument that begins with "/" must be options only.
TEST(SplitTest, DoubleDashLongOptionsAndNamesThatBeginWithSlash) {
  struct Case {
    Texts arguments;
    SlashRule rule;
    Texts files;
    Texts options;
    std::vector<size_t> not_options;
    LongOption long_option;
  };
  const auto refuse = SlashRule::refuse_paths;
  const auto cut = SlashRule::options;
  const auto none = LongOption::none;
  const Case cases[] = {
      {{"-R", "--", "/srv/in.zek", "-x.rtf"}, refuse, {"/srv/in.zek", "-x.rtf"}, {"R"}, {}, none},
      {{"--", "--", "/"}, refuse, {"--", "/"}, {}, {}, none},
      {{"--", "a/b"}, cut, {"a/b"}, {}, {}, none},
      {{"/", "-J../ids/app.id", "-Fapp.hlp", "--", "/srv/in.zek"},
       refuse,
       {"/srv/in.zek"},
       {"J../ids/app.id", "Fapp.hlp"},
       {},
       none},
      // Well-formed bundles keep working on POSIX.
      {{"/R/D", "/i@", "/I@@", "/x", "/3/$/@", "in.zek"},
       refuse,
       {"in.zek"},
       {"R", "D", "i@", "I@@", "x", "3", "$", "@"},
       {},
       none},
      {{"/Jids/F", "in.zek"}, refuse, {"in.zek"}, {"Jids", "F"}, {}, none},
      // Paths are refused, and so is anything with an unknown letter or a value
      // where none belongs; the same arguments stay options on Windows.
      {{"/data/out.rtf", "/newdir/x", "/x.rtf", "/srv/help/x.zek"},
       refuse,
       {},
       {},
       {1, 2, 3, 4},
       none},
      {{"/I@@@", "/Rx", "//", "/", "/R/D"}, refuse, {}, {}, {1, 2, 3, 5}, none},
      {{"/data/out.rtf"}, cut, {}, {"data", "out.rtf"}, {}, none},
      {{"-data", "/"}, refuse, {}, {"data"}, {}, none},
      {{"--version", "--help", "in.zek"}, refuse, {"in.zek"}, {}, {}, LongOption::version},
      {{"--he", "--help"}, refuse, {}, {}, {}, LongOption::unknown},
      {{"--", "--help"}, refuse, {"--help"}, {}, {}, none},
  };
  for (const Case& c : cases) {
    Texts argv = {"zek2rtf"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    const SplitArguments split = split_arguments(argv, c.rule);
    const std::string shown = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(split.files, c.files) << shown;
    EXPECT_EQ(split.options, c.options) << shown;
    EXPECT_EQ(split.not_options, c.not_options) << shown;
    EXPECT_EQ(split.long_option, c.long_option) << shown;
  }
}

TEST(SplitTest, RemembersWhereNamesCameFrom) {
  const SplitArguments split = split_arguments(
      {"zek2rtf", "-Jx", "in/a.zek", "/", "out/b.rtf", "/Jy/z", "--", "c/d"}, SlashRule::options);
  ASSERT_EQ(split.files, (Texts{"in", "out/b.rtf", "c/d"}));
  EXPECT_EQ(split.file_origins[0].argument, 2u);
  EXPECT_TRUE(split.file_origins[0].cut);
  EXPECT_EQ(split.file_origins[1].argument, 4u);
  EXPECT_FALSE(split.file_origins[1].cut);
  EXPECT_EQ(split.file_origins[2].argument, 7u);
  EXPECT_FALSE(split.file_origins[2].cut);
  EXPECT_EQ(split.id_input_origin.argument, 5u);
  EXPECT_FALSE(split.id_input_origin.cut);
}

TEST(OptionsTest, LettersIgnoreCaseAndLaterOnesWin) {
  const Options o = apply_options(
      {"i", "Jfirst", "jsecond", "F", "r", "d", "m", "w", "k", "x", "3", "v", "$", "Z", ""});
  EXPECT_EQ(o.id_mode, IdMode::names);
  EXPECT_EQ(o.id_input, "second");
  EXPECT_EQ(o.hlp_file_name, "");
  EXPECT_TRUE(o.report && o.ignore_directives && o.id_keyword && o.workshop);
  EXPECT_TRUE(o.link_brackets && o.hex_kanji && o.mode32 && o.verbose);
  EXPECT_TRUE(o.is_name_char['$']);
  EXPECT_FALSE(o.is_name_char['@']);
}

TEST(OptionsTest, IdModes) {
  const IdMode names = IdMode::names, at = IdMode::at_names, both = IdMode::at_names_and_topics;
  const std::pair<const char*, IdMode> cases[] = {{"I", names},  {"I@", at},  {"I@@", both},
                                                  {"Ix@", both}, {"I@x", at}, {"Ixy", names}};
  for (const auto& [text, mode] : cases) EXPECT_EQ(apply_options({text}).id_mode, mode) << text;
}

TEST(OptionsTest, NameCharacters) {
  const Options o = apply_options({"@"});
  for (int c = 0; c < 256; ++c) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    EXPECT_EQ(o.is_name_char[c], alnum || c == '@') << c;
  }
}

struct OutputCase {
  Texts files;
  std::string output_name;
  bool refused, text_mode, trace_mode;
};

void PrintTo(const OutputCase&, std::ostream* os) {
  *os << "case";
}

class OutputTest : public ::testing::TestWithParam<OutputCase> {};

TEST_P(OutputTest, ChoosesNameAndMode) {
  const OutputChoice choice = choose_output(GetParam().files);
  EXPECT_EQ(choice.output_name, GetParam().output_name);
  EXPECT_EQ(choice.refused, GetParam().refused);
  EXPECT_EQ(choice.text_mode, GetParam().text_mode);
  EXPECT_EQ(choice.trace_mode, GetParam().trace_mode);
}

INSTANTIATE_TEST_SUITE_P(
    Names, OutputTest,
    ::testing::Values(OutputCase{{"in.zek"}, "in.RTF", false, false, false},
                      OutputCase{{"help"}, "help.RTF", false, false, false},
                      OutputCase{{"dir.v2/help"}, "dir.v2/help.RTF", false, false, false},
                      OutputCase{{"a.b.zek"}, "a.b.RTF", false, false, false},
                      OutputCase{{"in.txt"}, "in.RTF", false, false, false},
                      OutputCase{{"in.zek", "out.zek"}, "out.zek", true, false, false},
                      OutputCase{{"in.zek", "OUT.Zek"}, "OUT.Zek", true, false, false},
                      OutputCase{{"in.zek", "out.xtf"}, "out.xtf", false, false, true},
                      OutputCase{{"in.zek", "out.TxT"}, "out.TxT", false, true, false},
                      OutputCase{{"in.zek", "out.doc"}, "out.doc", false, false, false},
                      OutputCase{{"in.zek", "out"}, "out", false, false, false},
                      OutputCase{{"in.zek", "txt"}, "txt", false, false, false},
                      OutputCase{{"in.zek", "out.txt.rtf"}, "out.txt.rtf", false, false, false}));

TEST(OutputTest, IdFileName) {
  EXPECT_EQ(id_file_name("out.rtf"), "out.ID");
  EXPECT_EQ(id_file_name("out"), "out.ID");
  EXPECT_EQ(id_file_name("d.x/out"), "d.x/out.ID");
}

// The lone-"/" hint: the rewritten command for a source name that the "/"
// rule cut short, and the line it adds after "cannot open".

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
