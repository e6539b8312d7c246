// The output and ID file names derived by the host's file-name rules: on
// Windows drive letters, "\" and "/" separate directories and a "\" that is
// the trail byte of a Shift-JIS character does not; elsewhere only "/" does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/memory_environment.h"

namespace zek {
namespace {

const char kSource[] = ".start\r\n.end\r\n";

struct NameCase {
  const char* label;
  std::vector<std::string> arguments;  // the source is the last one
  std::string output_name;
  std::string id_name;
};

class OutputNameTest : public ::testing::TestWithParam<NameCase> {};

// Runs with -I so that both derived names appear as created files.
TEST_P(OutputNameTest, DerivesOutputAndIdNames) {
  const NameCase& c = GetParam();
  testing::MemoryEnvironment env;
  env.files[c.arguments.back()] = kSource;
  std::vector<std::string> arguments = {"-I"};
  arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
  const testing::RunResult result = testing::run(env, arguments);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(env.files.count(c.output_name), 1u) << c.output_name;
  EXPECT_EQ(env.files.count(c.id_name), 1u) << c.id_name;
  EXPECT_EQ(env.files.size(), 3u);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    WindowsNames, OutputNameTest,
    ::testing::Values(
        NameCase{"DriveAndDirectory",
                 {"C:\\help\\intro.zek"},
                 "C:\\help\\intro.RTF",
                 "C:\\help\\intro.ID"},
        NameCase{"DriveRelative", {"C:intro"}, "C:intro.RTF", "C:intro.ID"},
        NameCase{"DotInDirectory",
                 {"C:\\help.d\\intro"},
                 "C:\\help.d\\intro.RTF",
                 "C:\\help.d\\intro.ID"},
        NameCase{"SlashSeparator", {"/", "help.d/intro"}, "help.d/intro.RTF", "help.d/intro.ID"},
        NameCase{"MixedSeparators",
                 {"/", "C:/a.d\\b.d/intro.zek"},
                 "C:/a.d\\b.d/intro.RTF",
                 "C:/a.d\\b.d/intro.ID"},
        NameCase{"ServerShare",
                 {"\\\\server\\share.d\\intro.zek"},
                 "\\\\server\\share.d\\intro.RTF",
                 "\\\\server\\share.d\\intro.ID"},
        // 表 is 0x95 0x5C and ソ is 0x83 0x5C: their trail bytes are no separators.
        NameCase{"TrailByteInExtension", {"doc.\x95\x5C"}, "doc.RTF", "doc.ID"},
        NameCase{"TrailBytesInExtension", {"ver.\x83\x5C\x83\x5C"}, "ver.RTF", "ver.ID"},
        NameCase{"TrailByteInDirectory",
                 {"\x95\x5C.d\\intro"},
                 "\x95\x5C.d\\intro.RTF",
                 "\x95\x5C.d\\intro.ID"},
        NameCase{"TrailByteAtEnd", {"a.b\\\x95\x5C"}, "a.b\\\x95\x5C.RTF", "a.b\\\x95\x5C.ID"}),
    [](const auto& info) { return std::string(info.param.label); });
#else
INSTANTIATE_TEST_SUITE_P(
    PosixNames, OutputNameTest,
    ::testing::Values(
        NameCase{"Directory", {"/", "help/intro.zek"}, "help/intro.RTF", "help/intro.ID"},
        NameCase{"DotInDirectory", {"/", "help.d/intro"}, "help.d/intro.RTF", "help.d/intro.ID"},
        // "\" and ":" are ordinary name characters here.
        NameCase{"BackslashIsNameCharacter", {"help.d\\intro"}, "help.RTF", "help.ID"},
        NameCase{"ColonIsNameCharacter", {"C:intro.zek"}, "C:intro.RTF", "C:intro.ID"},
        NameCase{"ShiftJisExtension", {"doc.\x95\x5C"}, "doc.RTF", "doc.ID"}),
    [](const auto& info) { return std::string(info.param.label); });
#endif

struct ModeCase {
  const char* label;
  std::string output_name;
  bool refused;
  std::string output_begins;  // first bytes of the output file
};

class OutputModeTest : public ::testing::TestWithParam<ModeCase> {};

// The extension of the final name component, in any letter case, selects the
// mode; ".ZEK" is refused before any file is created.
TEST_P(OutputModeTest, ExtensionOfFinalComponentSelectsMode) {
  const ModeCase& c = GetParam();
  testing::MemoryEnvironment env;
  env.files["in.zek"] = kSource;
  const testing::RunResult result = testing::run(env, {"/", "in.zek", c.output_name});
  if (c.refused) {
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(env.files.size(), 1u);
    return;
  }
  EXPECT_EQ(result.status, 0) << result.err;
  ASSERT_EQ(env.files.count(c.output_name), 1u);
  EXPECT_EQ(env.files[c.output_name].substr(0, c.output_begins.size()), c.output_begins);
}

const char kRtf[] = "{\\rtf1 \\ansi\r\n";
const char kTrace[] = "   1:0000:.start\r\n";

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    WindowsNames, OutputModeTest,
    ::testing::Values(ModeCase{"RefusedInFolder", "C:\\help\\OUT.Zek", true, ""},
                      ModeCase{"RefusedAfterSlash", "C:/help/out.zek", true, ""},
                      ModeCase{"TraceInFolder", "sub.d\\OUT.Xtf", false, kTrace},
                      ModeCase{"DottedFolderIsNoExtension", "out.zek\\plain", false, kRtf},
                      ModeCase{"TraceFolderIsNoExtension", "C:out.xtf\\plain", false, kRtf}),
    [](const auto& info) { return std::string(info.param.label); });
#else
INSTANTIATE_TEST_SUITE_P(
    PosixNames, OutputModeTest,
    ::testing::Values(ModeCase{"RefusedInFolder", "help/OUT.Zek", true, ""},
                      ModeCase{"TraceInFolder", "sub.d/OUT.Xtf", false, kTrace},
                      ModeCase{"TraceFolderIsNoExtension", "out.xtf/plain", false, kRtf},
                      ModeCase{"BackslashInName", "out.d\\OUT.Xtf", false, kTrace}),
    [](const auto& info) { return std::string(info.param.label); });
#endif

}  // namespace
}  // namespace zek
