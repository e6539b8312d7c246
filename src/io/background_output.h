// An output file written by a thread of its own: the conversion hands over
// each buffer of bytes and goes on while the system copies the previous ones
// into the file. Bytes reach the file in the order they were written; the
// first failure is kept and reported by every later write and by finish().
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "io/environment.h"

namespace zek {

class BackgroundOutput : public OutputFile {
 public:
  explicit BackgroundOutput(std::unique_ptr<OutputFile> file);
  ~BackgroundOutput() override;
  BackgroundOutput(const BackgroundOutput&) = delete;
  BackgroundOutput& operator=(const BackgroundOutput&) = delete;

  bool write(std::string_view bytes) override;
  bool write_buffer(std::unique_ptr<char[]>& buffer, size_t size, size_t capacity) override;
  // Waits until everything handed over is written.
  bool flush() override;
  bool finish() override;
  bool commit() override;
  void discard() override;

 private:
  // Buffers waiting to be written at most; write() waits for room beyond.
  static constexpr size_t kMaxPending = 4;
  // A waiting thread is woken once this many buffers wait, not for each: a
  // wake-up costs the converter about as much as copying a buffer.
  static constexpr size_t kWakeAt = 3;

  struct Chunk {
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    size_t capacity = 0;
  };
  // Waits for room in the queue; false once a write has failed.
  bool wait_for_room(std::unique_lock<std::mutex>& lock);
  // A buffer was queued: wakes the thread when enough wait.
  void queued(std::unique_lock<std::mutex>& lock);
  // Wakes the thread if it waits, for whatever is queued.
  void wake_writer();
  // A written buffer of at least `capacity` bytes, or a new one.
  Chunk spare_chunk(size_t capacity);
  void write_pending();
  void stop();

  std::unique_ptr<OutputFile> file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Chunk> pending_;  // oldest first
  std::vector<Chunk> spare_;   // written buffers, kept for reuse
  bool busy_ = false;          // the thread is writing a buffer
  bool writer_waits_ = false;  // the thread waits for buffers
  bool stopping_ = false;
  bool failed_ = false;
  std::thread writer_;  // started last, when everything it uses exists
};

}  // namespace zek
