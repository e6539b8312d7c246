// Pages from random soups of RTF pieces (groups, footnotes, hot spots,
// escaped braces, tables, binary data, trail bytes that look like markup):
// every page the writers make must pass the strict page reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/cat.h"
#include "publish/help_reader.h"
#include "publish/publish.h"
#include "support/strict_html.h"

namespace zek {
namespace {

class Collect : public OutputStream {
 public:
  explicit Collect(std::string& to) : to_(to) {}
  bool write(std::string_view bytes) override {
    to_.append(bytes);
    return true;
  }

 private:
  std::string& to_;
};

class Folder : public OutputFolder {
 public:
  std::unique_ptr<OutputStream> create(const std::string& relative) override {
    return std::make_unique<Collect>(files[relative]);
  }
  bool commit(const std::string&) override { return true; }
  void discard() override {}
  std::map<std::string, std::string> files;
};

const char* const kPieces[] = {"{",
                               "}",
                               "\\b ",
                               "\\v ",
                               "\\ul ",
                               "\\strike ",
                               "\\uldb ",
                               "\\par ",
                               "\\page ",
                               "\\pard ",
                               "\\keepn ",
                               "\\intbl ",
                               "\\cell ",
                               "\\row ",
                               "\\trowd\\cellx100 ",
                               "#{\\footnote #",
                               "${\\footnote $",
                               "K{\\footnote K",
                               "+{\\footnote s:",
                               "!{\\footnote !",
                               "\\{bmc ",
                               "\\}",
                               "\\{button ",
                               "\\'82",
                               "\\'a0",
                               "\x82",
                               "\x83{",
                               "\x95\\",
                               "x",
                               "<",
                               ">",
                               "&",
                               "\"",
                               "'",
                               "!JI(\"a.hlp\",\"b\")",
                               "@f.hlp",
                               ">w",
                               "%",
                               "*",
                               "\\tab ",
                               "\\line ",
                               "{\\fonttbl\\f1 ",
                               "{\\colortbl ;\\red9;",
                               "\\f1 ",
                               "\\fs20 ",
                               "\\cf1 ",
                               "{\\*\\x ",
                               "\\bin3 ",
                               "XX1",
                               "XX0",
                               "CON",
                               "javascript:",
                               "\\~",
                               "\\li-400 ",
                               "\\tx300 ",
                               "\\box\\brdrdb ",
                               ";"};

TEST(TokenSoupTest, EveryPageIsWellFormedAndSafe) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 150; ++round) {
    std::string rtf;
    const int count = 1 + static_cast<int>(random() % 120);
    for (int i = 0; i < count; ++i) rtf += kPieces[random() % std::size(kPieces)];
    PublishJob job;
    job.open_rtf = [&rtf] { return std::make_unique<RtfStringSource>(rtf); };
    std::string page;
    Collect collect(page);
    ASSERT_TRUE(write_single_page(job, collect));
    ASSERT_EQ(testing::check_page(page), "") << rtf << "\n" << page;
    Folder folder;
    ASSERT_TRUE(write_project(job, "h", folder));
    for (const auto& [name, bytes] : folder.files) {
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".htm") == 0) {
        ASSERT_EQ(testing::check_page(bytes), "") << rtf << "\n" << name << "\n" << bytes;
      }
      EXPECT_EQ(name.find(".."), std::string::npos) << name;
    }
  }
}

// What the help-wide index takes from a topic: its properties, then its
// anchors and where its hot spots lead within this help, sorted (an index
// read keeps them apart from the order of the text).
std::vector<std::string> index_view(const Topic& topic) {
  std::vector<std::string> links;
  for_each_piece(topic, [&links, &topic](const Piece& piece) {
    if (piece.kind == PieceKind::anchor) links.push_back(cat('#', topic.text_of(piece)));
  });
  for_each_index_link(topic, [&links](LinkKind kind, std::string_view context) {
    links.push_back(cat(static_cast<int>(kind), context));
  });
  std::sort(links.begin(), links.end());
  std::vector<std::string> view = {topic.title, topic.browse, topic.window};
  const std::vector<std::string>* lists[] = {&topic.contexts, &topic.keywords, &topic.macros,
                                             &links};
  for (const std::vector<std::string>* list : lists) {
    view.insert(view.end(), list->begin(), list->end());
    view.emplace_back("|");
  }
  return view;
}

