// The output and ID file names derived by the host's file-name rules: on
// Windows drive letters, "\" and "/" separate directories and a "\" that is
// the trail byte of a Shift-JIS character does not; elsewhere only "/" does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/conversion.h"

namespace zek {
namespace {

using testing::ConversionTest;
const char kSource[] = ".start\r\n.end\r\n";

// Runs with -I so that both derived names appear as created files; the
// source is the last argument.
testing::Conversion names_case(std::string name, const std::vector<std::string>& arguments,
                               const std::string& output_name, const std::string& id_name) {
  testing::Conversion c{.name = std::move(name),
                        .sources = {{arguments.back(), kSource}},
                        .arguments = {"-I"},
                        .files = {{output_name, "{\\rtf1 \\ansi\r\n}\r\n"}, {id_name, ""}}};
  c.arguments.insert(c.arguments.end(), arguments.begin(), arguments.end());
  return c;
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    WindowsOutputNames, ConversionTest,
    ::testing::Values(
        names_case("DriveAndDirectory", {"C:\\help\\intro.zek"}, "C:\\help\\intro.RTF",
                   "C:\\help\\intro.ID"),
        names_case("DriveRelative", {"C:intro"}, "C:intro.RTF", "C:intro.ID"),
        names_case("DotInDirectory", {"C:\\help.d\\intro"}, "C:\\help.d\\intro.RTF",
                   "C:\\help.d\\intro.ID"),
        names_case("SlashSeparator", {"/", "help.d/intro"}, "help.d/intro.RTF", "help.d/intro.ID"),
        names_case("MixedSeparators", {"/", "C:/a.d\\b.d/intro.zek"}, "C:/a.d\\b.d/intro.RTF",
                   "C:/a.d\\b.d/intro.ID"),
        names_case("ServerShare", {"\\\\server\\share.d\\intro.zek"},
                   "\\\\server\\share.d\\intro.RTF", "\\\\server\\share.d\\intro.ID"),
        // 表 is 0x95 0x5C and ソ is 0x83 0x5C: their trail bytes are no separators.
        names_case("TrailByteInExtension", {"doc.\x95\x5C"}, "doc.RTF", "doc.ID"),
        names_case("TrailBytesInExtension", {"ver.\x83\x5C\x83\x5C"}, "ver.RTF", "ver.ID"),
        names_case("TrailByteInDirectory", {"\x95\x5C.d\\intro"}, "\x95\x5C.d\\intro.RTF",
                   "\x95\x5C.d\\intro.ID"),
        names_case("TrailByteAtEnd", {"a.b\\\x95\x5C"}, "a.b\\\x95\x5C.RTF", "a.b\\\x95\x5C.ID")),
    testing::row_name);
#else
INSTANTIATE_TEST_SUITE_P(
    PosixOutputNames, ConversionTest,
    ::testing::Values(
        names_case("Directory", {"/", "help/intro.zek"}, "help/intro.RTF", "help/intro.ID"),
        names_case("DotInDirectory", {"/", "help.d/intro"}, "help.d/intro.RTF", "help.d/intro.ID"),
        // "\" and ":" are ordinary name characters here.
        names_case("BackslashIsNameCharacter", {"help.d\\intro"}, "help.RTF", "help.ID"),
        names_case("ColonIsNameCharacter", {"C:intro.zek"}, "C:intro.RTF", "C:intro.ID"),
        names_case("ShiftJisExtension", {"doc.\x95\x5C"}, "doc.RTF", "doc.ID")),
    testing::row_name);
#endif

struct ModeCase {
  const char* name;
  std::string output_name;
  bool refused;
  std::string output_begins;  // first bytes of the output file
};

class OutputModeTest : public ::testing::TestWithParam<ModeCase> {};

// The extension of the final name component, in any letter case, selects the
// mode; ".ZEK" is refused before any file is created.
TEST_P(OutputModeTest, ExtensionOfFinalComponentSelectsMode) {
  const ModeCase& c = GetParam();
  testing::Outcome result = testing::convert(
      {.sources = {{"in.zek", kSource}}, .arguments = {"/", "in.zek", c.output_name}});
  testing::Files& files = result.files;
  if (c.refused) {
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(files.size(), 1u);
    return;
  }
  EXPECT_EQ(result.status, 0) << result.err;
  ASSERT_EQ(files.count(c.output_name), 1u);
  EXPECT_EQ(files[c.output_name].substr(0, c.output_begins.size()), c.output_begins);
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
    testing::row_name);
#else
INSTANTIATE_TEST_SUITE_P(
    PosixNames, OutputModeTest,
    ::testing::Values(ModeCase{"RefusedInFolder", "help/OUT.Zek", true, ""},
                      ModeCase{"TraceInFolder", "sub.d/OUT.Xtf", false, kTrace},
                      ModeCase{"TraceFolderIsNoExtension", "out.xtf/plain", false, kRtf},
                      ModeCase{"BackslashInName", "out.d\\OUT.Xtf", false, kTrace}),
    testing::row_name);
#endif

}  // namespace
}  // namespace zek
