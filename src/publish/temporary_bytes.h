// Bytes kept while HTML is made from them: an anonymous temporary file
// (removed by the system when it is closed, also when the process ends
// abruptly), or memory when no such file can be made. One thread appends;
// others may read at the same time, each at its own offset, also what is
// still being appended. The RTF of a run and the single page's draft are
// kept this way.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <mutex>
#include <string>
#include <string_view>

#include "rtf/tokenizer.h"

namespace zek {

class TemporaryBytes {
 public:
  TemporaryBytes();
  ~TemporaryBytes();
  TemporaryBytes(const TemporaryBytes&) = delete;
  TemporaryBytes& operator=(const TemporaryBytes&) = delete;

  bool append(std::string_view bytes);
  // Nothing more is appended.
  void close();
  // Up to `size` bytes from `offset`; 0 at the end or on an error.
  size_t read_at(uint64_t offset, char* buffer, size_t size);
  // The same, but first waits until `size` bytes from `offset` are there,
  // or nothing more comes (close(), or a failed append).
  size_t wait_read_at(uint64_t offset, char* buffer, size_t size);
  bool failed() const;

 private:
  static constexpr uint64_t kNoReader = std::numeric_limits<uint64_t>::max();
  size_t read_locked(std::unique_lock<std::mutex>& lock, uint64_t offset, char* buffer,
                     size_t size);

  std::FILE* file_ = nullptr;
  std::string memory_;        // guarded by mutex_
  mutable std::mutex mutex_;  // guards the size and the state, and memory_
  std::condition_variable appended_;
  uint64_t size_ = 0;
  uint64_t awaited_ = kNoReader;  // the size a waiting reader waits for
  bool closed_ = false;
  bool failed_ = false;
};

// A reader of temporary bytes from `offset` on, as a byte source; with
// `wait`, it waits for what is still to be appended.
class TemporaryBytesSource : public RtfSource {
 public:
  enum class Waiting : uint8_t { no, until_closed };
  TemporaryBytesSource(TemporaryBytes& bytes, uint64_t offset, Waiting waiting)
      : bytes_(bytes), offset_(offset), waiting_(waiting) {}
  size_t read(char* buffer, size_t size) override;

 private:
  TemporaryBytes& bytes_;
  uint64_t offset_;
  Waiting waiting_;
};

}  // namespace zek
