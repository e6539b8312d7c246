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

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "io/environment.h"
#include "publish/early_index.h"
#include "rtf/tokenizer.h"

namespace zek {

// An anonymous temporary file, or memory when none can be made.
class TemporaryBytes {
 public:
  TemporaryBytes();
  ~TemporaryBytes();
  TemporaryBytes(const TemporaryBytes&) = delete;
  TemporaryBytes& operator=(const TemporaryBytes&) = delete;

  bool append(std::string_view bytes);
  // Up to `size` bytes from `offset`; 0 at the end or on an error. Safe to
  // call from several threads once nothing is appended any more.
  size_t read_at(uint64_t offset, char* buffer, size_t size);
  bool failed() const { return failed_; }
  uint64_t size() const { return size_; }

 private:
  std::FILE* file_ = nullptr;
  uint64_t size_ = 0;
  std::string memory_;
  std::mutex reading_;  // a file read is a seek and a read
  bool flushed_ = false;
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
  // Writes everything held to `to`; false when a read or a write failed.
  bool copy_to(OutputStream& to);

 private:
  TemporaryBytes bytes_;
};

}  // namespace zek
