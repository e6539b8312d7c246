// Page names from context strings: letter case folded, other bytes escaped,
// reserved device names prefixed, and no two context strings on one page.
#include "publish/page_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/cat.h"

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

// A table keyed by lookup keys is searched with the context string as
// written: hashing and comparing it must agree with its lookup key, over
// every pair of these spellings.
TEST(PageNamesTest, ContextKeysHashAndCompareAsTheirLookupKeys) {
  const std::vector<std::string> spellings = {"xx1",
                                              "XX1",
                                              "Xx1",
                                              "xx2",
                                              "",
                                              "\x82\x61",
                                              "\x82\x41",
                                              "\x82\x61z",
                                              "\x82\x61Z",
                                              "a\x82",
                                              "A\x82",
                                              "\xb1"
                                              "a",
                                              "\xb1"
                                              "A",
                                              "ab\x82\x61"
                                              "c",
                                              "AB\x82\x61"
                                              "C",
                                              "AB\x82\x41"
                                              "C"};
  const ContextKeyHash hash;
  const ContextKeyEqual equal;
  for (const std::string& a : spellings) {
    EXPECT_EQ(hash(a), hash(lookup_key(a))) << a;
    for (const std::string& b : spellings) {
      EXPECT_EQ(equal(a, b), lookup_key(a) == lookup_key(b)) << a << " " << b;
    }
  }
}

// A CSS dashed ident takes letters, digits, "_", "-" and escapes; anything
// else in an anchor name breaks the style rule that names it.
bool is_css_dashed_ident(const std::string& name) {
  if (name.size() < 3 || name.compare(0, 2, "--") != 0) return false;
  for (size_t i = 2; i < name.size(); ++i) {
    const char c = name[i];
    if (c == '\\') {
      if (i + 1 == name.size() || name[i + 1] != '~') return false;
      ++i;
      continue;
    }
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '_' || c == '-';
    if (!plain) return false;
  }
  return true;
}

TEST(PageNamesTest, CssAnchorNamesAreDashedIdentsAndApart) {
  std::vector<std::string> contexts;
  for (int b = 0; b < 256; ++b) contexts.emplace_back(1, static_cast<char>(b));
  for (const char* more : {"XX0", "xx0", "a~b", "~~1", "\x82\xA0\x82\xA2", "\x83\x5C", "\x83\x7B{}",
                           "CON", "con", "a b", "a\tb", "--x", "\\~", "A.B", "a.b"}) {
    contexts.emplace_back(more);
  }
  contexts.emplace_back(300, 'Q');
  contexts.push_back(std::string(299, 'Q') + "~");
  std::set<std::string> keys;
  std::set<std::string> names;
  for (const std::string& context : contexts) {
    const std::string name = css_anchor_name("A", page_name(context));
    EXPECT_TRUE(is_css_dashed_ident(name)) << name;
    const bool new_key = keys.insert(lookup_key(context)).second;
    const bool new_name = names.insert(name).second;
    EXPECT_EQ(new_key, new_name) << context;
  }
  // The anonymous pages' names too, and kinds keep names apart.
  EXPECT_TRUE(is_css_dashed_ident(css_anchor_name("A", anonymous_page_name(7))));
  EXPECT_NE(css_anchor_name("A", page_name("B")), css_anchor_name("AB", page_name("")));
}

// Numbers in the order context strings are first met, whatever the letter
// case of a later spelling; a double-byte character's trail byte is no letter
// to fold. Many names make the table grow and place every name again.
TEST(PageNamesTest, ContextNumbersByFirstUse) {
  ContextNumbers numbers;
  std::vector<std::string> names;
  const std::pair<std::string, uint32_t> uses[] = {
      {"Setup", 0},    {"SETUP", 0},    {"other", 1}, {"setup", 0}, {"\x82\x61", 2},
      {"\x82\x41", 3}, {"\x82\x61", 2}, {"", 4},      {"Other", 1}, {"x\x82\x61", 5},
  };
  for (const auto& [context, number] : uses) {
    EXPECT_EQ(numbers.number(context, names), number) << context;
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"Setup", "other", "\x82\x61", "\x82\x41", "", "x\x82\x61"}));
  for (uint32_t i = 0; i < 20000; ++i) {
    EXPECT_EQ(numbers.number(cat("T", i), names), i + 6);
  }
  for (uint32_t i = 0; i < 20000; i += 7) {
    ASSERT_EQ(numbers.number(cat("t", i), names), i + 6);
  }
  EXPECT_EQ(numbers.number("SETUP", names), 0u);
  EXPECT_EQ(names.size(), 20006u);
}

}  // namespace
}  // namespace zek
