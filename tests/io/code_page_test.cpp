// Code page 932 and UTF-8 through the platform converter: the characters the
// help format meets, and the ones that must not be given a look-alike.
#include "io/code_page.h"

#include <gtest/gtest.h>

namespace zek {
namespace {

struct PairCase {
  const char* what;
  std::string cp932;
  std::string utf8;
};

// Characters that are the same in both directions.
const PairCase kPairs[] = {
    {"ASCII with backslash and tilde", "a\\b~c{}", "a\\b~c{}"},
    {"kana and kanji", "\x82\xA0\x93\xFA\x96{", "\xE3\x81\x82\xE6\x97\xA5\xE6\x9C\xAC"},
    {"trail bytes like backslash", "\x83\\\x95\\", "\xE3\x82\xBD\xE8\xA1\xA8"},
    {"half-width katakana", "\xB1\xDF", "\xEF\xBD\xB1\xEF\xBE\x9F"},
    {"full-width tilde", "\x81`", "\xEF\xBD\x9E"},
    {"NEC row 13 circled one", "\x87@", "\xE2\x91\xA0"},
    {"empty", "", ""},
};

TEST(CodePageTest, ConvertsBothWays) {
  CodePageConverter converter;
  for (const PairCase& c : kPairs) {
    EXPECT_EQ(converter.to_utf8(c.cp932), c.utf8) << c.what;
    EXPECT_EQ(converter.to_cp932(c.utf8), c.cp932) << c.what;
  }
}

TEST(CodePageTest, BytesThatAreNoCharacterAreCopied) {
  CodePageConverter converter;
  // A lead byte before a byte that cannot follow it, and one at the very end.
  EXPECT_EQ(converter.to_utf8("\x81 \x82\xA0\x83"), "\x81 \xE3\x81\x82\x83");
}

TEST(CodePageTest, NoLookAlikeSubstitutes) {
  CodePageConverter converter;
  const char* const refused[] = {
      "\xC2\xA5",          // yen sign, which would become "\"
      "\xE2\x80\xBE",      // overline, which would become "~"
      "\xE3\x80\x9C",      // wave dash, shown like the full-width tilde
      "\xE2\x88\x92",      // minus sign, shown like the full-width hyphen-minus
      "\xF0\x9F\x98\x80",  // an emoji
      "\xC3\xA9",          // e with acute accent
  };
  for (const char* utf8 : refused) {
    EXPECT_FALSE(converter.to_cp932(utf8).has_value()) << utf8;
    EXPECT_FALSE(converter.to_cp932(std::string("ok ") + utf8 + " ok").has_value()) << utf8;
  }
}

}  // namespace
}  // namespace zek
