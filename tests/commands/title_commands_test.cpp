// Titles in the look .titlemode chose, inside and outside a non-scrolling
// region, the region commands themselves, and the shortcut buttons in both
// forms, both targets and text mode.
#include "commands/title_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "support/conversion.h"
#include "support/line_passes.h"
#include "support/memory_environment.h"
#include "support/row_name.h"

namespace zek {
namespace {

using testing::LinePasses;
using testing::row_name;
using testing::to_rtf;

// Rows: the lines run as pass 2 inside the topic "Setup", and what they write.
class TitleTest : public ::testing::TestWithParam<testing::Conversion> {};

TEST_P(TitleTest, WritesRtf) {
  LinePasses pass(LinePasses::Start::pass_two);
  pass.ctx.headers.header_name = "Setup";
  pass.check_pass_two(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Looks, TitleTest,
    ::testing::Values(
        to_rtf("Plain", ".title Intro\r\n", "{Intro{\\par }}\r\n"),
        to_rtf("TopicTitleByDefault", ".title\r\n", "{Setup{\\par }}\r\n"),
        to_rtf("EverySetting", ".titlemode bold italic cr 6 color 2\r\n.title Intro\r\n",
               "{\\sb120 \\sa120\\i \\b \\cf2 Intro{\\par }\\sb0 \\sa0}\r\n"),
        to_rtf("WordsInAnyCaseAndOrder", ".titlemode BOX nscolor 3 Italic\r\n.title Intro\r\n",
               "{\\i \\box Intro{\\par }}\r\n"),
        to_rtf("EmptyParagraphBefore", ".titlemode cr\r\n.title\r\n",
               "{{\\par }Setup{\\par }}\r\n"),
        to_rtf("CrWithoutNumberThenWord", ".titlemode cr bold\r\n.title T\r\n",
               "{{\\par }\\b T{\\par }}\r\n"),
        to_rtf("ColorWithoutNumber", ".titlemode color bold\r\n.title T\r\n",
               "{\\b T{\\par }}\r\n"),
        to_rtf("ColorZeroIsWritten", ".titlemode color 0\r\n.title T\r\n", "{\\cf0 T{\\par }}\r\n"),
        to_rtf("ResetByZero", ".titlemode bold cr 2\r\n.titlemode 0\r\n.title T\r\n",
               "{T{\\par }}\r\n"),
        to_rtf("SettingsDoNotAccumulate", ".titlemode bold\r\n.titlemode italic\r\n.title T\r\n",
               "{\\i T{\\par }}\r\n"),
        to_rtf("ZeroThenText", ".titlemode 0 x\r\n", " x{\\par }\r\n"),
        // Spacing alone needs a blank before a text that would join its number.
        to_rtf("SpacingBeforeLetters", ".titlemode cr 6\r\n.title Intro\r\n",
               "{\\sb120 \\sa120Intro{\\par }\\sb0 \\sa0}\r\n"),
        to_rtf("SpacingBeforeDigits", ".titlemode cr 6\r\n.title 2000 Highlights\r\n",
               "{\\sb120 \\sa120 2000 Highlights{\\par }\\sb0 \\sa0}\r\n"),
        to_rtf("SpacingBeforeBlank", ".titlemode cr 6\r\n.title  Indented\r\n",
               "{\\sb120 \\sa120  Indented{\\par }\\sb0 \\sa0}\r\n"),
        to_rtf("SpacingBeforeStyle", ".titlemode cr 6 bold\r\n.title 2000\r\n",
               "{\\sb120 \\sa120\\b 2000{\\par }\\sb0 \\sa0}\r\n")),
    row_name);

INSTANTIATE_TEST_SUITE_P(
    Texts, TitleTest,
    ::testing::Values(
        to_rtf("Escaped", ".title {a}\\b\r\n", "{\\{a\\}\\\\b{\\par }}\r\n"),
        to_rtf("Continued", ".title Part \\\r\none\r\n", "{Part}\r\none{\\par }\r\n"),
        to_rtf("ContinuedWithSpacing", ".titlemode cr 1\r\n.title Part \\\r\n",
               "{\\sb20 \\sa20Part\\sb0 \\sa0}\r\n"),
        to_rtf("ShortTextUnchanged", ".title \\\r\n", "{\\\\{\\par }}\r\n"),
        to_rtf("TwoBytesNotCut", ".title  \\\r\n", "{ \\\\{\\par }}\r\n"),
        to_rtf("ThreeBytesCut", ".title a \\\r\n", "{a}\r\n"),
        // A lead byte takes the blank as its second byte: no " \\" mark then.
        to_rtf("TrailByteNoMark", ".title ab\x81 \\\r\n", "{ab\x81 \\\\{\\par }}\r\n"),
        to_rtf("TabsKeptWithoutTabconv", ".title a\tb\r\n", "{a\\tab b{\\par }}\r\n"),
        to_rtf("NoLinksNoDispatch", ".title Setup .bold\r\n", "{Setup .bold{\\par }}\r\n")),
    row_name);

INSTANTIATE_TEST_SUITE_P(
    Regions, TitleTest,
    ::testing::Values(to_rtf("OpenAndClose", ".noscroll Top\r\n.endnoscroll\r\n",
                             "{\\keepn\r\nTop{\\par }\r\n\\pard }\r\n"),
                      to_rtf("ColourInside",
                             ".titlemode color 6 nscolor 2\r\n.noscroll .title T\r\n",
                             "{\\keepn\r\n{\\cf2 T{\\par }}\r\n"),
                      to_rtf("ColourOutside", ".titlemode color 6 nscolor 2\r\n.title T\r\n",
                             "{\\cf6 T{\\par }}\r\n"),
                      // Inside a region only the region's colour counts.
                      to_rtf("NoColourInside", ".titlemode color 6\r\n.noscroll\r\n.title T\r\n",
                             "{\\keepn\r\n{T{\\par }}\r\n"),
                      to_rtf("OutsideAgain",
                             ".titlemode color 6\r\n.noscroll\r\n.endnoscroll .title T\r\n",
                             "{\\keepn\r\n\\pard }\r\n{\\cf6 T{\\par }}\r\n")),
    row_name);

TEST(TitleTest, EmptiesButtonTarget) {
  LinePasses pass(LinePasses::Start::pass_two);
  pass.ctx.modes.id_name = "FILE_OPEN";
  pass.ctx.modes.shortcut_mode = true;
  pass.pass_two(".title Open\r\n");
  EXPECT_EQ(pass.ctx.modes.id_name, "");
}

// Rows: the lines run as pass 2 with .tabconv on.
class TitleTabTest : public ::testing::TestWithParam<testing::Conversion> {};

TEST_P(TitleTabTest, ExpandsTabsOfLongerTitles) {
  LinePasses pass(LinePasses::Start::pass_two);
  pass.ctx.modes.tab_conversion = true;
  pass.check_pass_two(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, TitleTabTest,
    ::testing::Values(to_rtf("Expanded", ".title a\tb\r\n", "{a       b{\\par }}\r\n"),
                      to_rtf("ShortKept", ".title a\t\r\n", "{a\\tab {\\par }}\r\n"),
                      to_rtf("ExpandedThenContinued", ".title a\t \\\r\n", "{a       }\r\n")),
    row_name);

TEST(TitleTest, LongExpandedTitleKeptWhole) {
  std::string title;
  std::string expanded;
  for (int i = 0; i < 600; ++i) {
    title += "x\t";
    expanded += "x       ";
  }
  LinePasses pass(LinePasses::Start::pass_two);
  pass.ctx.modes.tab_conversion = true;
  EXPECT_EQ(pass.pass_two(".title " + title + "y\r\n"), "{" + expanded + "y{\\par }}\r\n");
}

TEST(TitleTest, TextModeWritesPlainTitle) {
  LinePasses pass(LinePasses::Start::pass_two, LinePasses::Output::text);
  pass.ctx.headers.header_name = "Setup";
  EXPECT_EQ(pass.pass_two(".titlemode bold cr 4\r\n.title\r\n.title A \\\r\n"), "Setup\r\nA\r\n");
}

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
