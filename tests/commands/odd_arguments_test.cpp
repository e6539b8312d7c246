// Every topic command with odd arguments (cut double-byte characters, a lone
// "@", braces, long runs of tabs) converts cleanly in every -I variant.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/conversion.h"

namespace zek {
namespace {

TEST(OddArgumentsTest, CommandsAcceptAnyBytes) {
  const std::vector<std::string> commands = {
      ".topic",    ".topic2",    ".popup",       ".search",       ".alias",
      ".idx",      ".id",        ".shortcutstr", ".shortcut2str", ".groupmode",
      ".shortcut", ".resetlink", ".browse",      ".print"};
  const std::vector<std::string> arguments = {"",
                                              "\x82",
                                              "@",
                                              "\t",
                                              "IDM_\x82",
                                              "a\t\x82",
                                              "\x81\t\t",
                                              "{\\}",
                                              "$@$",
                                              "IDM_:a:b",
                                              std::string(3000, '\x82'),
                                              std::string(5000, '\t')};
  std::string source;
  for (const std::string& command : commands) {
    for (const std::string& argument : arguments) source += command + " " + argument + "\r\n";
    source += "body \x82\r\n";
  }
  for (const char* option : {"-I", "-I@", "-I@@"}) {
    SCOPED_TRACE(option);
    testing::Outcome result = testing::convert(
        {.sources = {{"in.zek", ".searchmode\r\n.tabconv\r\n.insspace\r\n" + source}},
         .arguments = {option, "-M", "-V", "-W", "in.zek"}});
    EXPECT_EQ(result.status, 0) << result.err.substr(0, 200);
    EXPECT_FALSE(result.files["in.RTF"].empty());
  }
}

}  // namespace
}  // namespace zek
