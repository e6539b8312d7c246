// Command-line splitting, option letters and the output name and mode.
#include "driver/command_line.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zek
