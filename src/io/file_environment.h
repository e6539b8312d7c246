// The environment of a real run: files on disk and the process's console.
#pragma once

#include <cstdio>

#include "io/environment.h"
#include "io/temporary_registry.h"

namespace zek {

class FileEnvironment : public Environment {
 public:
  // With `temporaries`, every temporary an output file is written under is
  // registered there while it exists.
  explicit FileEnvironment(TemporaryRegistry* temporaries = nullptr) : temporaries_(temporaries) {}
  std::unique_ptr<InputStream> open_input(const std::string& name) override;
  std::unique_ptr<OutputFile> create_output(const std::string& name) override;
  std::optional<FileIdentity> identify(const std::string& name) override;
  std::unique_ptr<OutputFolder> create_output_folder(const std::string& folder) override;

 private:
  TemporaryRegistry* temporaries_;
};

// A console stream (standard output or standard error), written through the
// C library stream.
class ConsoleStream : public OutputStream {
 public:
  explicit ConsoleStream(std::FILE* file) : file_(file) {}
  bool write(std::string_view bytes) override;
  bool flush() override;

 private:
  std::FILE* file_;
};

}  // namespace zek
