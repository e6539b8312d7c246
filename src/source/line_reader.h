// Reads a byte stream as lines of any length, each with its LF (the last line
// may lack one). Bytes are kept exactly as read.
#pragma once

#include <string>

#include "output/stream.h"

namespace zek {

class LineReader {
 public:
  explicit LineReader(InputStream& input) : input_(input) {}
  // Reads the next line into `line`; false at the end of the stream.
  bool read_line(std::string& line);

 private:
  bool fill();
  InputStream& input_;
  std::string buffer_;
  size_t start_ = 0;
  bool at_end_ = false;
};

}  // namespace zek
