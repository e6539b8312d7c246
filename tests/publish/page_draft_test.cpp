// The single page's draft: the numbers its marks carry, and a long page
// whose draft is read back in chunks that cut its marks.
#include "publish/page_draft.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/cat.h"
#include "publish/publish.h"
#include "support/help_documents.h"
#include "support/memory_environment.h"
#include "support/strict_html.h"

namespace zek {
namespace {

TEST(PageDraftTest, MarkNumbersReadBackAsWritten) {
  for (const uint32_t number : {0u, 1u, 63u, 64u, 4095u, 4096u, 262143u, 262144u, 0xFFFFFFFFu}) {
    std::string text(kMarkNumberWidth, '\0');
    put_mark_number(text.data(), number);
    for (const char c : text) {
      // ASCII, and never the mark byte: the page's encoding leaves it alone.
      EXPECT_GE(static_cast<unsigned char>(c), '0');
      EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    }
    EXPECT_EQ(read_mark_number(text.data()), number);
  }
}

TEST(PageDraftTest, LinkDigitsKeepKindAndLook) {
  for (const LinkKind kind : {LinkKind::jump, LinkKind::popup}) {
    for (const LinkLook look : {LinkLook::normal, LinkLook::plain, LinkLook::no_underline}) {
      const char digit = link_digit(kind, look);
      EXPECT_EQ(link_kind_of(digit), kind);
      EXPECT_EQ(link_look_of(digit), look);
    }
  }
}

size_t count(const std::string& text, const std::string& part) {
  size_t found = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++found;
  }
  return found;
}

// The draft of a long help is read back in chunks that cut marks: the page
// holds no mark, and has every hot spot, topic and browse link.
TEST(PageDraftTest, ALongPageHasEveryHotSpot) {
  const std::string rtf = testing::documents_long();
  PublishJob job;
  job.open_rtf = [&rtf] { return std::make_unique<RtfStringSource>(rtf); };
  testing::StringStream page;
  ASSERT_TRUE(write_single_page(job, page));
  const std::string& one_part = page.bytes;
  EXPECT_EQ(one_part.find(kDraftMark), std::string::npos);
  EXPECT_EQ(testing::check_page(one_part), "");
  EXPECT_EQ(count(one_part, "<a class=\"j\" href=\"#t"), 3000u);
  EXPECT_EQ(count(one_part, "popovertarget=\"p"), 3000u);
  EXPECT_EQ(count(one_part, "<section class=\"topic"), 3000u);
  EXPECT_EQ(count(one_part, "<a rel=\"next\""), 2999u);
}

// Hot spots to one topic in different windows: each opens where its own
// hidden text says, whichever came before it.
// Also when a tag is too long to be held with the others' (a long context
// string or window name), and when it changes between long and short.
TEST(PageDraftTest, EachHotSpotOpensInItsOwnWindow) {
  struct Case {
    std::string context;
    std::vector<std::string> windows;
    std::string expected;
  };
  // Its tag is held without a window and kept apart with the long one.
  const std::string long_context = "A_TWENTY_BYTE_CONTXT";
  const std::vector<Case> cases = {
      {"T1", {">note", "", ">note", ">other", "", ">other"}, "w-note - w-note w-other - w-other "},
      {long_context,
       {"", ">a_window_with_a_long_name", "", ">note", "", ">a_window_with_a_long_name"},
       "- w-a_window_with_a_long_name - w-note - w-a_window_with_a_long_name "},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.context);
    std::string body;
    for (const std::string& window : test.windows) {
      append(body, "{\\strike go}{\\v ", test.context, window, "} ");
    }
    const std::string rtf =
        cat(testing::topic_rtf("One", "T0", body), testing::topic_rtf("Two", test.context, "x"));
    PublishJob job;
    job.open_rtf = [&rtf] { return std::make_unique<RtfStringSource>(rtf); };
    testing::StringStream page;
    ASSERT_TRUE(write_single_page(job, page));
    const std::string& html = page.bytes;
    const std::string jump = cat("<a class=\"j\" href=\"#", page_name(test.context), '"');
    std::string targets;
    for (size_t at = html.find(jump); at != std::string::npos; at = html.find(jump, at + 1)) {
      const size_t end = html.find('>', at);
      const size_t target = html.find(" target=\"", at);
      targets += target < end ? html.substr(target + 9, end - target - 10) : "-";
      targets += ' ';
    }
    EXPECT_EQ(targets, test.expected);
  }
}

}  // namespace
}  // namespace zek
