// Pages from random soups of RTF pieces (groups, footnotes, hot spots,
// escaped braces, tables, binary data, trail bytes that look like markup):
// every page the writers make must pass the strict page reader.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

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

}  // namespace
}  // namespace zek
