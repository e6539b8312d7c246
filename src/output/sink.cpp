// Buffered byte sink with a remembered write error.
#include "output/sink.h"

namespace zek {

void Sink::attach(OutputStream* stream) {
  flush();
  stream_ = stream;
  failed_ = false;
}

bool Sink::flush() {
  if (stream_ != nullptr && !buffer_.empty()) {
    if (!stream_->write(buffer_)) failed_ = true;
  }
  buffer_.clear();
  return !failed_;
}

}  // namespace zek
