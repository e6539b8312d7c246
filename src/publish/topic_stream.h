// The second read of the HTML modes on a thread of its own: topics are read
// ahead, a few at most, while the pages of the ones before are written. Each
// topic comes with the font and colour tables as they stood once it was
// read, which is what a read on the writing thread would have shown.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include "publish/help_reader.h"
#include "publish/model.h"

namespace zek {

class TopicStream {
 public:
  // Reads at most `limit` topics of `source`, on a thread of its own when
  // one can be started.
  TopicStream(RtfSource& source, size_t limit);
  ~TopicStream();
  TopicStream(const TopicStream&) = delete;
  TopicStream& operator=(const TopicStream&) = delete;

  // The next topic; false after the last. Updates tables().
  bool next(Topic& topic);
  // The tables as they stood once the latest topic was read.
  const DocumentTables& tables() const { return tables_; }

 private:
  struct Item {
    Topic topic;
    std::optional<DocumentTables> tables;  // when they changed
  };
  // Reads the next topic into `item`; false after the last.
  bool read(Item& item);
  void run();

  // Topics read ahead at most.
  static constexpr size_t kMaxAhead = 2;

  HelpReader reader_;  // the reading thread's while it runs
  size_t limit_;
  size_t read_ = 0;         // topics read
  size_t tables_seen_ = 0;  // the reader's count of table changes last sent
  DocumentTables tables_;   // the writing thread's

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Item> items_;  // guarded by mutex_
  bool done_ = false;       // guarded by mutex_: the reader has stopped
  bool stop_ = false;       // guarded by mutex_: the writer wants no more
  std::thread thread_;
};

}  // namespace zek
