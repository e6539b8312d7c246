// What a conversion is handed from outside: opening the files it reads and
// writes. The driver supplies real files; tests and fuzzers supply memory.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "io/stream.h"

namespace zek {

class Environment {
 public:
  virtual ~Environment() = default;
  // Opens a regular readable file in binary mode; null when it cannot be
  // opened or is no regular file (a folder, a device, a pipe).
  virtual std::unique_ptr<InputStream> open_input(const std::string& name) = 0;
  // Starts writing a file in binary mode; null when it cannot be created.
  // What is written replaces the named file only when it is committed.
  virtual std::unique_ptr<OutputFile> create_output(const std::string& name) = 0;
  // The identity of the existing file `name` denotes; none when there is none.
  virtual std::optional<FileIdentity> identify(const std::string& name) = 0;
  // Starts a set of files written into a new temporary folder inside
  // `folder` ("" the current one) and moved there on commit; null when it
  // cannot be created. (The temporary folder is made here, so that whoever
  // cleans up after an interrupted run can learn of it here too.)
  virtual std::unique_ptr<OutputFolder> create_output_folder(const std::string& folder) {
    (void)folder;
    return nullptr;
  }
};

}  // namespace zek
