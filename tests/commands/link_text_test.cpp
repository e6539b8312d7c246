// Hot spots written into body lines: which occurrences link, the four
// hot-spot forms, link marks, claims and their counts.
#include "commands/link_text.h"

#include <gtest/gtest.h>

#include "support/link_fixture.h"
#include "support/row_name.h"

namespace zek {
namespace {

using testing::LinkFixture;
using testing::NameRow;
constexpr NameKind kPopup = NameKind::popup;
constexpr NameKind kTopic = NameKind::topic;
constexpr NameKind kTopic2 = NameKind::topic2;
constexpr NameKind kExternal = NameKind::external;

struct LinkCase {
  const char* name;
  std::vector<NameRow> names;
  std::vector<std::string> lines;  // written in turn, "\n" between them
  std::string expected;
  std::vector<uint32_t> ref_counts;  // of every entry, in order
  std::string header_name = "";
  std::optional<NameKind> header_kind = NameKind::topic;
  std::vector<std::string> options = {};
  bool text_mode = false;
};

class LinkTextTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(LinkTextTest, WritesHotSpots) {
  const LinkCase& c = GetParam();
  LinkFixture fixture(c.options, c.text_mode);
  for (const NameRow& row : c.names) fixture.add(row);
  fixture.ctx.headers.header_name = c.header_name;
  prepare_links(fixture.ctx);
  for (size_t i = 0; i < c.lines.size(); ++i) {
    if (i > 0) fixture.ctx.writer.debug("\n");
    std::string line = c.lines[i];
    link_text_line(fixture.ctx, line, c.header_kind);
  }
  EXPECT_EQ(fixture.output(), c.expected);
  std::vector<uint32_t> counts;
  for (const NameEntry& entry : fixture.ctx.names.entries()) counts.push_back(entry.ref_count);
  EXPECT_EQ(counts, c.ref_counts);
}

NameRow topic(std::string name) {
  return {kTopic, std::move(name)};
}
NameRow popup(std::string name) {
  return {kPopup, std::move(name)};
}
NameRow alias(std::string name, int32_t header_index) {
  return {kTopic, std::move(name), std::nullopt, true, header_index};
}

const std::string kLongName(300, 'x');
const std::string kLongLine = std::string(1500, '.') + "File " + kLongName + ".";

INSTANTIATE_TEST_SUITE_P(
    Lines, LinkTextTest,
    ::testing::Values(
        LinkCase{"NoNames", {}, {"plain {text}"}, "plain \\{text\\}", {}},
        LinkCase{"RightEdge",
                 {topic("a"), topic("b"), topic("c"), topic("File")},
                 {"Files and File."},
                 "Files and {\\strike File}{\\v XX3}.",
                 {0, 0, 0, 1}},
        LinkCase{"LeftEdge", {topic("File")}, {"MyFile"}, "MyFile", {0}},
        LinkCase{"LastByteNoNameChar", {topic("C++")}, {"C++x"}, "{\\strike C++}{\\v XX0}x", {1}},
        LinkCase{"UnderscoreIsNoNameChar",
                 {topic("File")},
                 {"File_x"},
                 "{\\strike File}{\\v XX0}_x",
                 {1}},
        LinkCase{"DollarWithOption",
                 {topic("File")},
                 {"File$"},
                 "File$",
                 {0},
                 "",
                 NameKind::topic,
                 {"$"}},
        LinkCase{"JapaneseInRunningText",
                 {topic("\x83t\x83@\x83"
                        "C\x83\x8B")},  // ファイル
                 {"\x82\xB1\x82\xCC\x83t\x83@\x83"
                  "C\x83\x8B\x82\xF0"},
                 "\x82\xB1\x82\xCC{\\strike \x83t\x83@\x83"
                 "C\x83\x8B}{\\v XX0}\x82\xF0",
                 {1}},
        LinkCase{"AsciiAfterLetterTrail",
                 {topic("Help")},
                 {"\x82\x61Help"},
                 "\x82\x61{\\strike Help}{\\v XX0}",
                 {1}},
        LinkCase{"NotInsideDoubleByte",
                 {topic("a")},
                 {"\x82\x61 a"},
                 "\x82\x61 {\\strike a}{\\v XX0}",
                 {1}},
        LinkCase{"TrailBackslashIsNoName",
                 {topic("\\")},
                 {"\x95\\ \\"},
                 "\x95\\ {\\strike \\\\}{\\v XX0}",
                 {1}},
        LinkCase{"LongerNameWins",
                 {topic("x"), topic("Help"), topic("Help Index")},
                 {"Help Index"},
                 "{\\strike Help Index}{\\v XX2}",
                 {0, 1, 1}},
        LinkCase{"LongerFirstShorterRecordsNothing",
                 {topic("x"), topic("Help Index"), topic("Help")},
                 {"Help Index, Help"},
                 "{\\strike Help Index}{\\v XX1}, Help",
                 {0, 1, 0}},
        LinkCase{"OnceUntilMarksCleared",
                 {topic("Set")},
                 {"Set Set", "Set"},
                 "{\\strike Set}{\\v XX0} Set\nSet",
                 {1}},
        LinkCase{"OverlapPassedOver",
                 {topic("File Manager"), topic("Manager Menu")},
                 {"File Manager Menu", "Manager Menu"},
                 "{\\strike File Manager}{\\v XX0} Menu\n{\\strike Manager Menu}{\\v XX1}",
                 {1, 2}},
        LinkCase{"OwnTitleNotLinked",
                 {topic("Setup"), topic("Install")},
                 {"Read Install first. Setup"},
                 "Read {\\strike Install}{\\v XX1} first. Setup",
                 {0, 1},
                 "Setup"},
        LinkCase{"AliasOfCurrentTopicNotLinked",
                 {topic("Setup"), alias("Config", 0), topic("Other"), alias("Opts", 2)},
                 {"Config Opts Other"},
                 "Config {\\strike Opts}{\\v XX3} {\\strike Other}{\\v XX2}",
                 {0, 0, 1, 1},
                 "Setup"},
        LinkCase{"AliasLinkedOutsideItsTopic",
                 {topic("Setup"), alias("Config", 0)},
                 {"Config"},
                 "{\\strike Config}{\\v XX1}",
                 {0, 1}},
        LinkCase{"JumpFromTopic2Topic",
                 {topic("Setup"), {kTopic2, "Tips", "note"}},
                 {"Setup Tips"},
                 "{\\strike Setup}{\\v XX0>main} {\\strike Tips}{\\v XX1>note}",
                 {1, 1},
                 "",
                 NameKind::topic2},
        LinkCase{
            "Topic2WithoutWindow", {{kTopic2, "Tips"}}, {"Tips"}, "{\\strike Tips}{\\v XX0}", {1}},
        LinkCase{"AliasOfTopic2TakesWindow",
                 {{kTopic2, "Tips", "note"}, alias("Hints", 0)},
                 {"Hints"},
                 "{\\strike Hints}{\\v XX1>note}",
                 {0, 1}},
        LinkCase{"Popup", {popup("Note")}, {"A Note."}, "A {\\ul Note}{\\v XX0}.", {1}},
        LinkCase{"External",
                 {{kExternal, "Open", "IDM_OPEN"}},
                 {"Open it"},
                 "{\\uldb Open}{\\v !JI(\"other.hlp\",\"IDM_OPEN\")} it",
                 {1},
                 "",
                 NameKind::topic,
                 {"Fother.hlp"}},
        LinkCase{"EmptyExternalNameNeverLinks",
                 {{kExternal, "", "x"}, topic("a")},
                 {"a"},
                 "{\\strike a}{\\v XX1}",
                 {0, 1}},
        LinkCase{"RepeatedNameLinksFirstEntryOnly",
                 {topic("Setup"), popup("Setup"), {kExternal, "Setup", "S"}},
                 {"Setup", "Setup"},
                 "{\\strike Setup}{\\v XX0}\nSetup",
                 {1, 0, 0}},
        LinkCase{"TextModeBrackets",
                 {popup("Note"), topic("Setup")},
                 {"Note, Setup"},
                 "\x81\x73Note\x81\x74, \x81\x79Setup\x81\x7A",
                 {1, 1},
                 "",
                 NameKind::topic,
                 {"K"},
                 true},
        LinkCase{"TextModeBare",
                 {popup("Note"), topic("Setup")},
                 {"Note, Setup"},
                 "Note, Setup",
                 {1, 1},
                 "",
                 NameKind::topic,
                 {},
                 true},
        LinkCase{"RawRegionSplit",
                 {topic("Setup")},
                 {"\x13{\\b Setup} {x}\x11{y} Setup"},
                 // The hot spot ends the raw region: the rest is escaped again.
                 "{\\b {\\strike Setup}{\\v XX0}\\} \\{x\\}\\{y\\} Setup",
                 {1}},
        LinkCase{"RawRegionClosedInsideName",
                 {topic("a\x11"
                        "b"),
                  topic("c")},
                 {"\x13{a\x11"
                  "b}c{"},
                 "{{\\strike ab}{\\v XX0}\\}{\\strike c}{\\v XX1}\\{",
                 {1, 1}},
        LinkCase{"ControlWordInRawRegion",
                 {topic("par")},
                 {"\x13\\par\x11"},
                 "\\{\\strike par}{\\v XX0}",
                 {1}},
        LinkCase{"LongNameInLongLine",
                 {topic("File"), topic(kLongName)},
                 {kLongLine},
                 std::string(1500, '.') + "{\\strike File}{\\v XX0} {\\strike " + kLongName +
                     "}{\\v XX1}.",
                 {1, 1}}),
    testing::row_name);

TEST(LinkTextTest, LinksAgainOnceMarksAreCleared) {
  LinkFixture fixture;
  fixture.add(topic("Set"));
  for (int i = 0; i < 2; ++i) {
    std::string line = "Set";
    link_text_line(fixture.ctx, line, NameKind::topic);
    fixture.ctx.names.clear_link_marks();
  }
  EXPECT_EQ(fixture.output(), "{\\strike Set}{\\v XX0}{\\strike Set}{\\v XX0}");
}

TEST(LinkTextTest, BuildsAgainWhenNamesWereAdded) {
  LinkFixture fixture;
  fixture.add(topic("One"));
  prepare_links(fixture.ctx);
  fixture.add(topic("Two"));
  std::string line = "Two";
  link_text_line(fixture.ctx, line, NameKind::topic);
  EXPECT_EQ(fixture.output(), "{\\strike Two}{\\v XX1}");
}

}  // namespace
}  // namespace zek
