// Whole runs in memory: the failure table of a run, safe replacement of the
// output and ID files, refusals to write over sources, -J and the -R report.
#include <gtest/gtest.h>

#include <algorithm>

#include "driver/command_line.h"
#include "io/paths.h"
#include "support/memory_environment.h"

namespace zek {
namespace {

using testing::MemoryEnvironment;
using testing::RunResult;

// "ファイルネームが誤っています " in code page 932.
const std::string kBadName =
    "\x83t\x83@\x83"
    "C\x83\x8B\x83l\x81[\x83\x80\x82\xAA\x8C\xEB\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7 ";
// "popup or topic : 参照回数 : 名前\n"
const std::string kReportHead = "popup or topic : \x8EQ\x8F\xC6\x89\xF1\x90\x94 : \x96\xBC\x91O\n";
const std::string kSource = ".start\r\nHello\r\n.end\r\n";
const std::string kOutput = "{\\rtf1 \\ansi\r\nHello{\\par }\r\n}\r\n";

struct RunCase {
  const char* name;
  std::vector<std::string> arguments;
  int status;
  std::string err;
  // Files that are new or changed afterwards; every other file must be as before.
  std::map<std::string, std::string> changed;
};

// Keeps test names short in listings.
void PrintTo(const RunCase& c, std::ostream* os) {
  *os << c.name;
}

class RunTest : public ::testing::TestWithParam<RunCase> {};

const std::map<std::string, std::string> kInputs = {
    {"in.zek", kSource},     {"notes.txt", "x\r\n"},  {"bad.zek", ".bad\r\n"},
    {"out.ID", kSource},     {"inc.zek", "i\r\n"},    {"uses-inc.zek", ".include inc.zek\r\n"},
    {"old.rtf", "previous"}, {"prev.doc", "previous"}};

TEST_P(RunTest, StatusMessagesAndFiles) {
  const RunCase& c = GetParam();
  MemoryEnvironment env;
  env.files = kInputs;
  env.links["same-as-in.zek"] = "in.zek";
  env.unwritable = {"locked.rtf", "locked.ID", "prev.ID"};
  env.full = {"full.rtf", "full.ID", "old.rtf"};
  env.uncommittable = {"stuck.rtf"};
  const RunResult result = testing::run(env, c.arguments);
  EXPECT_EQ(result.status, c.status);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, c.err);
  for (const auto& [name, bytes] : env.files) {
    auto changed = c.changed.find(name);
    auto input = kInputs.find(name);
    if (changed != c.changed.end()) {
      EXPECT_EQ(bytes, changed->second) << name;
    } else if (input != kInputs.end()) {
      EXPECT_EQ(bytes, input->second) << name << " was changed";
    } else {
      ADD_FAILURE() << "unexpected file " << name;
    }
  }
  for (const auto& [name, bytes] : c.changed) EXPECT_EQ(env.files.count(name), 1u) << name;
}

const std::map<std::string, std::string> kNothing;

INSTANTIATE_TEST_SUITE_P(
    FailureTable, RunTest,
    ::testing::Values(
        RunCase{"DefaultOutputName", {"in.zek"}, 0, "", {{"in.RTF", kOutput}}},
        RunCase{"SecondOutputWins", {"in.zek", "a.rtf", "b.rtf"}, 0, "", {{"a.rtf", kOutput}}},
        RunCase{"IdFile", {"-I@@", "in.zek", "a.rtf"}, 0, "", {{"a.rtf", kOutput}, {"a.ID", ""}}},
        RunCase{"RefusedZekOutput", {"in.zek", "OUT.Zek"}, 1, kBadName + "OUT.Zek \n", kNothing},
        RunCase{"MissingSource", {"nope.zek", "out.rtf"}, 1, "cannot open nope.zek\n", kNothing},
        RunCase{"PassOneErrorWritesNothing",
                {"-R", "bad.zek", "prev.doc"},
                1,
                "bad.zek 1: error bad . command  .bad\n",
                kNothing},
        RunCase{"OutputCannotBeOpened",
                {"in.zek", "locked.rtf"},
                1,
                "cannot open locked.rtf\n",
                kNothing},
        RunCase{"IdCannotBeOpenedLeavesEmptyOutput",
                {"-I", "in.zek", "locked.doc"},
                1,
                "cannot open locked.ID\n",
                {{"locked.doc", ""}}},
        RunCase{"IdCannotBeOpenedKeepsFormerOutput",
                {"-I", "in.zek", "prev.doc"},
                1,
                "cannot open prev.ID\n",
                kNothing},
        RunCase{"WriteFailureKeepsFormerOutput",
                {"in.zek", "old.rtf"},
                1,
                "cannot write old.rtf\n",
                kNothing},
        RunCase{"WriteFailureLeavesNoOutput",
                {"in.zek", "full.rtf"},
                1,
                "cannot write full.rtf\n",
                kNothing},
        RunCase{"IdWriteFailureKeepsFormerOutput",
                {"-I", "in.zek", "full.doc"},
                1,
                "cannot write full.ID\n",
                kNothing},
        RunCase{"FailedRename", {"in.zek", "stuck.rtf"}, 1, "cannot write stuck.rtf\n", kNothing},
        RunCase{"OutputIsTheSource",
                {"notes.txt", "notes.txt"},
                1,
                kBadName + "notes.txt \n",
                kNothing},
        RunCase{"OutputIsTheSourceByAnotherName",
                {"in.zek", "same-as-in.zek"},
                1,
                kBadName + "same-as-in.zek \n",
                kNothing},
        RunCase{"OutputIsAnIncludedFile",
                {"uses-inc.zek", "inc.zek"},
                1,
                kBadName + "inc.zek \n",
                kNothing},
        RunCase{
            "IdFileIsTheSource", {"-I", "out.ID", "out.rtf"}, 1, kBadName + "out.ID \n", kNothing},
        RunCase{"IdFileIsTheOutput", {"-I", "in.zek", "x.ID"}, 1, kBadName + "x.ID \n", kNothing}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return info.param.name; });

TEST(RunTest, UsageWithoutFileArgument) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{}, std::vector<std::string>{"-R", "/I"}}) {
    MemoryEnvironment env;
    const RunResult result = testing::run(env, arguments);
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.err.starts_with("ZEK -> RTF ")) << result.err;
    EXPECT_TRUE(result.err.ends_with("\t-3\t\t32bit mode\n"));
    EXPECT_TRUE(env.files.empty());
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
  env.files = {
      {"in.zek", "a\r\n.include inc.zek\r\nb\r\n"}, {"inc.zek", "i\r\n"}, {"ids", "Name:ctx\r\n"}};
  const RunResult result = testing::run(env, {"-R", "-Jids", "-F", "in.zek", "out.rtf"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "cannot open inc.zek\n");
  EXPECT_EQ(result.out, kReportHead + "topic: 0:[Name]\n");
  EXPECT_EQ(env.files["out.rtf"], "a{\\par }\r\nb{\\par }\r\n");
}

