// Titles in the look .titlemode chose, inside and outside a non-scrolling
// region, and the region commands themselves.
#include <gtest/gtest.h>

#include "commands/pass_two.h"

namespace zek {
namespace {

struct TitleCase {
  const char* name;
  std::string source;
  std::string expected;
};

class TitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleTest, WritesRtf) {
  testing::PassTwo pass;
  pass.ctx.headers.header_name = "Setup";
  EXPECT_EQ(pass.run(GetParam().source), GetParam().expected);
}

std::string case_name(const ::testing::TestParamInfo<TitleCase>& info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Looks, TitleTest,
    ::testing::Values(
        TitleCase{"Plain", ".title Intro\r\n", "{Intro{\\par }}\r\n"},
        TitleCase{"TopicTitleByDefault", ".title\r\n", "{Setup{\\par }}\r\n"},
        TitleCase{"EverySetting", ".titlemode bold italic cr 6 color 2\r\n.title Intro\r\n",
                  "{\\sb120 \\sa120\\i \\b \\cf2 Intro{\\par }\\sb0 \\sa0}\r\n"},
        TitleCase{"WordsInAnyCaseAndOrder", ".titlemode BOX nscolor 3 Italic\r\n.title Intro\r\n",
                  "{\\i \\box Intro{\\par }}\r\n"},
        TitleCase{"EmptyParagraphBefore", ".titlemode cr\r\n.title\r\n",
                  "{{\\par }Setup{\\par }}\r\n"},
        TitleCase{"CrWithoutNumberThenWord", ".titlemode cr bold\r\n.title T\r\n",
                  "{{\\par }\\b T{\\par }}\r\n"},
        TitleCase{"ColorWithoutNumber", ".titlemode color bold\r\n.title T\r\n",
                  "{\\b T{\\par }}\r\n"},
        TitleCase{"ColorZeroIsWritten", ".titlemode color 0\r\n.title T\r\n",
                  "{\\cf0 T{\\par }}\r\n"},
        TitleCase{"ResetByZero", ".titlemode bold cr 2\r\n.titlemode 0\r\n.title T\r\n",
                  "{T{\\par }}\r\n"},
        TitleCase{"SettingsDoNotAccumulate", ".titlemode bold\r\n.titlemode italic\r\n.title T\r\n",
                  "{\\i T{\\par }}\r\n"},
        TitleCase{"ZeroThenText", ".titlemode 0 x\r\n", " x{\\par }\r\n"},
        // Spacing alone needs a blank before a text that would join its number.
        TitleCase{"SpacingBeforeLetters", ".titlemode cr 6\r\n.title Intro\r\n",
                  "{\\sb120 \\sa120Intro{\\par }\\sb0 \\sa0}\r\n"},
        TitleCase{"SpacingBeforeDigits", ".titlemode cr 6\r\n.title 2000 Highlights\r\n",
                  "{\\sb120 \\sa120 2000 Highlights{\\par }\\sb0 \\sa0}\r\n"},
        TitleCase{"SpacingBeforeBlank", ".titlemode cr 6\r\n.title  Indented\r\n",
                  "{\\sb120 \\sa120  Indented{\\par }\\sb0 \\sa0}\r\n"},
        TitleCase{"SpacingBeforeStyle", ".titlemode cr 6 bold\r\n.title 2000\r\n",
                  "{\\sb120 \\sa120\\b 2000{\\par }\\sb0 \\sa0}\r\n"}),
    case_name);

INSTANTIATE_TEST_SUITE_P(
    Texts, TitleTest,
    ::testing::Values(
        TitleCase{"Escaped", ".title {a}\\b\r\n", "{\\{a\\}\\\\b{\\par }}\r\n"},
        TitleCase{"Continued", ".title Part \\\r\none\r\n", "{Part}\r\none{\\par }\r\n"},
        TitleCase{"ContinuedWithSpacing", ".titlemode cr 1\r\n.title Part \\\r\n",
                  "{\\sb20 \\sa20Part\\sb0 \\sa0}\r\n"},
        TitleCase{"ShortTextUnchanged", ".title \\\r\n", "{\\\\{\\par }}\r\n"},
        TitleCase{"TwoBytesNotCut", ".title  \\\r\n", "{ \\\\{\\par }}\r\n"},
        TitleCase{"ThreeBytesCut", ".title a \\\r\n", "{a}\r\n"},
        // A lead byte takes the blank as its second byte: no " \\" mark then.
        TitleCase{"TrailByteNoMark", ".title ab\x81 \\\r\n", "{ab\x81 \\\\{\\par }}\r\n"},
        TitleCase{"TabsKeptWithoutTabconv", ".title a\tb\r\n", "{a\\tab b{\\par }}\r\n"},
        TitleCase{"NoLinksNoDispatch", ".title Setup .bold\r\n", "{Setup .bold{\\par }}\r\n"}),
    case_name);

INSTANTIATE_TEST_SUITE_P(
    Regions, TitleTest,
    ::testing::Values(TitleCase{"OpenAndClose", ".noscroll Top\r\n.endnoscroll\r\n",
                                "{\\keepn\r\nTop{\\par }\r\n\\pard }\r\n"},
                      TitleCase{"ColourInside",
                                ".titlemode color 6 nscolor 2\r\n.noscroll .title T\r\n",
                                "{\\keepn\r\n{\\cf2 T{\\par }}\r\n"},
                      TitleCase{"ColourOutside", ".titlemode color 6 nscolor 2\r\n.title T\r\n",
                                "{\\cf6 T{\\par }}\r\n"},
                      // Inside a region only the region's colour counts.
                      TitleCase{"NoColourInside", ".titlemode color 6\r\n.noscroll\r\n.title T\r\n",
                                "{\\keepn\r\n{T{\\par }}\r\n"},
                      TitleCase{"OutsideAgain",
                                ".titlemode color 6\r\n.noscroll\r\n.endnoscroll .title T\r\n",
                                "{\\keepn\r\n\\pard }\r\n{\\cf6 T{\\par }}\r\n"}),
    case_name);

TEST(TitleTest, EmptiesButtonTarget) {
  testing::PassTwo pass;
  pass.ctx.modes.id_name = "FILE_OPEN";
  pass.ctx.modes.shortcut_mode = true;
  pass.run(".title Open\r\n");
  EXPECT_EQ(pass.ctx.modes.id_name, "");
}

struct TabCase {
  const char* name;
  std::string title;
  std::string expected;
};

class TitleTabTest : public ::testing::TestWithParam<TabCase> {};

TEST_P(TitleTabTest, ExpandsTabsOfLongerTitles) {
  testing::PassTwo pass;
  pass.ctx.modes.tab_conversion = true;
  EXPECT_EQ(pass.run(".title " + GetParam().title + "\r\n"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, TitleTabTest,
    ::testing::Values(TabCase{"Expanded", "a\tb", "{a       b{\\par }}\r\n"},
                      TabCase{"ShortKept", "a\t", "{a\\tab {\\par }}\r\n"},
                      TabCase{"ExpandedThenContinued", "a\t \\", "{a       }\r\n"}),
    [](const ::testing::TestParamInfo<TabCase>& info) { return info.param.name; });

TEST(TitleTest, LongExpandedTitleKeptWhole) {
  std::string title;
  std::string expanded;
  for (int i = 0; i < 600; ++i) {
    title += "x\t";
    expanded += "x       ";
  }
  testing::PassTwo pass;
  pass.ctx.modes.tab_conversion = true;
  EXPECT_EQ(pass.run(".title " + title + "y\r\n"), "{" + expanded + "y{\\par }}\r\n");
}

TEST(TitleTest, TextModeWritesPlainTitle) {
  testing::PassTwo pass(true);
  pass.ctx.headers.header_name = "Setup";
  EXPECT_EQ(pass.run(".titlemode bold cr 4\r\n.title\r\n.title A \\\r\n"), "Setup\r\nA\r\n");
}

}  // namespace
}  // namespace zek
