// Whole runs in memory: the failure table of a run, safe replacement of the
// output and ID files, refusals to write over sources, -J and the -R report.
#include <gtest/gtest.h>

#include <algorithm>

#include "driver/command_line.h"
#include "io/paths.h"
#include "support/conversion.h"

namespace zek {
namespace {

using testing::Conversion;
using testing::ConversionTest;
using testing::Files;
using testing::MemoryEnvironment;
using testing::Outcome;

// "ファイルネームが誤っています " in code page 932.
const std::string kBadName =
    "\x83t\x83@\x83"
    "C\x83\x8B\x83l\x81[\x83\x80\x82\xAA\x8C\xEB\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7 ";
// "popup or topic : 参照回数 : 名前\n"
const std::string kReportHead = "popup or topic : \x8EQ\x8F\xC6\x89\xF1\x90\x94 : \x96\xBC\x91O\n";
const std::string kSource = ".start\r\nHello\r\n.end\r\n";
const std::string kOutput = "{\\rtf1 \\ansi\r\nHello{\\par }\r\n}\r\n";

// A run on the inputs below; `changed` are the files new or changed
// afterwards, and nothing is written to standard output.
Conversion run_case(std::string name, std::vector<std::string> arguments, int status,
                    std::string err, Files changed) {
  return Conversion{.name = std::move(name),
                    .arguments = std::move(arguments),
                    .status = status,
                    .err = std::move(err),
                    .files = std::move(changed)};
}

class RunTest : public ::testing::TestWithParam<Conversion> {};

const Files kInputs = {{"in.zek", kSource},     {"notes.txt", "x\r\n"},
                       {"bad.zek", ".bad\r\n"}, {"out.ID", kSource},
                       {"inc.zek", "i\r\n"},    {"uses-inc.zek", ".include inc.zek\r\n"},
                       {"old.rtf", "previous"}, {"prev.doc", "previous"}};

TEST_P(RunTest, StatusMessagesAndFiles) {
  MemoryEnvironment env;
  env.files = kInputs;
  env.links["same-as-in.zek"] = "in.zek";
  env.unwritable = {"locked.rtf", "locked.ID", "prev.ID"};
  env.full = {"full.rtf", "full.ID", "old.rtf"};
  env.uncommittable = {"stuck.rtf"};
  testing::check(GetParam(), env);
}

const Files kNothing;

INSTANTIATE_TEST_SUITE_P(
    FailureTable, RunTest,
    ::testing::Values(
        run_case("DefaultOutputName", {"in.zek"}, 0, "", {{"in.RTF", kOutput}}),
        run_case("SecondOutputWins", {"in.zek", "a.rtf", "b.rtf"}, 0, "", {{"a.rtf", kOutput}}),
        run_case("IdFile", {"-I@@", "in.zek", "a.rtf"}, 0, "", {{"a.rtf", kOutput}, {"a.ID", ""}}),
        run_case("RefusedZekOutput", {"in.zek", "OUT.Zek"}, 1, kBadName + "OUT.Zek \n", kNothing),
        run_case("MissingSource", {"nope.zek", "out.rtf"}, 1, "cannot open nope.zek\n", kNothing),
        run_case("PassOneErrorWritesNothing", {"-R", "bad.zek", "prev.doc"}, 1,
                 "bad.zek 1: error bad . command  .bad\n", kNothing),
        run_case("OutputCannotBeOpened", {"in.zek", "locked.rtf"}, 1, "cannot open locked.rtf\n",
                 kNothing),
        run_case("IdCannotBeOpenedLeavesEmptyOutput", {"-I", "in.zek", "locked.doc"}, 1,
                 "cannot open locked.ID\n", {{"locked.doc", ""}}),
        run_case("IdCannotBeOpenedKeepsFormerOutput", {"-I", "in.zek", "prev.doc"}, 1,
                 "cannot open prev.ID\n", kNothing),
        run_case("WriteFailureKeepsFormerOutput", {"in.zek", "old.rtf"}, 1,
                 "cannot write old.rtf\n", kNothing),
        run_case("WriteFailureLeavesNoOutput", {"in.zek", "full.rtf"}, 1, "cannot write full.rtf\n",
                 kNothing),
        run_case("IdWriteFailureKeepsFormerOutput", {"-I", "in.zek", "full.doc"}, 1,
                 "cannot write full.ID\n", kNothing),
        run_case("FailedRename", {"in.zek", "stuck.rtf"}, 1, "cannot write stuck.rtf\n", kNothing),
        run_case("OutputIsTheSource", {"notes.txt", "notes.txt"}, 1, kBadName + "notes.txt \n",
                 kNothing),
        run_case("OutputIsTheSourceByAnotherName", {"in.zek", "same-as-in.zek"}, 1,
                 kBadName + "same-as-in.zek \n", kNothing),
        run_case("OutputIsAnIncludedFile", {"uses-inc.zek", "inc.zek"}, 1, kBadName + "inc.zek \n",
                 kNothing),
        run_case("IdFileIsTheSource", {"-I", "out.ID", "out.rtf"}, 1, kBadName + "out.ID \n",
                 kNothing),
        run_case("IdFileIsTheOutput", {"-I", "in.zek", "x.ID"}, 1, kBadName + "x.ID \n", kNothing)),
    testing::row_name);

TEST(RunTest, UsageWithoutFileArgument) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{}, std::vector<std::string>{"-R", "/I"}}) {
    const Outcome result = testing::convert({.arguments = arguments});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.err.starts_with("ZEK -> RTF ")) << result.err;
    EXPECT_TRUE(result.err.ends_with("\t-3\t\t32bit mode\n"));
    EXPECT_TRUE(result.files.empty());
  }
}

