// Line reading in large chunks; a line is whatever ends with LF.
#include "source/line_reader.h"

#include <cstring>

namespace zek {

bool LineReader::fill() {
  if (at_end_) return false;
  if (start_ > 0) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
  const size_t old_size = buffer_.size();
  constexpr size_t kChunk = 1 << 16;
  buffer_.resize(old_size + kChunk);
  const size_t got = input_.read(buffer_.data() + old_size, kChunk);
  buffer_.resize(old_size + got);
  if (got == 0) at_end_ = true;
  return got > 0;
}

bool LineReader::read_line(std::string& line) {
  size_t searched = start_;
  for (;;) {
    const char* begin = buffer_.data() + searched;
    const void* lf = std::memchr(begin, '\n', buffer_.size() - searched);
    if (lf != nullptr) {
      const size_t end = static_cast<size_t>(static_cast<const char*>(lf) - buffer_.data()) + 1;
      line.assign(buffer_, start_, end - start_);
      start_ = end;
      return true;
    }
    const size_t pending = buffer_.size() - start_;
    if (!fill()) {
      if (pending == 0) return false;
      line.assign(buffer_, start_, std::string::npos);
      start_ = buffer_.size();
      return true;
    }
    searched = start_ + pending;
  }
}

}  // namespace zek
