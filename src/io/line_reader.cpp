// Line reading in large chunks; a line is whatever ends with LF.
#include "io/line_reader.h"

#include <algorithm>
#include <cstring>

namespace zek {

bool LineReader::fill() {
  if (at_end_) return false;
  constexpr size_t kChunk = size_t{1} << 16;
  const size_t pending = end_ - start_;
  if (capacity_ - pending < kChunk) {  // room for a chunk after the pending bytes
    const size_t capacity = std::max(kChunk, 2 * capacity_);
    std::unique_ptr<char[]> larger(new char[capacity]);
    if (pending > 0) std::memcpy(larger.get(), buffer_.get() + start_, pending);
    buffer_ = std::move(larger);
    capacity_ = capacity;
  } else if (start_ > 0 && pending > 0) {
    std::memmove(buffer_.get(), buffer_.get() + start_, pending);
  }
  start_ = 0;
  end_ = pending;
  const size_t got = input_.read(buffer_.get() + end_, capacity_ - end_);
  end_ += got;
  if (got == 0) at_end_ = true;
  return got > 0;
}

bool LineReader::read_line(std::string& line) {
  size_t searched = start_;
  for (;;) {
    const char* begin = buffer_.get() + searched;
    const void* lf = searched < end_ ? std::memchr(begin, '\n', end_ - searched) : nullptr;
    if (lf != nullptr) {
      const auto end = static_cast<size_t>(static_cast<const char*>(lf) - buffer_.get()) + 1;
      line.assign(buffer_.get() + start_, end - start_);
      start_ = end;
      return true;
    }
    const size_t pending = end_ - start_;
    if (!fill()) {
      if (pending == 0) return false;
      line.assign(buffer_.get() + start_, pending);
      start_ = end_;
      return true;
    }
    searched = start_ + pending;
  }
}

}  // namespace zek
