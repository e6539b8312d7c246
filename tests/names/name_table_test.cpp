// The name table: numbering, lookups, aliases, link marks, growth, and the
// reading of another project's ID file.
#include "names/name_table.h"

#include <gtest/gtest.h>

#include "base/cat.h"
#include "io/console.h"
#include "support/memory_environment.h"

namespace zek {
namespace {

TEST(NameTableTest, NumbersAreIndicesAndEmptyNamesAreDropped) {
  NameTable names;
  names.add_topic("Setup");
  names.add_popup("");
  names.add_popup("Note");
  names.add_topic2("Wide", std::string_view("win"));
  names.add_topic2("Plain", std::string_view(""));
  names.add_topic("Setup");
  ASSERT_EQ(names.size(), 5u);
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i].number, static_cast<int32_t>(i));
  EXPECT_EQ(names.find("Setup"), 0);  // the first of two equal names
  EXPECT_EQ(names.find("setup"), -1);
  EXPECT_EQ(names.find("Note"), 1);
  EXPECT_EQ(names[1].kind, NameKind::popup);
  EXPECT_EQ(names[2].target, "win");
  EXPECT_FALSE(names[3].target.has_value());
}

TEST(NameTableTest, AliasesTakeKindAndWindowOfTheEntryBefore) {
  NameTable names;
  names.add_alias("Lonely", 0);  // nothing before it: a plain topic name
  names.add_topic2("Wide", std::string_view("win"));
  names.add_alias("Broad", 1);
  names.add_popup("Note");
  names.add_alias("Remark", 3);
  names.add_alias("Aside", 3);
  names.add_alias("", 3);
  ASSERT_EQ(names.size(), 6u);
  EXPECT_EQ(names[0].kind, NameKind::topic);
  EXPECT_EQ(names[0].owner, 1);
  EXPECT_EQ(names[2].kind, NameKind::topic2);
  EXPECT_EQ(names[2].target, "win");
  EXPECT_EQ(names[2].owner, 2);
  EXPECT_EQ(names[5].kind, NameKind::popup);
  EXPECT_EQ(names[5].owner, 4);
}

TEST(NameTableTest, GrowsPastTwoThousandNames) {
  NameTable names;
  for (int i = 0; i < 2500; ++i) names.add_topic(cat("n", i));
  EXPECT_EQ(names.size(), 2500u);
  EXPECT_EQ(names.find("n2000"), 2000);
  EXPECT_EQ(names.find("n2499"), 2499);
}

TEST(NameTableTest, LinkMarksAreClearedTogether) {
  NameTable names;
  for (const char* name : {"a", "b", "c"}) names.add_topic(name);
  names.mark_linked(0);
  names.mark_linked(2);
  names.mark_linked(2);
  EXPECT_TRUE(names.linked(0) && names.linked(2) && !names.linked(1));
  names.clear_link_marks();
  EXPECT_FALSE(names.linked(0) || names.linked(1) || names.linked(2));
}

struct IdLineCase {
  const char* name;
  std::string file;
  std::vector<std::pair<std::string, std::string>> entries;  // name, target
};

void PrintTo(const IdLineCase& c, std::ostream* os) {
  *os << c.name;
}

class IdFileTest : public ::testing::TestWithParam<IdLineCase> {};

TEST_P(IdFileTest, ReadsNameColonTarget) {
  testing::MemoryEnvironment env;
  env.files["ids"] = GetParam().file;
  Console console;
  Diagnostics diag(console);
  NameTable names;
  names.add_topic("Own");
  read_id_file(env, diag, names, "ids");
  ASSERT_EQ(names.size(), GetParam().entries.size() + 1);
  for (size_t i = 0; i < GetParam().entries.size(); ++i) {
    const NameEntry& entry = names[i + 1];
    EXPECT_EQ(entry.name, GetParam().entries[i].first);
    EXPECT_EQ(entry.target, GetParam().entries[i].second);
    EXPECT_EQ(entry.kind, NameKind::external);
    EXPECT_EQ(entry.number, static_cast<int32_t>(i + 1));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, IdFileTest,
    ::testing::Values(
        IdLineCase{"CrLf", "FILE_OPEN:IDM_FILE_OPEN\r\n", {{"FILE_OPEN", "IDM_FILE_OPEN"}}},
        IdLineCase{"Lf", "FILE_OPEN:IDM_FILE_OPEN\n", {{"FILE_OPEN", "IDM_FILE_OPEN"}}},
        IdLineCase{"LastLineWithoutLf", "a:b", {{"a", "b"}}},
        IdLineCase{"FurtherColons", "a:b:c\n", {{"a", "b:c"}}},
        IdLineCase{"NoColon", "abc\n\n\r\nx:y\n", {{"x", "y"}}},
        IdLineCase{"EmptyParts", ":x\ny:\n", {{"", "x"}, {"y", ""}}},
        IdLineCase{"CrNotBeforeLf", "a\r:b\rc\n", {{"a\r", "b\rc"}}},
        IdLineCase{"LongLineStaysWhole",
                   std::string(60, 'n') + ":" + std::string(60, 't') + "\n",
                   {{std::string(60, 'n'), std::string(60, 't')}}},
        IdLineCase{"NulEndsTheLine", std::string("a:b\0c:d\ne:f\n", 12), {{"a", "b"}, {"e", "f"}}},
        IdLineCase{"DoubleByteNames", "\x83t\x83@:ctx\n", {{"\x83t\x83@", "ctx"}}}));

}  // namespace
}  // namespace zek
