// .search, .alias, .idx and .id: footnotes, ID-file lines in each -I variant,
// the -M keyword, trace lines and reading a written ID file back with -J.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/conversion.h"
#include "support/line_passes.h"

namespace zek {
namespace {

using testing::ConversionTest;
constexpr const char* kPard = "\\pard \\i0 \\b0 \r\n";

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