struct IdInputCase {
  const char* name;
  std::vector<std::string> options;
  std::string err;
  std::string report;  // after the report's head line
};

// Keeps test names short in listings.
void PrintTo(const IdInputCase& c, std::ostream* os) {
  *os << c.name;
}

class IdInputTest : public ::testing::TestWithParam<IdInputCase> {};

TEST_P(IdInputTest, ReadsOnlyWithHelpFileName) {
  MemoryEnvironment env;
  env.files = {{"in.zek", "x\r\n"},
               {"ids", "FILE_OPEN:IDM_FILE_OPEN\r\na:b:c\nno colon\n:x\r\nlast:1"}};
  std::vector<std::string> arguments = GetParam().options;
  arguments.insert(arguments.end(), {"-R", "in.zek", "out.rtf"});
  const RunResult result = testing::run(env, arguments);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, GetParam().err);
  EXPECT_EQ(result.out, kReportHead + GetParam().report);
}

INSTANTIATE_TEST_SUITE_P(
    IdFiles, IdInputTest,
    ::testing::Values(
        IdInputCase{"NoHelpFile", {"-Jids"}, "", ""},
        IdInputCase{"MissingIdFileWithoutHelpFile", {"-Jnone"}, "", ""},
        IdInputCase{"EmptyHelpFileName",
                    {"-Jids", "-F"},
                    "",
                    "topic: 0:[FILE_OPEN]\ntopic: 0:[a]\ntopic: 0:[]\ntopic: 0:[last]\n"},
        IdInputCase{"MissingIdFile", {"/Fx.hlp", "-Jnone"}, "cannot open none\n", ""},
        IdInputCase{"LaterJWins",
                    {"-Jnone", "-Fh", "-jids"},
                    "",
                    "topic: 0:[FILE_OPEN]\ntopic: 0:[a]\ntopic: 0:[]\ntopic: 0:[last]\n"}),
    [](const ::testing::TestParamInfo<IdInputCase>& info) { return info.param.name; });

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
    MemoryEnvironment env;
    env.files["in.zek"] = kSource;
    const std::map<std::string, std::string> before = env.files;
    const RunResult result = testing::run(env, arguments);
    const std::string shown = ::testing::PrintToString(arguments);
    ASSERT_TRUE(result.status == 0 || result.status == 1) << shown;
    for (const auto& [name, bytes] : env.files) {
      if (before.count(name) != 0) continue;
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
    MemoryEnvironment env;
    env.files["in.zek"] = kSource;
    const RunResult result = testing::run(env, arguments);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    for (const char* word :
         {"-I ", "-I@ ", "-I@@",   "-J<idfile>", "-F<hlpfile>", "-R ",  "-D ",  "-M ",
          "-W ", "-K ",  "-X ",    "-3 ",        "-V ",         "-U ",  "-C ",  "-$ ",
          "-@ ", "--  ", "--help", "--version",  ".TXT",        ".XTF", ".ZEK", "Exit status"}) {
      EXPECT_NE(result.out.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(env.files.size(), 1u);
  }
}

}  // namespace
}  // namespace zek
