// Shortcut buttons in both forms, both targets and text mode.
#include "commands/buttons.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_environment.h"
#include "support/row_name.h"

namespace zek {
namespace {

struct ButtonCase {
  const char* name;
  bool second;  // put_shortcut2_button
  bool workshop;
  bool text_mode;
  std::string target;
  std::optional<std::string> label;
  std::string expected;
};

class ButtonTest : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonTest, WritesButton) {
  const ButtonCase& c = GetParam();
  testing::StringStream stream;
  Context ctx;
  ctx.writer.out.attach(&stream);
  ctx.options.workshop = c.workshop;
  ctx.options.text_mode = ctx.writer.text_mode = c.text_mode;
  if (c.second) {
    put_shortcut2_button(ctx, c.target, c.label);
  } else {
    put_shortcut_button(ctx, c.target, c.label);
  }
  ctx.writer.out.flush();
  EXPECT_EQ(stream.bytes, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ButtonTest,
    ::testing::Values(
        ButtonCase{"HotSpot", false, false, false, "FILE_OPEN", "Open",
                   "  {\\uldb Open}{\\v !HelpProc(\"FILE_OPEN\")}"},
        ButtonCase{"SecondHotSpot", true, false, false, "FILE_OPEN", "Open",
                   "  {\\uldb Open}{\\v !HelpProc(\"#FILE_OPEN\")}"},
        ButtonCase{"Workshop", false, true, false, "FILE_OPEN", "Open",
                   "  \\{button Open,HelpProc(\"FILE_OPEN\")\\}"},
        ButtonCase{"SecondWorkshop", true, true, false, "FILE_OPEN", "Open",
                   "  \\{button Open,HelpProc(\"#FILE_OPEN\")\\}"},
        ButtonCase{"TextMode", false, false, true, "FILE_OPEN", "Open", "  <Open> "},
        ButtonCase{"SecondTextMode", true, true, true, "FILE_OPEN", "Open", "  <Open> "},
        ButtonCase{"NoTarget", false, false, false, "", "Open", ""},
        ButtonCase{"NoTargetWorkshop", true, true, false, "", "Open", ""},
        ButtonCase{"NoTargetTextMode", false, false, true, "", "Open", ""},
        ButtonCase{"LabelNeverSet", false, false, false, "X", std::nullopt,
                   "  {\\uldb }{\\v !HelpProc(\"X\")}"},
        ButtonCase{"LabelNeverSetWorkshop", true, true, false, "X", std::nullopt,
                   "  \\{button ,HelpProc(\"#X\")\\}"},
        ButtonCase{"LabelNeverSetTextMode", false, false, true, "X", std::nullopt, "  <> "},
        ButtonCase{"LabelWrittenUnescaped", false, false, false, "X", "{\\b Open}",
                   "  {\\uldb {\\b Open}}{\\v !HelpProc(\"X\")}"},
        ButtonCase{"LongTarget", false, false, false, std::string(200, 't'), "L",
                   "  {\\uldb L}{\\v !HelpProc(\"" + std::string(200, 't') + "\")}"}),
    testing::row_name);

}  // namespace
}  // namespace zek
