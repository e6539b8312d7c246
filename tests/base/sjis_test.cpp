// Shift-JIS character boundaries: lead bytes, the character search, trail
// bytes and context-string sanitizing.
#include "base/sjis.h"

#include <gtest/gtest.h>

namespace zek {
namespace {

TEST(SjisTest, LeadBytesAreExactlyTheCodePage932Ranges) {
  for (int b = 0; b < 256; ++b) {
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(is_lead_byte(static_cast<unsigned char>(b)), lead) << b;
  }
}

struct SearchCase {
  std::string text;
  char c;
  size_t expected;
};

TEST(SjisTest, SearchStepsOverDoubleByteCharacters) {
  const SearchCase cases[] = {
      {"\x83}}", '}', 2},
      {"a}", '}', 1},
      {"\x81@@", '@', 2},
      {"\x81@", '@', std::string::npos},
      {"abc", '\0', std::string::npos},
      {"\x82", '\x82', 0},
      {"x\x82", 'y', std::string::npos},
      {"\xB1\\", '\\', 1},
  };
  for (const SearchCase& c : cases) EXPECT_EQ(mbs_strchr(c.text, c.c), c.expected) << c.text;
}

TEST(SjisTest, SanitizeOnlyAtCharacterBoundaries) {
  EXPECT_EQ(sanitize_context_string("@a$b"), "qazb");
  EXPECT_EQ(sanitize_context_string("\x81@@"), "\x81@q");
  EXPECT_EQ(sanitize_context_string("\x82$$"), "\x82$z");
  EXPECT_EQ(sanitize_context_string("x\x82"), "x\x82");
  EXPECT_EQ(sanitize_context_string(""), "");
}

// is_trail_byte looks backwards; it must agree with a walk from the start
// on every position of many mixed byte strings.
TEST(SjisTest, TrailByteTestAgreesWithForwardWalk) {
  const char alphabet[] = {'a', '@', '\\', '\x81', '\x9F', '\xA0', '\xDF', '\xE0', '\xFC', '\x80'};
  uint32_t seed = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const size_t length = round % 12;
    for (size_t i = 0; i < length; ++i) {
      seed = seed * 1103515245u + 12345u;
      text.push_back(alphabet[(seed >> 16) % sizeof alphabet]);
    }
    const TrailMap map(text);
    for (size_t i = 0; i <= text.size(); ++i) {
      EXPECT_EQ(is_trail_byte(text, i), map.is_trail(i)) << "position " << i;
    }
  }
}

}  // namespace
}  // namespace zek
