// Files on disk. The few platform calls of a run, behind small functions:
// opening a regular file for reading, telling which file a name denotes, and
// writing a file safely (under a temporary name beside it, renamed into place
// at the end); POSIX and Windows each have their own implementation file.
// Over them, alike on every platform: the environment of a real run, the
// console streams, and the temporary folder an HTML Help project is written
// into, beside its target folder, and moved into place only when the run
// succeeded.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "io/environment.h"
#include "io/temporary_registry.h"

namespace zek {

// A regular file opened for reading; null when `name` cannot be opened or is
// no regular file.
std::unique_ptr<InputStream> open_regular_file(const std::string& name);

// Sets the position of `file` to `offset` bytes from its start, also beyond
// what a long can hold; false on failure.
bool seek_file(std::FILE* file, uint64_t offset);

// The identity of the file `name` denotes (links followed); none when no
// file is there.
std::optional<FileIdentity> file_identity(const std::string& name);

// A file to be written. A regular or missing target is written under a new,
// exclusively created temporary name in the same folder and renamed over the
// target by commit(); a device or a pipe is written in place. Null when the
// target is a folder or the file cannot be created. With `temporaries`, the
// temporary is registered there from its creation until it is renamed or
// deleted.
std::unique_ptr<OutputFile> create_replacement(const std::string& name,
                                               TemporaryRegistry* temporaries = nullptr);

// A new temporary folder inside `folder` ("" for the current folder); null
// when it cannot be created.
std::unique_ptr<OutputFolder> create_project_folder(const std::string& folder);

// The environment of a real run: files on disk and the process's console.
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
