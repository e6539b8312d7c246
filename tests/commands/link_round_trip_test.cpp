// The ID-file round trip: one project writes its ID file with -I@@, another
// reads it with -J and -F and links the first project's names into that
// project's help file.
#include <gtest/gtest.h>

#include "support/conversion.h"

namespace zek {
namespace {

TEST(LinkRoundTripTest, NamesOfOneProjectLinkFromAnother) {
  testing::MemoryEnvironment env;
  const testing::Outcome first = testing::convert(
      {.sources = {{"a.zek",
                    ".start\r\n.topic @Open\r\nOpening files.\r\n.id IDM_FILE_SAVE\r\n"
                    "Saving.\r\n.alias @Close\r\n.end\r\n"}},
       .arguments = {"-I@@", "a.zek", "a.rtf"}},
      env);
  ASSERT_EQ(first.status, 0);
  EXPECT_EQ(env.files["a.ID"], "@Open:qOpen\r\n@FILE_SAVE:IDM_FILE_SAVE\r\n@Close:qClose\r\n");

  const testing::Outcome result = testing::convert(
      {.sources = {{"b.zek",
                    ".start\r\n.topic Start\r\nSee @Open, @FILE_SAVE and @Close.\r\n.end\r\n"}},
       .arguments = {"b.zek", "b.rtf", "-Ja.ID", "-Fa.hlp", "-R"}},
      env);
  ASSERT_EQ(result.status, 0);
  EXPECT_NE(env.files["b.rtf"].find("See {\\uldb @Open}{\\v !JI(\"a.hlp\",\"qOpen\")}, "
                                    "{\\uldb @FILE_SAVE}{\\v !JI(\"a.hlp\",\"IDM_FILE_SAVE\")} and "
                                    "{\\uldb @Close}{\\v !JI(\"a.hlp\",\"qClose\")}.{\\par }\r\n"),
            std::string::npos)
      << env.files["b.rtf"];
  // The report counts one claim for each name read from the ID file.
  EXPECT_NE(result.out.find(":[@FILE_SAVE]"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("topic: 1:[@Close]"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace zek
