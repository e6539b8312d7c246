// The console's character set: the first of LC_ALL, LC_CTYPE and LANG that
// is set and not empty decides whether the console shows UTF-8.
#include "io/console.h"

#include <gtest/gtest.h>

namespace zek {
namespace {

struct LocaleCase {
  const char* lc_all;
  const char* lc_ctype;
  const char* lang;
  ConsoleCharset expected;
};

TEST(ConsoleLocaleTest, FirstSetVariableDecides) {
  constexpr ConsoleCharset cp932 = ConsoleCharset::cp932, utf8 = ConsoleCharset::utf8;
  const LocaleCase cases[] = {
      {nullptr, nullptr, nullptr, cp932},
      {"C", nullptr, "en_US.UTF-8", cp932},  // LC_ALL=C wins over LANG
      {"POSIX", "C.UTF-8", nullptr, cp932},
      {"C.UTF-8", nullptr, nullptr, utf8},
      {"", "", "ja_JP.UTF-8", utf8},  // empty ones are passed over
      {"", "ja_JP.SJIS", "en_US.UTF-8", cp932},
      {nullptr, "UTF-8", "C", utf8},  // a bare character set name
      {nullptr, nullptr, "de_DE.utf8@euro", utf8},
      {nullptr, nullptr, "ja_JP.eucJP", cp932},
      {nullptr, nullptr, "en_US", cp932},
      {nullptr, nullptr, "en_US.UTF-16", cp932},
      {nullptr, nullptr, "en_US.utf-8x", cp932},
  };
  for (const LocaleCase& c : cases) {
    EXPECT_EQ(console_charset(c.lc_all, c.lc_ctype, c.lang), c.expected)
        << (c.lc_all ? c.lc_all : "-") << ' ' << (c.lc_ctype ? c.lc_ctype : "-") << ' '
        << (c.lang ? c.lang : "-");
  }
}

}  // namespace
}  // namespace zek
