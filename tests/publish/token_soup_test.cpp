// Pages from random soups of RTF pieces (groups, footnotes, hot spots,
// escaped braces, tables, binary data, trail bytes that look like markup):
// every page the writers make must pass the strict page reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

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
// anchors and hot-spot targets, sorted (an index read keeps them apart from
// the order of the text).
std::vector<std::string> index_view(const Topic& topic) {
  std::vector<std::string> links;
  for_each_piece(topic, [&links](const Piece& piece) {
    if (piece.kind == PieceKind::anchor) links.push_back("#" + piece.text);
    if (piece.kind != PieceKind::hot_spot) return;
    const LinkTarget& target = piece.target();
    links.push_back(std::to_string(static_cast<int>(target.kind)) + target.context + "@" +
                    target.file);
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

}  // namespace
}  // namespace zek