std::vector<std::vector<std::string>> read_topics(const std::string& rtf, ReadFor purpose) {
  RtfStringSource source(rtf);
  HelpReader reader(source, purpose);
  std::vector<std::vector<std::string>> topics;
  Topic topic;
  while (reader.next_topic(topic)) topics.push_back(index_view(topic));
  return topics;
}

// The first read keeps no text, the second all of it: both must find the
// same topics with the same footnotes, anchors and hot spots, or pages and
// index fall out of step. Reference marks without their footnote text and
// footnotes in a row take text from the end of the paragraph.
TEST(TokenSoupTest, IndexReadFindsWhatThePagesReadFinds) {
  std::vector<const char*> pieces(std::begin(kPieces), std::end(kPieces));
  for (const char* more : {"{\\footnote ", "{\\footnote x}", "ab", "\\strike ab", "\\plain "})
    pieces.push_back(more);
  std::mt19937 random(20261208);
  for (int round = 0; round < 400; ++round) {
    std::string rtf;
    const int count = 1 + static_cast<int>(random() % 160);
    for (int i = 0; i < count; ++i) rtf += pieces[random() % pieces.size()];
    ASSERT_EQ(read_topics(rtf, ReadFor::index), read_topics(rtf, ReadFor::pages)) << rtf;
  }
}

// Bitmaps a page shows: PNG files are there, others are not. Remembers the
// order names were first asked for, or were told to be in.
class OrderPlacer : public BitmapPlacer {
 public:
  std::optional<std::string> place(std::string_view name) override {
    if (std::find(asked.begin(), asked.end(), name) == asked.end()) asked.emplace_back(name);
    if (name.size() > 4 && name.substr(name.size() - 4) == ".png") return std::string(name);
    return std::nullopt;
  }
  void met_in_order(const std::vector<std::string>& names) override { told = names; }
  std::vector<std::string> asked;
  std::vector<std::string> told;
};

// A soup of many short topics, so that the pages are written in two parts.
std::string many_topics(std::mt19937& random) {
  const char* const more[] = {"{\\bmc a.png\\}", "\\{bmc b.wmf\\}", "\\{bml c.png\\}"};
  std::string rtf = "{\\rtf1{\\fonttbl{\\f0 A;}{\\f1 B;}}";
  const int topics = 17 + static_cast<int>(random() % 60);
  for (int t = 0; t < topics; ++t) {
    const int count = static_cast<int>(random() % 10);
    for (int i = 0; i < count; ++i) {
      rtf += random() % 8 == 0 ? more[random() % std::size(more)]
                               : kPieces[random() % std::size(kPieces)];
    }
    // Groups left open carry into the next topics, but a footnote or skipped
    // group holds any "\\page" in it: most topics close what they open.
    if (random() % 4 != 0) rtf += "}}}}}}}}}}";
    rtf += "x\\par\\page ";
  }
  return rtf;
}

// A project's pages written in two parts at once, the second read resuming
// where the first read kept a place, are the bytes one reader writes; the
// bitmaps are handed back in the order of the document.
TEST(TokenSoupTest, ProjectPagesWrittenInTwoPartsAreThePagesOfOneRead) {
  std::mt19937 random(20261209);
  int split = 0;
  for (int round = 0; round < 60; ++round) {
    const std::string rtf = many_topics(random);
    PublishJob job;
    job.open_rtf = [&rtf] { return std::make_unique<RtfStringSource>(rtf); };
    OrderPlacer one_placer;
    job.bitmaps = &one_placer;
    Folder one_folder;
    ASSERT_TRUE(write_project(job, "h", one_folder));

    bool opened_at = false;
    job.open_rtf_at = [&rtf, &opened_at](uint64_t offset) {
      opened_at = true;
      return std::make_unique<RtfStringSource>(
          std::string_view(rtf).substr(std::min<size_t>(offset, rtf.size())));
    };
    OrderPlacer two_placer;
    job.bitmaps = &two_placer;
    Folder two_folder;
    ASSERT_TRUE(write_project(job, "h", two_folder));
    ASSERT_EQ(two_folder.files, one_folder.files) << rtf;
    if (opened_at) {
      ++split;
      EXPECT_EQ(two_placer.told, one_placer.asked) << rtf;
    }
  }
  EXPECT_GT(split, 40);
}

