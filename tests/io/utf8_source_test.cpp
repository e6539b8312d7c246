// UTF-8 sources: a file that begins with the byte order mark, or any source
// under -U, converts exactly like its code page 932 twin; what code page 932
// cannot hold is an error that stops the run before any output is written.
#include <gtest/gtest.h>

#include "support/conversion.h"

namespace zek {
namespace {

using testing::Conversion;

const std::string kBom = "\xEF\xBB\xBF";

// One source, written twice: in code page 932 and in UTF-8. It holds a topic
// name with a trail byte "{" (本), body text with trail bytes "\" (ソ, 表), a
// link to a later topic, half-width katakana and a paragraph continuation.
const std::string kCp932Source =
    ".start\r\n"
    ".topic \x93\xFA\x96{\r\n"                       // ".topic 日本"
    "\x83\\\x83t\x83g \x95\\ \xB1\xB2 \\\r\n"        // "ソフト 表 ｱｲ \"
    "\x8F\xDA\x8D\xD7\x82\xCD \x89\xF0\x90\xE0\r\n"  // "詳細は 解説"
    "\r\n"
    "\t\x81y\x81z {x}\r\n"                       // "\t【】 {x}"
    ".topic \x89\xF0\x90\xE0\r\n"                // ".topic 解説"
    "\x93\xFA\x96{\x82\xF0\x8C\xA9\x82\xE6\r\n"  // "日本を見よ"
    ".end\r\n";
const std::string kUtf8Source =
    ".start\r\n"
    ".topic \xE6\x97\xA5\xE6\x9C\xAC\r\n"
    "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88 \xE8\xA1\xA8 \xEF\xBD\xB1\xEF\xBD\xB2 \\\r\n"
    "\xE8\xA9\xB3\xE7\xB4\xB0\xE3\x81\xAF \xE8\xA7\xA3\xE8\xAA\xAC\r\n"
    "\r\n"
    "\t\xE3\x80\x90\xE3\x80\x91 {x}\r\n"
    ".topic \xE8\xA7\xA3\xE8\xAA\xAC\r\n"
    "\xE6\x97\xA5\xE6\x9C\xAC\xE3\x82\x92\xE8\xA6\x8B\xE3\x82\x88\r\n"
    ".end\r\n";

struct Variant {
  const char* what;
  std::string source;
  std::vector<std::string> options;
};

TEST(Utf8SourceTest, ConvertsLikeItsCodePage932Twin) {
  const Variant variants[] = {
      {"byte order mark", kBom + kUtf8Source, {}},
      {"-U", kUtf8Source, {"-U"}},
      {"-U and byte order mark", kBom + kUtf8Source, {"-U"}},
  };
  for (const char* output : {"out.rtf", "out.txt", "out.xtf"}) {
    const std::string expected = testing::output_of(kCp932Source, {"-R"}, output);
    ASSERT_NE(expected, "") << output;
    for (const Variant& v : variants) {
      std::vector<std::string> options = v.options;
      options.push_back("-R");
      EXPECT_EQ(testing::output_of(v.source, options, output), expected) << v.what << ' ' << output;
    }
  }
}

TEST(Utf8SourceTest, EachFileDecidesByItsOwnFirstLine) {
  // "日本" in both character sets.
  const std::string cp932_line = "\x93\xFA\x96{\r\n";
  const std::string utf8_line = "\xE6\x97\xA5\xE6\x9C\xAC\r\n";
  const std::string expected_body = "\x93\xFA\x96{{\\par }\r\n";
  struct FilesCase {
    const char* what;
    std::string main, included;
  };
  const FilesCase cases[] = {
      {"UTF-8 file includes code page 932 file", kBom + utf8_line + ".include inc.zek\r\n",
       cp932_line},
      {"code page 932 file includes UTF-8 file", cp932_line + ".include inc.zek\r\n",
       kBom + utf8_line},
  };
  for (const FilesCase& c : cases) {
    SCOPED_TRACE(c.what);
    testing::check({.sources = {{"in.zek", c.main}, {"inc.zek", c.included}},
                    .arguments = {"in.zek", "out.rtf"},
                    .files = {{"out.rtf", expected_body + expected_body}}});
  }
}

TEST(Utf8SourceTest, IncludedNameIsTheOneTheAuthorTyped) {
  // ".include 章.zek" in a UTF-8 file: the file system's name is the UTF-8 one
  // on POSIX, the code page 932 one on Windows.
#ifdef _WIN32
  const std::string host_name = "\x8F\xCD.zek";
#else
  const std::string host_name = "\xE7\xAB\xA0.zek";
#endif
  for (const bool with_option : {false, true}) {
    SCOPED_TRACE(with_option ? "-U" : "byte order mark");
    Conversion c{
        .sources = {{"in.zek", (with_option ? "" : kBom) + ".include \xE7\xAB\xA0.zek\r\n"},
                    {host_name, "x\r\n"}},
        .arguments = {"in.zek", "out.rtf"},
        .files = {{"out.rtf", "x{\\par }\r\n"}}};
    if (with_option) c.arguments.insert(c.arguments.begin(), "-U");
    testing::check(c);
  }
}

TEST(Utf8SourceTest, ByteOrderMarkCountsOnlyOnTheFirstLine) {
  // Later in a code page 932 file the same bytes are text, kept as they are.
  const std::string body = "x\xEF\xBB\xBF";
  EXPECT_EQ(testing::output_of("a\r\n" + body + "\r\n"), "a{\\par }\r\n" + body + "{\\par }\r\n");
}

// A UTF-8 source (marked by the byte order mark) whose line 2 is `line`;
// the run stops with "in.zek 2: error " and `message`.
Conversion bad_line(std::string name, const std::string& line, const std::string& message) {
  return testing::failing(std::move(name), kBom + ".start\r\n" + line + "\r\n.end\r\n",
                          "in.zek 2: error " + message + "\n");
}

class Utf8ErrorTest : public ::testing::TestWithParam<Conversion> {};

// Marked by the byte order mark, and again unmarked under -U.
TEST_P(Utf8ErrorTest, IsReportedAndStopsTheRun) {
  testing::check(GetParam());
  Conversion with_option = GetParam();
  with_option.sources["in.zek"].erase(0, kBom.size());
  with_option.arguments.insert(with_option.arguments.begin(), "-U");
  testing::check(with_option);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, Utf8ErrorTest,
    ::testing::Values(bad_line("Emoji", "a \xF0\x9F\x98\x80 b", "U+1F600 not in code page 932"),
                      bad_line("YenSignIsNoBackslash",
                               "\xC2\xA5"
                               "100",
                               "U+00A5 not in code page 932"),
                      bad_line("WaveDash", "\xE3\x80\x9C", "U+301C not in code page 932"),
                      bad_line("FirstProblemOfTheLine", ".bold \xC3\xA9\xF0\x9F\x98\x80",
                               "U+00E9 not in code page 932"),
                      bad_line("CodePage932Bytes", "\x93\xFA\x96{", "bad UTF-8 bytes 93"),
                      bad_line("CutSequence", "\xE3\x81", "bad UTF-8 bytes E3 81"),
                      bad_line("CutBeforeAscii",
                               "\xE3\x81"
                               "A",
                               "bad UTF-8 bytes E3 81"),
                      bad_line("OverlongSlash", "\xC0\xAF", "bad UTF-8 bytes C0"),
                      bad_line("OverlongThreeBytes", "\xE0\x80\xAF", "bad UTF-8 bytes E0"),
                      bad_line("Surrogate", "\xED\xA0\x80", "bad UTF-8 bytes ED"),
                      bad_line("AboveUnicode", "\xF4\x90\x80\x80", "bad UTF-8 bytes F4"),
                      bad_line("LoneContinuation", "ok \x80", "bad UTF-8 bytes 80"),
                      bad_line("NeverUsedByte", "\xFF", "bad UTF-8 bytes FF")),
    testing::row_name);

}  // namespace
}  // namespace zek
