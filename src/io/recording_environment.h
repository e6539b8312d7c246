// An environment that passes everything on and remembers which files were
// opened for reading, so that the run can refuse to write over any of them.
#pragma once

#include <vector>

#include "io/environment.h"

namespace zek {

class RecordingEnvironment : public Environment {
 public:
  explicit RecordingEnvironment(Environment& inner) : inner_(inner) {}

  std::unique_ptr<InputStream> open_input(const std::string& name) override {
    std::unique_ptr<InputStream> input = inner_.open_input(name);
    if (input) {
      ++opened_;
      if (std::optional<FileIdentity> identity = input->identity()) read_.push_back(*identity);
    }
    return input;
  }
  std::unique_ptr<OutputFile> create_output(const std::string& name) override {
    return inner_.create_output(name);
  }
  std::optional<FileIdentity> identify(const std::string& name) override {
    return inner_.identify(name);
  }
  std::unique_ptr<OutputFolder> create_output_folder(const std::string& folder) override {
    return inner_.create_output_folder(folder);
  }

  // How many files were opened for reading so far.
  size_t opened() const { return opened_; }

  // Whether `identity` is that of a file opened for reading so far.
  bool was_read(const FileIdentity& identity) const {
    for (const FileIdentity& read : read_) {
      if (read == identity) return true;
    }
    return false;
  }

 private:
  Environment& inner_;
  std::vector<FileIdentity> read_;
  size_t opened_ = 0;
};

}  // namespace zek
