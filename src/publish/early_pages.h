// The single page drafted while the converter is still writing its RTF:
// one thread reads the topics from the spool as it grows (waiting for what
// is still to come), another adds each to the help-wide index and drafts it
// (publish/page_draft.h). The topics pass between them through a short
// queue, and go back to the reading thread to be read into again, so that
// each thread frees what it made. When the RTF is complete, the draft is
// ready almost at once, and only the assembly of the page is left.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "publish/html_text.h"
#include "publish/model.h"
#include "publish/page_draft.h"
#include "publish/temporary_bytes.h"

namespace zek {

class EarlyPages {
 public:
  // Starts both threads on `rtf`, which is being written; when they cannot
  // start, nothing is drafted here.
  EarlyPages(TemporaryBytes& rtf, Utf8Converter to_utf8, bool link_brackets);
  // Waits for the threads; `rtf` must be closed first (finish() needs it too).
  ~EarlyPages();
  EarlyPages(const EarlyPages&) = delete;
  EarlyPages& operator=(const EarlyPages&) = delete;

  // Once `rtf` is closed: waits for the draft. None when the threads did not
  // run, or after the first call.
  std::optional<PageDraft> finish();

 private:
  // A topic on its way from the reader to the drafter, with the tables when
  // they changed while it was read.
  struct Passed {
    Topic topic;
    std::optional<DocumentTables> tables;
  };

  void read_topics();
  void draft_topics();
  Topic spare_topic();
  void pass(Passed passed);
  void end_of_topics();
  // Waits for topics; false when no more come.
  bool take_topics(std::deque<Passed>& taken);
  void give_back(std::deque<Passed>& taken);
  void join();

  // Topics the reader may be ahead of the drafter. Room for several lets
  // either thread go on through a topic that takes the other longer: with 8
  // instead of 4, the reading ended 8 ms sooner after pass 2 on 100,000
  // lines, for about 1 MB more at the peak on the largest corpora.
  static constexpr size_t kMaxPassed = 8;
  // A waiting drafter is woken for this many topics, not for each: where
  // both threads share a core, each wake-up switched between them.
  static constexpr size_t kWakeDrafterAt = 4;

  TemporaryBytes& rtf_;
  // The drafting thread's; it goes once it has made the draft.
  std::unique_ptr<PageDrafter> drafter_;
  std::optional<PageDraft> draft_;  // the drafting thread's until it is joined

  std::mutex mutex_;
  std::condition_variable passed_;    // a topic was passed, or the topics ended
  std::condition_variable returned_;  // topics were taken
  std::deque<Passed> queue_;          // guarded by mutex_
  std::vector<Topic> spares_;         // guarded by mutex_: emptied, to read into
  bool ended_ = false;                // guarded by mutex_
  bool drafter_waits_ = false;        // guarded by mutex_
  bool reader_waits_ = false;         // guarded by mutex_

  std::thread reader_;
  std::thread drafting_;
};

}  // namespace zek
