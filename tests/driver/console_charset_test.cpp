// Whole runs on a UTF-8 console: the program's own texts and source text
// reach the console in UTF-8, file names as they were given; on a code page
// 932 console every byte is as before.
#include <gtest/gtest.h>

#include "support/conversion.h"

namespace zek {
namespace {

using testing::MemoryEnvironment;
using testing::RunResult;

// The usage screen in UTF-8.
const std::string kUsageUtf8 =
    // "ZEK -> RTF ファイル コンバータ Version 1.0 zek2rtf 1.0\n"
    "ZEK -> RTF \xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB "
    "\xE3\x82\xB3\xE3\x83\xB3\xE3\x83\x90\xE3\x83\xBC\xE3\x82\xBF Version 1.0 zek2rtf 1.0\n"
    // "使い方:zek2rtf  zekファイル名  出力ファイル名\n"
    "\xE4\xBD\xBF\xE3\x81\x84\xE6\x96\xB9:zek2rtf  zek\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4"
    "\xE3\x83\xAB\xE5\x90\x8D  \xE5\x87\xBA\xE5\x8A\x9B\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4"
    "\xE3\x83\xAB\xE5\x90\x8D\n"
    // "オプション:\n"
    "\xE3\x82\xAA\xE3\x83\x97\xE3\x82\xB7\xE3\x83\xA7\xE3\x83\xB3:\n"
    // "\t-I\t\tＩＤ作成 IDM_xxxxx\n"
    "\t-I\t\t\xEF\xBC\xA9\xEF\xBC\xA4\xE4\xBD\x9C\xE6\x88\x90 IDM_xxxxx\n"
    // "\t-I@\t\tＩＤ作成 IDM_xxxxx を @xxxxx\n"
    "\t-I@\t\t\xEF\xBC\xA9\xEF\xBC\xA4\xE4\xBD\x9C\xE6\x88\x90 IDM_xxxxx \xE3\x82\x92 @xxxxx\n"
    // "\t-Jidfile\tＩＤ ファイル名\n"
    "\t-Jidfile\t\xEF\xBC\xA9\xEF\xBC\xA4 \xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB"
    "\xE5\x90\x8D\n"
    // "\t-Fhlpfile\t.hlp ファイル名\n"
    "\t-Fhlpfile\t.hlp \xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE5\x90\x8D\n"
    // "\t-R\t\t参照回数表示\n"
    "\t-R\t\t\xE5\x8F\x82\xE7\x85\xA7\xE5\x9B\x9E\xE6\x95\xB0\xE8\xA1\xA8\xE7\xA4\xBA\n"
    // "\t-D\t\t#xxx を無視\n"
    "\t-D\t\t#xxx \xE3\x82\x92\xE7\x84\xA1\xE8\xA6\x96\n"
    // "\t-M\t\t.id IDM_xxx を @xxx で検索\n"
    "\t-M\t\t.id IDM_xxx \xE3\x82\x92 @xxx \xE3\x81\xA7\xE6\xA4\x9C\xE7\xB4\xA2\n"
    // "\t-W\t\tHelpWorkShop 用\n"
    "\t-W\t\tHelpWorkShop \xE7\x94\xA8\n"
    // "\t-K\t\ttxt出力時にリンクは【 】《  》でくくる\n"
    "\t-K\t\ttxt\xE5\x87\xBA\xE5\x8A\x9B\xE6\x99\x82\xE3\x81\xAB\xE3\x83\xAA\xE3\x83\xB3"
    "\xE3\x82\xAF\xE3\x81\xAF\xE3\x80\x90 \xE3\x80\x91\xE3\x80\x8A  \xE3\x80\x8B\xE3\x81\xA7"
    "\xE3\x81\x8F\xE3\x81\x8F\xE3\x82\x8B\n"
    // "\t-X\t\t漢字を16進で出力\n"
    "\t-X\t\t\xE6\xBC\xA2\xE5\xAD\x97\xE3\x82\x92"
    "16\xE9\x80\xB2\xE3\x81\xA7\xE5\x87\xBA\xE5\x8A\x9B\n"
    "\t-3\t\t32bit mode\n";

TEST(ConsoleCharsetTest, UsageScreenIsReadableOnUtf8Console) {
  MemoryEnvironment env;
  const RunResult result = testing::run(env, {}, ConsoleCharset::utf8);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, kUsageUtf8);
  EXPECT_EQ(result.out, "");
}

// A file name in code page 932 bytes: "表.zek", whose second byte is "\".
const std::string kKanjiName = "\x95\\.zek";

struct ConsoleCase {
  const char* name;
  std::string source;
  std::vector<std::string> arguments;  // the source is "in.zek"
  std::string cp932_out, cp932_err;    // what a code page 932 console gets
  std::string utf8_out, utf8_err;      // what a UTF-8 console gets
};

// Keeps test names short in listings.
void PrintTo(const ConsoleCase& c, std::ostream* os) {
  *os << c.name;
}

class ConsoleCaseTest : public ::testing::TestWithParam<ConsoleCase> {};

TEST_P(ConsoleCaseTest, EachConsoleGetsItsBytes) {
  const ConsoleCase& c = GetParam();
  for (const ConsoleCharset charset : {ConsoleCharset::cp932, ConsoleCharset::utf8}) {
    const bool utf8 = charset == ConsoleCharset::utf8;
    MemoryEnvironment env;
    env.files["in.zek"] = c.source;
    env.files[kKanjiName] = c.source;
    const RunResult result = testing::run(env, c.arguments, charset);
    EXPECT_EQ(result.out, utf8 ? c.utf8_out : c.cp932_out) << (utf8 ? "UTF-8" : "CP932");
    EXPECT_EQ(result.err, utf8 ? c.utf8_err : c.cp932_err) << (utf8 ? "UTF-8" : "CP932");
  }
}

// "ソ" (0x83 0x5C) and "表" (0x95 0x5C): trail bytes that look like "\".
const std::string kSoCp932 = "\x83\\";
const std::string kSoUtf8 = "\xE3\x82\xBD";

INSTANTIATE_TEST_SUITE_P(
    Texts, ConsoleCaseTest,
    ::testing::Values(
        ConsoleCase{"ErrorQuotesSourceText",
                    ".bad " + kSoCp932 + "\r\n",
                    {"in.zek"},
                    "",
                    "in.zek 1: error bad . command  .bad " + kSoCp932 + "\n",
                    "",
                    "in.zek 1: error bad . command  .bad " + kSoUtf8 + "\n"},
        ConsoleCase{"ErrorKeepsFileNameBytes",
                    ".bad\r\n",
                    {kKanjiName},
                    "",
                    kKanjiName + " 1: error bad . command  .bad\n",
                    "",
                    kKanjiName + " 1: error bad . command  .bad\n"},
        ConsoleCase{"CannotOpenKeepsName",
                    "",
                    {"\x83\\missing.zek"},
                    "",
                    "cannot open \x83\\missing.zek\n",
                    "",
                    "cannot open \x83\\missing.zek\n"},
        ConsoleCase{"RefusedNameKeepsName",
                    "",
                    {"in.zek", kKanjiName},
                    "",
                    // "ファイルネームが誤っています "
                    "\x83t\x83@\x83"
                    "C\x83\x8B\x83l\x81[\x83\x80\x82\xAA\x8C\xEB\x82\xC1\x82\xC4\x82\xA2\x82\xDC"
                    "\x82\xB7 " +
                        kKanjiName + " \n",
                    "",
                    "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x83\x8D\xE3\x83\xBC"
                    "\xE3\x83\xA0\xE3\x81\x8C\xE8\xAA\xA4\xE3\x81\xA3\xE3\x81\xA6\xE3\x81\x84"
                    "\xE3\x81\xBE\xE3\x81\x99 " +
                        kKanjiName + " \n"},
        ConsoleCase{"PrintAndReport",
                    ".topic " + kSoCp932 + "\r\n.print " + kSoCp932 + "!\r\n",
                    {"-R", "in.zek", "out.rtf"},
                    // "popup or topic : 参照回数 : 名前\n"
                    "popup or topic : \x8EQ\x8F\xC6\x89\xF1\x90\x94 : \x96\xBC\x91O\ntopic: 0:[" +
                        kSoCp932 + "]\n",
                    kSoCp932 + "!\n",
                    "popup or topic : \xE5\x8F\x82\xE7\x85\xA7\xE5\x9B\x9E\xE6\x95\xB0 : "
                    "\xE5\x90\x8D\xE5\x89\x8D\ntopic: 0:[" +
                        kSoUtf8 + "]\n",
                    kSoUtf8 + "!\n"},
        ConsoleCase{"BytesThatAreNoCharacterStayAsTheyAre",
                    ".print \x81 ok \x83\r\n",
                    {"in.zek", "out.rtf"},
                    "",
                    "\x81 ok \x83\n",
                    "",
                    "\x81 ok \x83\n"}),
    testing::row_name);

}  // namespace
}  // namespace zek
