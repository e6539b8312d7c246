// The single page drafted while its RTF is being written: whatever the sizes
// the RTF comes in, the page is that of a draft of the complete RTF.
#include "publish/early_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "publish/publish.h"
#include "publish/spool.h"
#include "support/help_documents.h"
#include "support/memory_environment.h"

namespace zek {
namespace {

using testing::topic_rtf;

std::string plain_page(const std::string& rtf, bool link_brackets) {
  PublishJob job;
  job.open_rtf = [&rtf] { return std::make_unique<RtfStringSource>(rtf); };
  job.link_brackets = link_brackets;
  testing::StringStream page;
  EXPECT_TRUE(write_single_page(job, page));
  return page.bytes;
}

std::string early_page(const std::string& rtf, size_t chunk, bool link_brackets) {
  Spool spool;
  spool.draft_page_early(nullptr, link_brackets);
  for (size_t at = 0; at < rtf.size(); at += chunk) {
    EXPECT_TRUE(spool.write(std::string_view(rtf).substr(at, chunk)));
  }
  bool drafted_early = false;
  PublishJob job;
  job.early_draft = [&] {
    std::optional<PageDraft> draft = spool.take_early_draft();
    drafted_early = draft.has_value();
    return draft;
  };
  job.open_rtf = [&spool] { return spool.read(); };
  job.link_brackets = link_brackets;
  // The draft is handed over once, whole, after the page is written.
  int set_aside = 0;
  job.set_aside = [&](PageDraft draft) {
    ++set_aside;
    EXPECT_TRUE(draft.text != nullptr);
  };
  testing::StringStream page;
  EXPECT_TRUE(write_single_page(job, page));
  EXPECT_TRUE(drafted_early);
  EXPECT_EQ(set_aside, 1);
  return page.bytes;
}

TEST(EarlyPagesTest, AnyChunkSizeGivesThePageOfAPlainDraft) {
  const std::vector<std::string> documents = {
      // Tables that a later topic brings, a popup, an alias inside the text,
      // a jump nowhere, a window, a bitmap.
      "{\\rtf1 \\ansi \\deff0{\\colortbl ;\\red255\\green0\\blue0;}\r\n" +
          topic_rtf("Setup", "XX0", "\\cf1 See {\\uldb Two}{\\v XX1>win}.\\{bmc a.png\\}") +
          "{\\colortbl ;\\red0\\green0\\blue255;}" +
          topic_rtf("Two", "XX1", "\\cf1 A {\\ul note}{\\v NOTE} #{\\footnote #ALIAS}after") +
          "#{\\footnote #NOTE}${\\footnote $Note}Popup{\\par }{\\page }\r\n" +
          topic_rtf("", "XX2", "{\\uldb alias}{\\v alias} {\\uldb gone}{\\v MISSING}") + "}",
      // No topic break at the end, and nothing at all.
      "{\\rtf1 #{\\footnote #ONLY}K{\\footnote Kx;y}Text",
      "",
      testing::documents_long(),
  };
  for (const std::string& rtf : documents) {
    for (const bool brackets : {false, true}) {
      const std::string expected = plain_page(rtf, brackets);
      for (size_t chunk : {size_t{1}, size_t{7}, size_t{70000}, std::max<size_t>(rtf.size(), 1)}) {
        if (chunk == 1 && rtf.size() > 100000) continue;  // a byte at a time: too slow
        EXPECT_EQ(early_page(rtf, chunk, brackets), expected)
            << "chunk " << chunk << ": " << rtf.substr(0, 200);
      }
    }
  }
}

// A conversion that fails midway destroys the spool with its draft
// unfinished: nothing may wait forever.
TEST(EarlyPagesTest, DestroyedUnfinishedDoesNotHang) {
  const std::string rtf = testing::documents_long();
  for (size_t length : {size_t{0}, size_t{10}, size_t{1} << 16, rtf.size()}) {
    Spool spool;
    spool.draft_page_early(nullptr, false);
    EXPECT_TRUE(spool.write(std::string_view(rtf).substr(0, length)));
  }
}

TEST(EarlyPagesTest, TheDraftIsTakenOnce) {
  Spool spool;
  spool.draft_page_early(nullptr, false);
  ASSERT_TRUE(spool.write("{\\rtf1 #{\\footnote #A}Text{\\page }}"));
  std::optional<PageDraft> first = spool.take_early_draft();
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->index.size(), 1u);
  EXPECT_FALSE(spool.take_early_draft().has_value());
}

}  // namespace
}  // namespace zek
