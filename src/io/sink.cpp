// Buffered byte sink with a remembered write error.
#include "io/sink.h"

#include <algorithm>

namespace zek {

void Sink::attach(OutputStream* stream) {
  flush();
  stream_ = stream;
  failed_ = false;
}

void Sink::write_through(std::string_view bytes) {
  if (stream_ != nullptr && !bytes.empty() && !stream_->write(bytes)) failed_ = true;
}

bool Sink::flush() {
  if (stream_ != nullptr && used_ > 0 && !stream_->write_buffer(buffer_, used_, capacity_)) {
    failed_ = true;
  }
  used_ = 0;
  return !failed_;
}

void Sink::make_room(size_t size) {
  flush();
  if (size <= capacity_) return;
  capacity_ = std::max(size, buffer_size_);
  buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
}

void Sink::put_long(std::string_view bytes) {
  flush();
  if (bytes.empty()) return;
  if (bytes.size() >= buffer_size_) {
    write_through(bytes);
    return;
  }
  if (capacity_ < buffer_size_) make_room(buffer_size_);
  std::memcpy(buffer_.get(), bytes.data(), bytes.size());
  used_ = bytes.size();
}

}  // namespace zek
