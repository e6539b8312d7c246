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

TEST(OptionsTest, LettersIgnoreCaseAndLaterOnesWin) {
  const Options o = apply_options(
      {"i", "Jfirst", "jsecond", "F", "r", "d", "m", "w", "k", "x", "3", "v", "$", "Z", ""});
  EXPECT_EQ(o.id_mode, 1);
  EXPECT_EQ(o.id_input, "second");
  EXPECT_EQ(o.hlp_file_name, "");
  EXPECT_TRUE(o.report && o.ignore_directives && o.id_keyword && o.workshop);
  EXPECT_TRUE(o.link_brackets && o.hex_kanji && o.mode32 && o.verbose);
  EXPECT_TRUE(o.is_name_char['$']);
  EXPECT_FALSE(o.is_name_char['@']);
}

TEST(OptionsTest, IdModes) {
  const std::pair<const char*, int> cases[] = {{"I", 1},   {"I@", 2},  {"I@@", 3},
                                               {"Ix@", 3}, {"I@x", 2}, {"Ixy", 1}};
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
