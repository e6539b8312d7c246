// What a listener of the writer hears while pass 2 runs whole lines: each
// part once, in the order written, with the values it was made of, in RTF and
// in text mode alike. A consumer that follows the document topic by topic
// relies on this order.
#include <gtest/gtest.h>

#include "base/cat.h"
#include "support/line_passes.h"
#include "support/row_name.h"

namespace zek {
namespace {

using testing::LinePasses;

// Every event as one short line.
class EventLog final : public OutputListener {
 public:
  std::string events;

  // The column counters count RTF bytes only; they are the -C record's concern.
  void document_started(uint32_t, uint32_t) override { add("start"); }
  void document_ended(uint32_t) override { add("end"); }
  void topic_begun(std::string_view title, bool popup) override {
    add(cat(popup ? "popup " : "topic ", title));
  }
  void page_ended() override { add("page"); }
  void footnote(char mark, std::string_view text) override { add(cat(mark, ' ', text)); }
  void context_number(int32_t number) override { add(cat("XX", static_cast<uint32_t>(number))); }
  void keyword_from_title() override { add("keyword from title"); }
  void group_jump(std::string_view target) override { add(cat("jump ", target)); }
  void body_line(std::string_view text, bool in_group) override {
    add(cat("body ", text, in_group ? " (in group)" : ""));
  }
  void hot_spot(size_t target) override { add(cat("hot spot ", static_cast<uint32_t>(target))); }
  void raw_rtf(std::string_view rtf, bool in_group) override {
    add(cat("raw ", rtf, in_group ? " (in group)" : ""));
  }
  void lasting_format(int32_t font, int32_t size, bool in_group) override {
    add(cat("format ", font, ' ', size, in_group ? " (in group)" : ""));
  }

 private:
  void add(std::string_view event) { events += cat(event, '\n'); }
};

struct EventCase {
  std::string name;
  std::string source;
  std::string events;
};

void PrintTo(const EventCase& c, std::ostream* os) {
  *os << c.name;
}

class OutputEventsTest : public ::testing::TestWithParam<EventCase> {};

TEST_P(OutputEventsTest, RtfAndTextModeHearTheSame) {
  for (const LinePasses::Output output : {LinePasses::Output::rtf, LinePasses::Output::text}) {
    LinePasses passes(LinePasses::Start::pass_one, output);
    EventLog log;
    passes.ctx.writer.add_listener(log);
    passes.both_passes(GetParam().source);
    EXPECT_EQ(log.events, GetParam().events)
        << (output == LinePasses::Output::text ? "text" : "rtf");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Parts, OutputEventsTest,
    ::testing::Values(
        // Pass 1 is not heard; every page break is, the one before .end too.
        EventCase{"TopicsAndPages",
                  ".start\r\n.topic A\r\nsee B\r\n.popup B\r\n.search\r\n.page\r\n.end\r\n",
                  "start\n"
                  "topic A\nXX0\nbody see B\nhot spot 1\n"
                  "page\npopup B\nXX1\nkeyword from title\nK B\n"
                  "page\n"
                  "end\n"},
        EventCase{"RawLinesAndFormat", ".noscroll\r\n'{\\b x}\r\n`{\\v y}\r\n.font 3\r\n",
                  "raw {\\b x} (in group)\nraw {\\v y} (in group)\nformat 3 -1 (in group)\n"},
        EventCase{"FootnotesAsWritten",
                  ".browse seq\r\n.groupmode\r\n.topic T\tdest\r\n.idx @a$b\r\n",
                  "topic T\n+ seq:001\nXX0\n! EB(\"group\")\n"
                  "! CBB(\"group\",\"JI(`',`dest')\")\njump dest\n# @a$b\n"}),
    testing::row_name);

}  // namespace
}  // namespace zek
