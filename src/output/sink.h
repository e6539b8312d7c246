// A buffered byte sink over an OutputStream: collects writes in a large buffer,
// passes them on in few calls and remembers the first write error.
#pragma once

#include <string>
#include <string_view>

#include "output/stream.h"

namespace zek {

class Sink {
 public:
  Sink() = default;
  Sink(const Sink&) = delete;
  Sink& operator=(const Sink&) = delete;
  ~Sink() { flush(); }

  // Attaches a stream (or none); pending bytes of a former stream are flushed first.
  void attach(OutputStream* stream);
  bool is_open() const { return stream_ != nullptr; }

  void put(char byte) {
    buffer_.push_back(byte);
    if (buffer_.size() >= kFlushSize) flush();
  }
  void put(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushSize) flush();
  }
  // Passes the buffered bytes to the stream; false once any write has failed.
  bool flush();
  bool failed() const { return failed_; }

 private:
  static constexpr size_t kFlushSize = 1 << 16;
  OutputStream* stream_ = nullptr;
  std::string buffer_;
  bool failed_ = false;
};

}  // namespace zek
