// The topic commands. Topic and popup headers: page breaks, footnotes,
// anonymous titles, browse numbering, group buttons, trace lines and the "@"
// context strings. .search, .alias, .idx and .id: footnotes, ID-file lines in
// each -I variant, the -M keyword, trace lines and reading a written ID file
// back with -J.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/conversion.h"
#include "support/line_passes.h"

namespace zek {
namespace {

using testing::ConversionTest;
using testing::to_rtf;

constexpr const char* kPard = "\\pard \\i0 \\b0 \r\n";
constexpr const char* kPage = "{\\page }\r\n";

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

// "in.zek" converted to "in.RTF" with the options. The ID file "in.ID"
// exists whenever -I was given, even with no line in it.
testing::Conversion keyword_case(std::string name, std::vector<std::string> options,
                                 std::string source, std::string rtf, std::string id_file) {
  const bool with_id = !options.empty() && options[0].starts_with("-I");
  testing::Conversion c{.name = std::move(name),
                        .sources = {{"in.zek", std::move(source)}},
                        .arguments = std::move(options),
                        .files = {{"in.RTF", std::move(rtf)}}};
  c.arguments.push_back("in.zek");
  if (with_id) c.files["in.ID"] = std::move(id_file);
  return c;
}

const std::string kOpenTopic = std::string(kPard) + "${\\footnote $Open}\r\n#{\\footnote #XX0}\r\n";

INSTANTIATE_TEST_SUITE_P(
    IdCommand, ConversionTest,
    ::testing::Values(
        keyword_case("WorkedExample", {"-I@", "-M"}, ".id IDM_FILE_OPEN\r\n",
                     std::string(kPard) +
                         "#{\\footnote #IDM_FILE_OPEN}\r\nK{\\footnote K@FILE_OPEN}\r\n",
                     "@FILE_OPEN:IDM_FILE_OPEN\r\n"),
        keyword_case("PlainIdFile", {"-I"}, ".id IDM_FILE_OPEN\r\n",
                     std::string(kPard) + "#{\\footnote #IDM_FILE_OPEN}\r\n",
                     "FILE_OPEN:IDM_FILE_OPEN\r\n"),
        keyword_case("AtAtIdFile", {"-I@@"}, ".topic Open\r\n.id IDM_FILE_OPEN\r\n",
                     kOpenTopic + "#{\\footnote #IDM_FILE_OPEN}\r\n",
                     "@FILE_OPEN:IDM_FILE_OPEN\r\n"),
        keyword_case("NotAMenuName", {"-I@", "-M"}, ".id HELP_INDEX\r\n",
                     std::string(kPard) + "#{\\footnote #HELP_INDEX}\r\n", ""),
        keyword_case("PrefixIsCaseSensitive", {"-I@", "-M"}, ".id idm_x\r\n",
                     std::string(kPard) + "#{\\footnote #idm_x}\r\n", ""),
        keyword_case("PrefixAlone", {"-I@", "-M"}, ".id IDM_\r\n",
                     std::string(kPard) + "#{\\footnote #IDM_}\r\nK{\\footnote K@}\r\n",
                     "@:IDM_\r\n"),
        keyword_case("KeywordWithoutIdFile", {"-M"}, ".id IDM_A$B\r\n",
                     std::string(kPard) + "#{\\footnote #IDM_AzB}\r\nK{\\footnote K@A$B}\r\n", ""),
        keyword_case("BracesInKeywordAreEscaped", {"-M"}, ".id IDM_A}B\r\n",
                     std::string(kPard) + "#{\\footnote #IDM_A\\}B}\r\nK{\\footnote K@A\\}B}\r\n",
                     ""),
        keyword_case("EmptyIdWritesEmptyContextString", {"-I@"}, ".id\r\n",
                     std::string(kPard) + "#{\\footnote #}\r\n", ""),
        keyword_case("LongMenuNameKeptWhole", {"-I"}, ".id IDM_" + std::string(200, 'N') + "\r\n",
                     std::string(kPard) + "#{\\footnote #IDM_" + std::string(200, 'N') + "}\r\n",
                     std::string(200, 'N') + ":IDM_" + std::string(200, 'N') + "\r\n"),
        keyword_case("IdAfterHeaderNeedsNoReset", {"-I"}, ".topic Open\r\n.id IDM_X\r\n",
                     kOpenTopic + "#{\\footnote #IDM_X}\r\n", "X:IDM_X\r\n")),
    testing::row_name);

INSTANTIATE_TEST_SUITE_P(
    KeywordCommands, ConversionTest,
    ::testing::Values(
        keyword_case("SearchWithoutArgumentUsesTitle", {}, ".topic Start\r\n.search\r\n",
                     std::string(kPard) + "${\\footnote $Start}\r\n#{\\footnote #XX0}\r\n" +
                         "K{\\footnote KStart}\r\n",
                     ""),
        keyword_case("SearchTextIsNotSplit", {}, ".search a;b {c}\r\n",
                     std::string(kPard) + "K{\\footnote Ka;b \\{c\\}}\r\n", ""),
        keyword_case("SearchWithNothingToSearchFor", {}, ".search\r\n",
                     std::string(kPard) + "K{\\footnote K}\r\n", ""),
        keyword_case("IdxSanitizesWithoutReset", {}, ".idx a@b$c\r\n", "#{\\footnote #aqbzc}\r\n",
                     ""),
        keyword_case("EmptyIdxWritesEmptyContextString", {}, ".idx\r\n", "#{\\footnote #}\r\n", ""),
        keyword_case("Alias", {}, ".topic Open\r\n.alias Other\r\n",
                     kOpenTopic + "#{\\footnote #XX1}\r\n", ""),
        keyword_case("AliasKeywordInSearchMode", {}, ".searchmode\r\n.popup P\r\n.alias Q\r\n",
                     std::string(kPard) + "${\\footnote $P}\r\n#{\\footnote #XX0}\r\n" +
                         "K{\\footnote KP}\r\n#{\\footnote #XX1}\r\nK{\\footnote KQ}\r\n",
                     ""),
        keyword_case("AliasOfEarlierName", {}, ".topic Open\r\n.alias Open\r\n",
                     kOpenTopic + "#{\\footnote #XX0}\r\n", ""),
        keyword_case("EmptyAliasHasNoNumber", {}, ".topic Open\r\n.alias\r\n",
                     kOpenTopic + "#{\\footnote #XX4294967295}\r\n", ""),
        keyword_case("AtAliasUnderAtAt", {"-I@@"}, ".topic Open\r\n.alias @Start\r\n",
                     kOpenTopic + "#{\\footnote #XX1}\r\n#{\\footnote #qStart}\r\n",
                     "@Start:qStart\r\n"),
        keyword_case("AtAliasUnderAt", {"-I@"}, ".topic Open\r\n.alias @Start\r\n",
                     kOpenTopic + "#{\\footnote #XX1}\r\n", "")),
    testing::row_name);

TEST(KeywordCommandTest, VerboseTracesInBothPasses) {
  const testing::Outcome result = testing::convert(
      {.sources = {{"in.zek",
                    ".searchmode\r\n.popup P\r\n.alias Q\r\n.search k\r\n.idx x\r\n.id IDM_A\r\n"}},
       .arguments = {"-V", "-M", "in.zek"}});
  const std::string once =
      "\x81\xA1popup\t[P]\x81\xA1\nlink\tXX0\nsearch\t[P]\n"
      "alias\t[Q]XX1\nsearch\t[Q]\n"
      "search\t[k]\n"
      "linkx\t[x]\n"
      "link\t[IDM_A]\nsearch\t[@A]\n";
  EXPECT_EQ(result.out, once + once);
}

// An alias takes the kind and window of the entry before it and its owner is
// the header it follows.
TEST(KeywordCommandTest, AliasTakesKindTargetAndOwner) {
  testing::LinePasses runner;
  runner.pass_one(".popup P\r\n.alias A1\r\n.alias A2\r\n.topic2 W\twin\r\n.alias B\r\n");
  const NameTable& names = runner.ctx.names;
  ASSERT_EQ(names.size(), 5u);
  EXPECT_EQ(names[1].kind, NameKind::popup);
  EXPECT_EQ(names[1].owner, 1);
  EXPECT_EQ(names[2].kind, NameKind::popup);
  EXPECT_EQ(names[2].owner, 1);
  EXPECT_EQ(names[4].kind, NameKind::topic2);
  EXPECT_EQ(names[4].target, std::optional<std::string>("win"));
  EXPECT_EQ(names[4].owner, 4);
}

TEST(KeywordCommandTest, IdSetsIdNameInBothPassesAndHeadersEmptyIt) {
  testing::LinePasses runner;
  runner.pass_one(".id IDM_FILE_OPEN\r\n");
  EXPECT_EQ(runner.ctx.modes.id_name, "FILE_OPEN");
  runner.pass_one(".id HELP_INDEX\r\n");
  EXPECT_EQ(runner.ctx.modes.id_name, "FILE_OPEN");
  runner.pass_one(".topic T\r\n");
  EXPECT_EQ(runner.ctx.modes.id_name, "");
  runner.pass_two(".id IDM_" + std::string(300, 'x') + "\r\n");
  EXPECT_EQ(runner.ctx.modes.id_name, std::string(300, 'x'));
}

// An ID file written by one project links its names into another.
TEST(KeywordCommandTest, IdFileIsReadBackByAnotherProject) {
  for (const char* option : {"-I", "-I@", "-I@@"}) {
    SCOPED_TRACE(option);
    testing::MemoryEnvironment env;
    const testing::Conversion first{
        .sources = {{"a.zek", ".topic @Intro\r\n.id IDM_FILE_OPEN\r\n.alias @More\r\n"}},
        .arguments = {option, "a.zek"}};
    ASSERT_EQ(testing::convert(first, env).status, 0);
    const testing::Outcome result =
        testing::convert({.sources = {{"b.zek", ".topic Local\r\n"}},
                          .arguments = {"-Ja.ID", "-Fa.hlp", "-R", "b.zek"}},
                         env);
    EXPECT_EQ(result.status, 0);
    const bool at_names = std::string(option) != "-I";
    EXPECT_NE(result.out.find(at_names ? ":[@FILE_OPEN]" : ":[FILE_OPEN]"), std::string::npos)
        << result.out;
    const bool at_at = std::string(option) == "-I@@";
    EXPECT_EQ(result.out.find(":[@Intro]") != std::string::npos, at_at) << result.out;
    EXPECT_EQ(result.out.find(":[@More]") != std::string::npos, at_at) << result.out;
  }
}

}  // namespace
}  // namespace zek
