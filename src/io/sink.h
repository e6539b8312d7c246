// A buffered byte sink over an OutputStream: collects writes in a large buffer,
// passes them on in few calls and remembers the first write error. Short
// writes cost a copy into the buffer; writers that compose their bytes ask
// for room at the end of the buffer and write there directly.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

#include "io/environment.h"

namespace zek {

class Sink {
 public:
  Sink() = default;
  // A sink whose buffers hold `buffer_size` bytes (at least).
  explicit Sink(size_t buffer_size) : buffer_size_(std::max(buffer_size, kBufferSize)) {}
  Sink(const Sink&) = delete;
  Sink& operator=(const Sink&) = delete;
  ~Sink() { flush(); }

  // Attaches a stream (or none); pending bytes of a former stream are flushed first.
  void attach(OutputStream* stream);
  bool is_open() const { return stream_ != nullptr; }

  void put(char byte) {
    if (used_ == capacity_) make_room(1);
    buffer_[used_++] = byte;
  }
  void put(std::string_view bytes) {
    if (bytes.size() >= capacity_ - used_) {  // also an empty write before the first
      put_long(bytes);
      return;
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }

  // Space for at least `size` more bytes at the end of the buffer. The caller
  // writes there and hands the end of what it wrote to commit(); nothing
  // else may be put in between.
  char* room(size_t size) {
    if (size > capacity_ - used_) make_room(size);
    return buffer_.get() + used_;
  }
  void commit(const char* end) { used_ = static_cast<size_t>(end - buffer_.get()); }

  // Passes the buffered bytes to the stream; false once any write has failed.
  bool flush();
  bool failed() const { return failed_; }

 private:
  static constexpr size_t kBufferSize = 1 << 16;
  // Flushes, and grows the buffer when `size` bytes would not fit an empty one.
  void make_room(size_t size);
  // A write that fills the free space or more: flushed bytes first, then this one.
  void put_long(std::string_view bytes);
  void write_through(std::string_view bytes);

  size_t buffer_size_ = kBufferSize;
  OutputStream* stream_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  size_t capacity_ = 0;
  size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace zek
