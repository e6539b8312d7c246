// Topic and popup headers: page breaks, footnotes, anonymous titles, browse
// numbering, group buttons, trace lines and the "@" context strings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/conversion.h"

namespace zek {
namespace {

using testing::ConversionTest;
constexpr const char* kPard = "\\pard \\i0 \\b0 \r\n";
constexpr const char* kPage = "{\\page }\r\n";

using testing::to_rtf;

std::string footnote(const std::string& mark, const std::string& text) {
  return mark + "{\\footnote " + mark + text + "}\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Headers, ConversionTest,
    ::testing::Values(
        to_rtf("FirstHeaderHasNoPageBreak", ".topic Setup\r\n.topic Install\r\n",
               std::string(kPard) + footnote("$", "Setup") + footnote("#", "XX0") + kPage +
                   footnote("$", "Install") + footnote("#", "XX1")),
        to_rtf("PageBreakAfterBodyGetsParagraphReset", ".popup A\r\nx\r\n.popup B\r\n",
               std::string(kPard) + footnote("$", "A") + footnote("#", "XX0") + "x{\\par }\r\n" +
                   kPage + kPard + footnote("$", "B") + footnote("#", "XX1")),
        to_rtf("AllModesOnTopic",
               ".searchmode\r\n.groupmode\r\n.browse main\r\n.topic Intro\tctx_main\r\n",
               std::string(kPard) + footnote("$", "Intro") + "+{\\footnote main:001}\r\n" +
                   footnote("#", "XX0") + footnote("K", "Intro") +
                   "!{\\footnote !EB(\"group\")}\r\n"
                   "!{\\footnote !CBB(\"group\",\"JI(`',`ctx_main')\")}\r\n"),
        to_rtf("PopupGetsNoBrowseNorGroup",
               ".searchmode\r\n.groupmode\r\n.browse main\r\n.popup Note\r\n",
               std::string(kPard) + footnote("$", "Note") + footnote("#", "XX0") +
                   footnote("K", "Note")),
        to_rtf("Topic2IsWrittenLikeAPopup",
               ".searchmode\r\n.groupmode\r\n.browse b\r\n.topic2 Help\tsub\r\n",
               std::string(kPard) + footnote("$", "Help") + footnote("#", "XX0") +
                   footnote("K", "Help")),
        to_rtf("GroupTargetAfterTabsAndBlanks", ".groupmode\r\n.topic T\t \t x y\r\n",
               std::string(kPard) + footnote("$", "T") + footnote("#", "XX0") +
                   "!{\\footnote !EB(\"group\")}\r\n"
                   "!{\\footnote !CBB(\"group\",\"JI(`',`x y')\")}\r\n"),
        to_rtf("EmptyGroupTarget", ".groupmode\r\n.topic T\t\r\n",
               std::string(kPard) + footnote("$", "T") + footnote("#", "XX0") +
                   "!{\\footnote !EB(\"group\")}\r\n"
                   "!{\\footnote !CBB(\"group\",\"JI(`',`')\")}\r\n"),
        to_rtf("NoGroupTarget", ".groupmode\r\n.topic T\r\n",
               std::string(kPard) + footnote("$", "T") + footnote("#", "XX0") +
                   "!{\\footnote !DB(\"group\")}\r\n"),
        to_rtf("PopupTitleKeepsItsTab", ".popup A\tB\r\n.popup A\r\n",
               std::string(kPard) + footnote("$", "A\\tab B") + footnote("#", "XX0") + kPage +
                   footnote("$", "A") + footnote("#", "XX1")),
        to_rtf("TitleKeepsItsBlanks", ".topic  A \r\n.topic A\r\n",
               std::string(kPard) + footnote("$", " A ") + footnote("#", "XX0") + kPage +
                   footnote("$", "A") + footnote("#", "XX1")),
        to_rtf("AnonymousTitles", ".searchmode\r\n.topic\r\n.popup\r\n.topic2\r\n",
               std::string(kPard) + footnote("$", "YY0") + kPage + footnote("$", "YY1") + kPage +
                   footnote("$", "YY2")),
        to_rtf("SameTitleTwiceSharesFirstNumber", ".topic A\r\n.topic B\r\n.topic A\r\n",
               std::string(kPard) + footnote("$", "A") + footnote("#", "XX0") + kPage +
                   footnote("$", "B") + footnote("#", "XX1") + kPage + footnote("$", "A") +
                   footnote("#", "XX0")),
        to_rtf("TitleIsEscaped", ".topic a{b}\\c\r\n",
               std::string(kPard) + footnote("$", "a\\{b\\}\\\\c") + footnote("#", "XX0")),
        to_rtf("RestOfLineIsConsumed", ".topic A .bold x\r\n",
               std::string(kPard) + footnote("$", "A .bold x") + footnote("#", "XX0")),
        to_rtf("EndClosesPageSoNextHeaderHasNoBreak", ".topic A\r\n.end\r\n.topic B\r\n",
               std::string(kPard) + footnote("$", "A") + footnote("#", "XX0") + kPage + "}\r\n" +
                   footnote("$", "B") + footnote("#", "XX1"))),
    testing::row_name);

TEST(HeaderTest, BrowseNumbersCountTopicsAndRestartAtBrowse) {
  const std::string out = testing::output_of(
      ".browse seq\r\n.topic A\r\n.popup P\r\n.topic\r\n.browse other\r\n.topic B\r\n");
  EXPECT_NE(out.find("+{\\footnote seq:001}\r\n#{\\footnote #XX0}"), std::string::npos) << out;
  EXPECT_NE(out.find("$YY0}\r\n+{\\footnote seq:002}"), std::string::npos) << out;
  EXPECT_NE(out.find("+{\\footnote other:001}"), std::string::npos) << out;
  EXPECT_EQ(out.find("seq:003"), std::string::npos) << out;
}

TEST(HeaderTest, BrowseNumbersAbove999KeepAllDigits) {
  std::string source = ".browse s\r\n";
  for (int i = 0; i < 1000; ++i) source += ".topic\r\n";
  const std::string out = testing::output_of(source);
  EXPECT_NE(out.find("+{\\footnote s:999}"), std::string::npos);
  EXPECT_NE(out.find("+{\\footnote s:1000}"), std::string::npos);
}

TEST(HeaderTest, EmptyBrowseNameEndsNumbering) {
  const std::string out = testing::output_of(".browse s\r\n.browse\r\n.topic A\r\n");
  EXPECT_EQ(out.find("+{"), std::string::npos) << out;
}

TEST(HeaderTest, LongTitleIsKeptWhole) {
  const std::string title(300, 'x');
  const std::string out = testing::output_of(".topic " + title + "\r\n.topic " + title + "\r\n");
  EXPECT_NE(out.find("${\\footnote $" + title + "}\r\n#{\\footnote #XX0}\r\n{\\page }\r\n${"),
            std::string::npos);
  // The second header finds the first one's full name.
  EXPECT_EQ(out.find("XX1"), std::string::npos);
}

TEST(HeaderTest, TextModeWritesOnlyThePageSeparator) {
  std::string separator;
  for (int i = 0; i < 39; ++i) separator += "\x84\xAA";
  EXPECT_EQ(testing::output_of(".searchmode\r\n.topic A\r\n.topic B\r\n", {}, "out.txt"),
            separator + "\r\n");
}

TEST(HeaderTest, VerboseTracesEveryHeaderInBothPasses) {
  const testing::Outcome result = testing::convert(
      {.sources = {{"in.zek", ".searchmode\r\n.topic A\r\n.topic2 B\tw\r\n.popup\r\n"}},
       .arguments = {"-V", "in.zek"}});
  const std::string once =
      "\x81\xA1topic\t[A]\x81\xA1\nlink\tXX0\nsearch\t[A]\n"
      "\x81\xA1popup\t[B]\x81\xA1\nlink\tXX1\nsearch\t[B]\n"
      "\x81\xA1popup\t[YY0]\x81\xA1\n";
  EXPECT_EQ(result.out, once + once);
  EXPECT_EQ(result.status, 0);
}

TEST(HeaderTest, AtTitleGetsSecondContextStringUnderIdAtAt) {
  struct {
    const char* option;
    const char* id_file;
    bool extra_footnote;
  } const cases[] = {{"-I@@", "@Intro:qIntro\r\n", true}, {"-I@", "", false}, {"-I", "", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    const std::string topic = std::string(kPard) + "${\\footnote $@Intro}\r\n" +
                              "#{\\footnote #XX0}\r\n" +
                              (c.extra_footnote ? "#{\\footnote #qIntro}\r\n" : "");
    // A popup never gets the second context string.
    testing::check(
        {.sources = {{"in.zek", ".topic @Intro\r\n.popup @Note\r\n"}},
         .arguments = {c.option, "in.zek"},
         .files = {{"in.RTF", topic + kPage + "${\\footnote $@Note}\r\n#{\\footnote #XX1}\r\n"},
                   {"in.ID", c.id_file}}});
  }
}

}  // namespace
}  // namespace zek