// An environment whose include file vanishes after pass 1.
class VanishingInclude : public MemoryEnvironment {
 public:
  std::unique_ptr<InputStream> open_input(const std::string& name) override {
    if (name == "inc.zek" && opened_++ > 0) return nullptr;
    return MemoryEnvironment::open_input(name);
  }

 private:
  int opened_ = 0;
};

TEST(RunTest, PassTwoFailureKeepsCompleteOutputAndReports) {
  VanishingInclude env;
  testing::check({.sources = {{"in.zek", "a\r\n.include inc.zek\r\nb\r\n"},
                              {"inc.zek", "i\r\n"},
                              {"ids", "Name:ctx\r\n"}},
                  .arguments = {"-R", "-Jids", "-F", "in.zek", "out.rtf"},
                  .status = 1,
                  .out = kReportHead + "topic: 0:[Name]\n",
                  .err = "cannot open inc.zek\n",
                  .files = {{"out.rtf", "a{\\par }\r\nb{\\par }\r\n"}}},
                 env);
}

// A run with -R and the options on a source and the ID file "ids"; `report`
// is the -R report after its head line.
Conversion id_input_case(std::string name, std::vector<std::string> options, std::string err,
                         std::string report) {
  Conversion c{.name = std::move(name),
               .sources = {{"in.zek", "x\r\n"},
                           {"ids", "FILE_OPEN:IDM_FILE_OPEN\r\na:b:c\nno colon\n:x\r\nlast:1"}},
               .arguments = std::move(options),
               .out = kReportHead + report,
               .err = std::move(err),
               .files = {{"out.rtf", "x{\\par }\r\n"}}};
  c.arguments.insert(c.arguments.end(), {"-R", "in.zek", "out.rtf"});
  return c;
}

INSTANTIATE_TEST_SUITE_P(
    IdInputFiles, ConversionTest,
    ::testing::Values(
        id_input_case("NoHelpFile", {"-Jids"}, "", ""),
        id_input_case("MissingIdFileWithoutHelpFile", {"-Jnone"}, "", ""),
        id_input_case("EmptyHelpFileName", {"-Jids", "-F"}, "",
                      "topic: 0:[FILE_OPEN]\ntopic: 0:[a]\ntopic: 0:[]\ntopic: 0:[last]\n"),
        id_input_case("MissingIdFile", {"/Fx.hlp", "-Jnone"}, "cannot open none\n", ""),
        id_input_case("LaterJWins", {"-Jnone", "-Fh", "-jids"}, "",
                      "topic: 0:[FILE_OPEN]\ntopic: 0:[a]\ntopic: 0:[]\ntopic: 0:[last]\n")),
    testing::row_name);

// Argument lists of any content give status 0 or 1 and write only names the
// command line gave as files (an argument, or a piece of one cut at "/"), the
// default output beside the source and the ID file beside the output; never
// a name that begins with "/", which was read as options before.
TEST(RunArgumentsTest, AnyArgumentListWritesOnlyNamedFiles) {
  const std::vector<std::string> words = {
      "",        "--",           "-",    "/",     "/R/D",   "/x.rtf", "/srv/out.rtf", "in.zek",
      "out.rtf", "sub/in.zek",   "-I@@", "-Jids", "-F",     "--help", "--x",          "-X",
      "a b.txt", "\x82\xA0.rtf", "x/",   "//",    "out.XTF"};
  uint32_t seed = 12345;
  const auto next = [&seed](uint32_t bound) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % bound;
  };
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::string> arguments;
    const uint32_t count = next(6);
    for (uint32_t i = 0; i < count; ++i) arguments.push_back(words[next(words.size())]);
    const Outcome result =
        testing::convert({.sources = {{"in.zek", kSource}}, .arguments = arguments});
    const std::string shown = ::testing::PrintToString(arguments);
    ASSERT_TRUE(result.status == 0 || result.status == 1) << shown;
    for (const auto& [name, bytes] : result.files) {
      if (name == "in.zek") continue;
      bool given = false;
      for (const std::string& argument : arguments) {
        std::vector<std::string> pieces;
        cut_at_slashes(argument, pieces);
        pieces.push_back(argument);
        for (const std::string& piece : pieces) {
          given = given || name == piece || name == replace_extension(piece, ".RTF") ||
                  name == replace_extension(piece, ".ID");
        }
      }
      EXPECT_TRUE(given) << name << " written by " << shown;
      const bool after_double_dash =
          std::find(arguments.begin(), arguments.end(), "--") != arguments.end();
      EXPECT_TRUE(name[0] != '/' || after_double_dash) << name << " written by " << shown;
    }
  }
}

// --help names every option, every output mode and the exit status, on
// standard output, wherever it stands before "--".
TEST(RunArgumentsTest, HelpListsEveryOption) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"}, {"-R", "in.zek", "--help", "/x.rtf"}}) {
    const Outcome result =
        testing::convert({.sources = {{"in.zek", kSource}}, .arguments = arguments});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    for (const char* word :
         {"-I ", "-I@ ", "-I@@",   "-J<idfile>", "-F<hlpfile>", "-R ",  "-D ",  "-M ",
          "-W ", "-K ",  "-X ",    "-3 ",        "-V ",         "-U ",  "-C ",  "-$ ",
          "-@ ", "--  ", "--help", "--version",  ".TXT",        ".XTF", ".ZEK", "Exit status"}) {
      EXPECT_NE(result.out.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(result.files.size(), 1u);
  }
}

}  // namespace
}  // namespace zek
