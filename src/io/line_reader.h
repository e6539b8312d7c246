// Reads a byte stream as lines of any length, each with its LF (the last line
// may lack one). Bytes are kept exactly as read.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "io/environment.h"

namespace zek {

class LineReader {
 public:
  explicit LineReader(InputStream& input) : input_(input) {}
  // Reads the next line into `line`; false at the end of the stream.
  bool read_line(std::string& line);

 private:
  bool fill();
  InputStream& input_;
  // Bytes read and not yet handed out are buffer_[start_, end_); the buffer
  // is not cleared before a read (it grows only for a line longer than it).
  std::unique_ptr<char[]> buffer_;
  size_t capacity_ = 0;
  size_t start_ = 0;
  size_t end_ = 0;
  bool at_end_ = false;
};

}  // namespace zek
