// Context strings: the characters the help compiler accepts, the case-blind
// key, and its hash.
#include "names/context_strings.h"

#include <gtest/gtest.h>

namespace zek {
namespace {

TEST(ContextStringsTest, AcceptedCharacters) {
  const std::pair<const char*, bool> cases[] = {
      {"IDM_FILE_OPEN", true}, {"v1.2", true},   {"XX12", true}, {"", false},
      {"two words", false},    {"a-b", false},   {"q@x", false}, {"tab\t", false},
      {"\x82\xA0", false},     {"semi;", false}, {"{x}", false},
  };
  for (const auto& [text, accepted] : cases) {
    EXPECT_EQ(has_only_context_string_chars(text), accepted) << text;
  }
  EXPECT_EQ(context_key("Intro_page.2"), "INTRO_PAGE.2");
}

TEST(ContextStringsTest, SmallStringsFollowTheCharacterCodes) {
  EXPECT_EQ(help_context_hash(""), 0u);
  EXPECT_EQ(help_context_hash("1"), 1u);
  EXPECT_EQ(help_context_hash("0"), 10u);
  EXPECT_EQ(help_context_hash("."), 12u);
  EXPECT_EQ(help_context_hash("_"), 13u);
  EXPECT_EQ(help_context_hash("A"), 17u);
  EXPECT_EQ(help_context_hash("z"), 42u);
  EXPECT_EQ(help_context_hash("XX1"), (40u * 43u + 40u) * 43u + 1u);
}

TEST(ContextStringsTest, LettersIgnoreCase) {
  EXPECT_EQ(help_context_hash("Intro_Page.1"), help_context_hash("INTRO_page.1"));
}

TEST(ContextStringsTest, DifferentStringsThatClash) {
  // Pairs whose hashes meet after the 32-bit wrap-around.
  const std::pair<const char*, const char*> clashes[] = {
      {"RAX8JQO8", "6F259FT3"}, {"WBINIRLW", "JDCPYEYR"}, {"2HP69PQ7", "LNG2A8QJ"}};
  for (const auto& [a, b] : clashes) {
    EXPECT_EQ(help_context_hash(a), help_context_hash(b)) << a << " " << b;
  }
  EXPECT_NE(help_context_hash("RAX8JQO8"), help_context_hash("RAX8JQO9"));
}

}  // namespace
}  // namespace zek
