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
#include <string_view>

#include "io/environment.h"
#include "io/temporary_registry.h"

namespace zek {

// A regular file opened for reading; null when `name` cannot be opened or is
// no regular file.
std::unique_ptr<InputStream> open_regular_file(const std::string& name);

// Writes `bytes` at byte `offset` of `file`, and reads up to `size` bytes
// from `offset` (how many it read: 0 at the end or on an error), also beyond
// what a long can hold. Neither moves the stream's own position or uses its
// buffer, so that one thread may write while others read, each at its own
// place; a file is accessed by these two only.
bool write_file_at(std::FILE* file, uint64_t offset, std::string_view bytes);
size_t read_file_at(std::FILE* file, uint64_t offset, char* buffer, size_t size);

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

// Second names for the files of an old project that a new project would
// write again byte for byte, made in the new project's temporary folder. A
// file is shared only when that cannot change what the new project is: a
// regular file (not a link) of no other name, the user's own, with the
// permissions a new file in the temporary folder gets.
class UnchangedFileLinker {
 public:
  // `folder`: the temporary folder the links are made in.
  explicit UnchangedFileLinker(const std::string& folder);
  // Makes `link` a second name of the file `existing` when that file holds
  // exactly `bytes` and may be shared. False, with nothing made, when it
  // is not or the link cannot be made: the caller writes the file then.
  bool link(const std::string& existing, const std::string& link, std::string_view bytes) const;

 private:
  bool usable_ = false;
  uint32_t permissions_ = 0;
  uint64_t owner_ = 0;
};

// A new temporary folder inside `folder` ("" for the current folder, else
// ending in a separator); null when it cannot be created.
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
