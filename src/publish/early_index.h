// A project's first read on a thread of its own, while the converter is
// still writing its RTF: the spool hands over what is written through a
// chunk queue, and the help-wide tables are ready almost as soon as the RTF
// is complete. The read sees exactly the bytes
// the spool holds, so the tables are those a read of the spool would make.
#pragma once

#include <optional>
#include <string_view>
#include <thread>

#include "publish/chunk_queue.h"
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
  void run();

  ChunkQueue queue_;
  HelpIndex index_;  // the reading thread's until it is joined
  std::thread thread_;
};

}  // namespace zek
