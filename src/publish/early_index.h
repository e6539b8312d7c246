// The first read of the HTML modes on a thread of its own, while the
// converter is still writing its RTF: the spool hands over what is written
// in chunks, through a small queue, and the help-wide tables are ready
// almost as soon as the RTF is complete. The read sees exactly the bytes
// the spool holds, so the tables are those a read of the spool would make.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "publish/help_index.h"

namespace zek {

class EarlyIndex {
 public:
  // Starts the thread; when none can be started, nothing is read here.
  EarlyIndex();
  // Ends the input and waits for the thread, if finish() did not.
  ~EarlyIndex();
  EarlyIndex(const EarlyIndex&) = delete;
  EarlyIndex& operator=(const EarlyIndex&) = delete;

  // The next bytes of the RTF (from the writing thread only).
  void write(std::string_view bytes);
  // Ends the input and waits for the read: every topic added, the index
  // not yet finished. None when no thread ran, or after the first call.
  std::optional<HelpIndex> finish();

 private:
  class QueueSource;
  void hand_over();
  void run();

  // Chunks waiting to be read at most; write() waits for room beyond.
  static constexpr size_t kMaxChunks = 2;
  static constexpr size_t kChunk = size_t{1} << 16;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> chunks_;  // guarded by mutex_
  bool closed_ = false;             // guarded by mutex_: no more bytes come

  std::string pending_;  // the writer's bytes not yet handed over
  HelpIndex index_;      // the reading thread's until it is joined
  std::thread thread_;
};

}  // namespace zek
