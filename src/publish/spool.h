// Where the RTF of a run is kept while HTML is made from it: an anonymous
// temporary file (removed by the system when it is closed, also when the
// process ends abruptly), or memory when no such file can be made. It is
// written once and then read from any offset, by two readers at once if
// need be. What is written is read for the help-wide index at the same time
// (publish/early_index.h).
//
// A ScratchFile holds what one thread writes of a page while another writes
// the part before it, until it can follow that part.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "io/environment.h"
#include "publish/early_index.h"
#include "rtf/tokenizer.h"

namespace zek {

// An anonymous temporary file, or memory when none can be made. One thread
// appends; others may read at the same time, each at its own offset, also
// what is still being appended.
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
  // The same, but waits for bytes at `offset` until close(); 0 only then.
  size_t wait_read_at(uint64_t offset, char* buffer, size_t size);
  bool failed() const;

 private:
  size_t read_locked(uint64_t offset, char* buffer, size_t size);

  std::FILE* file_ = nullptr;
  std::string memory_;
  mutable std::mutex mutex_;  // a read is a seek and a read; an append a seek and a write
  std::condition_variable appended_;
  uint64_t size_ = 0;
  bool reading_ = false;  // the file's position is not at its end
  bool closed_ = false;
  bool failed_ = false;
};

class Spool : public OutputStream {
 public:
  bool write(std::string_view bytes) override;
  // A reader from byte `offset` of what was written. Readers may read at
  // the same time, each at its own place.
  std::unique_ptr<RtfSource> read(uint64_t offset = 0);
  bool failed() const { return bytes_.failed(); }
  // Once everything is written: the index read from it meanwhile, not yet
  // finished; none when it could not be read that way.
  std::optional<HelpIndex> take_early_index() { return early_.finish(); }

 private:
  TemporaryBytes bytes_;
  EarlyIndex early_;
};

class ScratchFile : public OutputStream {
 public:
  bool write(std::string_view bytes) override;
  // Nothing more is written.
  void close() { bytes_.close(); }
  // Writes everything held to `to`, and what is written to the scratch file
  // meanwhile, until it is closed; false when a read or a write failed.
  bool copy_to(OutputStream& to);

 private:
  TemporaryBytes bytes_;
};

}  // namespace zek