// The single page places its bitmaps in the order the document first names
// them, whatever the order of the draft's marks.
TEST(TokenSoupTest, TheSinglePagePlacesBitmapsInTheirOrder) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 30; ++round) {
    const std::string rtf = many_topics(random);
    PublishJob job;
    job.open_rtf = [&rtf] { return std::make_unique<RtfStringSource>(rtf); };
    OrderPlacer placer;
    job.bitmaps = &placer;
    std::string page;
    Collect collect(page);
    ASSERT_TRUE(write_single_page(job, collect));
    std::vector<std::string> shown;
    for (size_t at = page.find("alt=\""); at != std::string::npos;
         at = page.find("alt=\"", at + 1)) {
      const size_t end = page.find('"', at + 5);
      const std::string name = page.substr(at + 5, end - at - 5);
      if (std::find(shown.begin(), shown.end(), name) == shown.end()) shown.push_back(name);
    }
    // Every name shown was asked for, in the order it is first shown.
    std::vector<std::string> asked_shown;
    for (const std::string& name : placer.asked) {
      if (std::find(shown.begin(), shown.end(), name) != shown.end()) asked_shown.push_back(name);
    }
    EXPECT_EQ(asked_shown, shown) << rtf;
  }
}

// A colour table that raw RTF brings later replaces the first for the text
// after it, also for a style met before with the first table.
TEST(TokenSoupTest, ALaterColourTableColoursTheTextAfterIt) {
  const std::string rtf =
      "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1 a\\par\\page "
      "{\\colortbl ;\\red0\\green0\\blue255;}\\cf1 b\\par\\page "
      "{\\colortbl ;}\\cf1 c\\par\\page }";
  PublishJob job;
  job.open_rtf = [&rtf] { return std::make_unique<RtfStringSource>(rtf); };
  std::string page;
  Collect collect(page);
  ASSERT_TRUE(write_single_page(job, collect));
  const size_t a = page.find("color:#ff0000");
  const size_t b = page.find("color:#0000ff");
  ASSERT_NE(a, std::string::npos) << page;
  ASSERT_NE(b, std::string::npos) << page;
  EXPECT_LT(a, b);
  EXPECT_EQ(page.find("color:#", b + 1), std::string::npos) << page;
}

// A long help keeps at most so many places, evenly spread, in order.
TEST(TokenSoupTest, ResumePlacesStayFewAndEvenlySpread) {
  std::string rtf;
  for (int t = 0; t < 1500; ++t) rtf += "x\\par\\page ";
  RtfStringSource source(rtf);
  HelpIndex help;
  help.add_topics(source, 1);
  const std::vector<ReaderPlace>& places = help.resume_places();
  ASSERT_EQ(help.size(), 1500U);
  ASSERT_GT(places.size(), HelpIndex::kMaxResumePlaces / 2);
  ASSERT_LE(places.size(), HelpIndex::kMaxResumePlaces);
  const size_t stride = places.front().topic;
  for (size_t k = 0; k < places.size(); ++k) {
    EXPECT_EQ(places[k].topic, (k + 1) * stride);
    EXPECT_EQ(places[k].offset, places[k].topic * std::string_view("x\\par\\page ").size());
  }
  EXPECT_EQ(help.document_size(), rtf.size());
}

}  // namespace
}  // namespace zek
