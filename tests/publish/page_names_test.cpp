// Page names from context strings: letter case folded, other bytes escaped,
// reserved device names prefixed, and no two context strings on one page.
#include "publish/page_names.h"

#include <gtest/gtest.h>

#include <set>

namespace zek {
namespace {

TEST(PageNamesTest, Names) {
  const std::pair<std::string, std::string> cases[] = {
      {"XX12", "xx12"},
      {"idx_Main-2", "idx_main-2"},
      {"a.b", "a~2eb"},
      {"a b/c\\d", "a~20b~2fc~5cd"},
      {"\"<x>&", "~22~3cx~3e~26"},
      // Both bytes of a double-byte character are escaped, even a trail byte
      // that is a letter ("\x82\x61" is not "\x82\x41").
      {"\x82\x61", "~82~61"},
      {"\x82\x41", "~82~41"},
      {"CON", "~con"},
      {"nul", "~nul"},
      {"Com1", "~com1"},
      {"lpt9", "~lpt9"},
      {"con1", "con1"},
      {"CONx", "conx"},
      {"", ""},
  };
  for (const auto& [context, name] : cases) EXPECT_EQ(page_name(context), name) << context;
}

TEST(PageNamesTest, DistinctContextStringsGetDistinctNames) {
  std::set<std::string> keys;
  std::set<std::string> names;
  const std::string alphabet[] = {"a", "A", "~", "2", "e", ".", "\x82", "\x61", "con", "_", " "};
  // Every string of up to three pieces of the alphabet.
  std::vector<std::string> contexts = {""};
  for (int round = 0; round < 3; ++round) {
    const std::vector<std::string> shorter = contexts;
    for (const std::string& base : shorter) {
      for (const std::string& piece : alphabet) contexts.push_back(base + piece);
    }
  }
  for (const std::string& context : contexts) {
    const bool new_key = keys.insert(lookup_key(context)).second;
    const bool new_name = names.insert(page_name(context)).second;
    EXPECT_EQ(new_key, new_name) << context;
  }
}

TEST(PageNamesTest, LongNamesStayShortAndApart) {
  const std::string a(300, 'a');
  const std::string b = std::string(299, 'a') + "b";
  EXPECT_LE(page_name(a).size(), 200u);
  EXPECT_NE(page_name(a), page_name(b));
  EXPECT_EQ(page_name(a), page_name(std::string(300, 'A')));
}

TEST(PageNamesTest, SiblingNames) {
  EXPECT_EQ(sibling_name("Other.HLP"), "other");
  EXPECT_EQ(sibling_name("c:\\help\\far.hlp"), "far");
  EXPECT_EQ(sibling_name("../x/y.hlp"), "y");
  EXPECT_EQ(sibling_name("http://evil/x"), "x");
}

TEST(PageNamesTest, LookupKeysFoldOnlyAtCharacterBoundaries) {
  EXPECT_EQ(lookup_key("xx1"), "XX1");
  EXPECT_EQ(lookup_key("\x82\x61z"), "\x82\x61Z");
}

}  // namespace
}  // namespace zek
