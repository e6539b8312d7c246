// The early first read: whatever the sizes the writer hands its bytes over
// in, the index equals that of a plain read of the same bytes.
#include "publish/early_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/cat.h"
#include "publish/help_reader.h"
#include "support/help_documents.h"

namespace zek {
namespace {

using testing::documents_long;
using testing::topic_rtf;

HelpIndex plain_index(const std::string& rtf) {
  RtfStringSource source(rtf);
  HelpReader reader(source, ReadFor::index);
  HelpIndex index;
  Topic topic;
  while (reader.next_topic(topic)) index.add(topic);
  index.finish();
  return index;
}

std::optional<HelpIndex> early_index(const std::string& rtf, size_t chunk) {
  EarlyIndex early;
  for (size_t at = 0; at < rtf.size(); at += chunk) {
    early.write(std::string_view(rtf).substr(at, chunk));
  }
  std::optional<HelpIndex> index = early.finish();
  if (index) index->finish();
  return index;
}

// Everything the pages read from the index, as one comparable list.
std::vector<std::string> view(const HelpIndex& index) {
  std::vector<std::string> out;
  for (size_t i = 0; i < index.size(); ++i) {
    const TopicEntry& entry = index.topic(i);
    out.push_back(entry.title + "|" + entry.page + "|" + entry.browse_group +
                  (entry.popup ? "|popup" : "|") + (entry.in_browse ? "|browse" : "|"));
    for (const std::string& context : entry.contexts) out.push_back("#" + context);
    std::vector<std::string> inner(entry.inner.begin(), entry.inner.end());
    std::sort(inner.begin(), inner.end());
    for (const std::string& key : inner) out.push_back("inner " + key);
    const std::optional<size_t> previous = index.previous(i), next = index.next(i);
    out.push_back(cat('<', previous ? std::to_string(*previous) : std::string("-"), " >",
                      next ? std::to_string(*next) : std::string("-")));
  }
  for (const KeywordEntry& keyword : index.keywords()) {
    std::string line = "K" + keyword.keyword;
    for (size_t topic : keyword.topics) append(line, ' ', topic);
    out.push_back(line);
  }
  out.push_back(cat("first ", index.first_topic(), " most ", index.most_contexts()));
  return out;
}

TEST(EarlyIndexTest, AnyChunkSizeGivesThePlainReadsIndex) {
  const std::vector<std::string> documents = {
      // Footnotes, a jump, a popup, a topic only popups lead to, an alias
      // inside the text, a control word with a parameter.
      "{\\rtf1 \\ansi \\deff0\r\n" + topic_rtf("Setup", "XX0", "See {\\uldb Two}{\\v XX1}.") +
          topic_rtf("Two", "XX1",
                    "A {\\ul note}{\\v NOTE} here\\fi-240\\li360 #{\\footnote #ALIAS}after") +
          "#{\\footnote #NOTE}${\\footnote $Note}Popup{\\par }{\\page }\r\n" +
          topic_rtf("Three", "XX2", "{\\uldb alias}{\\v alias} {\\uldb gone}{\\v MISSING}") + "}",
      // Shift-JIS whose trail bytes are RTF's own specials.
      "{\\rtf1 \\ansi\\ansicpg932 \\deff0{\\fonttbl{\\f0\\fcharset128 Gothic;}}\r\n" +
          topic_rtf("\x83\x5C\x83\x74\x83\x67", "J1", "\x83\x5C\x83\x7B\x83\x7D text") +
          topic_rtf("\x83\x7B\x8E\x9A", "J2", "{\\uldb \x95\x5C}{\\v J1}") + "}",
      // No topic break at the end, and nothing at all.
      "{\\rtf1 #{\\footnote #ONLY}K{\\footnote Kx;y}Text",
      "",
      documents_long(),
  };
  for (const std::string& rtf : documents) {
    const std::vector<std::string> expected = view(plain_index(rtf));
    for (size_t chunk : {size_t{1}, size_t{7}, size_t{70000}, std::max<size_t>(rtf.size(), 1)}) {
      if (chunk == 1 && rtf.size() > 100000) continue;  // a byte at a time: too slow
      const std::optional<HelpIndex> index = early_index(rtf, chunk);
      ASSERT_TRUE(index.has_value());
      EXPECT_EQ(view(*index), expected) << "chunk " << chunk << ": " << rtf.substr(0, 200);
    }
  }
}

TEST(EarlyIndexTest, TheLongDocumentHasAllItsTopics) {
  const std::optional<HelpIndex> index = early_index(documents_long(), 4096);
  ASSERT_TRUE(index.has_value());
  EXPECT_EQ(index->size(), 6000u);
  EXPECT_TRUE(index->topic(1).popup);
  EXPECT_EQ(index->topic(5999).title, "");
}

TEST(EarlyIndexTest, FinishGivesTheIndexOnce) {
  EarlyIndex early;
  early.write("{\\rtf1 #{\\footnote #A}Text{\\page }}");
  std::optional<HelpIndex> first = early.finish();
  ASSERT_TRUE(first.has_value());
  first->finish();
  EXPECT_EQ(first->size(), 1u);
  EXPECT_FALSE(early.finish().has_value());
}

TEST(EarlyIndexTest, NothingWrittenIsAnEmptyIndex) {
  EarlyIndex early;
  std::optional<HelpIndex> index = early.finish();
  ASSERT_TRUE(index.has_value());
  index->finish();
  EXPECT_EQ(index->size(), 0u);
}

// A conversion that fails midway destroys the read unfinished: neither the
// writer nor the destructor may wait forever, full queue or not.
TEST(EarlyIndexTest, DestroyedUnfinishedDoesNotHang) {
  const std::string rtf = documents_long();
  for (size_t length : {size_t{10}, size_t{1} << 16, size_t{1} << 18, rtf.size()}) {
    EarlyIndex early;
    early.write(std::string_view(rtf).substr(0, length));
  }
  // Bytes after the document's end are taken too.
  EarlyIndex early;
  early.write("{\\rtf1 #{\\footnote #A}x{\\page }}");
  early.write(std::string(size_t{1} << 18, 'z'));
}

}  // namespace
}  // namespace zek
