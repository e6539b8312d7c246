// What a conversion is handed from outside: opening the files it reads and
// writes. The driver supplies real files; tests and fuzzers supply memory.
#pragma once

#include <memory>
#include <string>

#include "output/stream.h"

namespace zek {

class Environment {
 public:
  virtual ~Environment() = default;
  // Opens a file for reading in binary mode; null when it cannot be opened.
  virtual std::unique_ptr<InputStream> open_input(const std::string& name) = 0;
  // Creates a file for writing in binary mode; null when it cannot be created.
  virtual std::unique_ptr<OutputFile> create_output(const std::string& name) = 0;
  // Whether the two names denote the same existing file.
  virtual bool same_file(const std::string& a, const std::string& b) = 0;
};

}  // namespace zek
