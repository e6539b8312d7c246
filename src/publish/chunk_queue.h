// Bytes handed from the thread that writes them to a thread that reads them,
// in chunks of 64 KB through a short queue: the writer waits while the queue
// is full, the reader while it is empty. The converter's RTF reaches a
// project's early first read this way, which keeps pace with it and holds
// no more of it than the queue does.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>

#include "rtf/tokenizer.h"

namespace zek {

class ChunkQueue {
 public:
  // The writer's side: the next bytes, and the end of them. Once the reader
  // has stopped, write() takes bytes without waiting and drops them.
  void write(std::string_view bytes);
  void close();

  // The reader's side, as a byte source: 0 once the writer closed the queue
  // and every byte was read.
  class Reader : public RtfSource {
   public:
    explicit Reader(ChunkQueue& queue) : queue_(queue) {}
    size_t read(char* buffer, size_t size) override;

   private:
    ChunkQueue& queue_;
    std::string current_;
    size_t offset_ = 0;
  };
  // The reader stops before the end: what is still written goes nowhere.
  void stop_reading();

 private:
  // Waits for the next chunk; false once the input has ended.
  bool next_chunk(std::string& chunk);
  void hand_over();

  static constexpr size_t kMaxChunks = 2;
  static constexpr size_t kChunk = size_t{1} << 16;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> chunks_;  // guarded by mutex_
  bool closed_ = false;             // guarded by mutex_: no more bytes come
  bool stopped_ = false;            // guarded by mutex_: no one reads
  std::string pending_;             // the writer's bytes not yet handed over
};

}  // namespace zek
