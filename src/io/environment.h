// What a conversion reads and writes and is handed from outside: byte
// streams, output files and folders, and the environment that opens them.
// The driver supplies real files; tests and fuzzers supply memory. Plain
// interfaces, no platform calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zek {

// The identity of a file on disk, whatever name it was reached by: device and
// inode on POSIX, volume serial number and file index on Windows.
struct FileIdentity {
  uint64_t volume = 0;
  uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};

// A source of bytes read front to back (a source file or an included file).
class InputStream {
 public:
  virtual ~InputStream() = default;
  // Reads up to `size` bytes; returns 0 at the end of the stream or on a read error.
  virtual size_t read(char* buffer, size_t size) = 0;
  // The file the bytes come from, when they come from one.
  virtual std::optional<FileIdentity> identity() const { return std::nullopt; }
};

// A destination of bytes (the output file, the ID file, a console stream).
class OutputStream {
 public:
  virtual ~OutputStream() = default;
  // Writes all bytes; false when they could not be written.
  virtual bool write(std::string_view bytes) = 0;
  // Writes the first `size` of the `capacity` bytes of `buffer`. A stream
  // that writes later may keep the buffer and leave another one of the same
  // capacity in its place, which saves copying the bytes.
  virtual bool write_buffer(std::unique_ptr<char[]>& buffer, size_t size, size_t capacity) {
    (void)capacity;
    return write(std::string_view(buffer.get(), size));
  }
  virtual bool flush() { return true; }
};

// An output file being written. Its bytes become the named file only by
// commit(); discard(), or destruction without commit(), leaves the target as
// it was. (A target that is a device or a pipe is written in place.)
class OutputFile : public OutputStream {
 public:
  // Writes out everything and closes the file; false on any error. It is
  // the step that can fail for want of space, so a run finishes all its
  // files before it commits any of them.
  virtual bool finish() = 0;
  // Finishes the file if need be and puts it into place; false on any error,
  // and the target is then left as it was.
  virtual bool commit() = 0;
  // Closes and throws away what was written.
  virtual void discard() = 0;
  // Whether the bytes go to a file of their own that replaces the target
  // (not to a device or a pipe, which may be the console too).
  virtual bool replaces_target() const { return false; }
};

// Files written together into a temporary folder of their own and put into
// place beside the target only by commit(): an HTML Help project, whose
// pages, contents and index must all come from the same run.
class OutputFolder {
 public:
  virtual ~OutputFolder() = default;
  // Starts the file `relative` inside the set: a plain name, or one folder
  // name, "/" and a plain name. Null when it cannot be created.
  virtual std::unique_ptr<OutputStream> create(const std::string& relative) = 0;
  // Puts the whole file `relative` with `bytes` into the set; false on error.
  virtual bool put(const std::string& relative, std::string_view bytes) {
    std::unique_ptr<OutputStream> file = create(relative);
    return file && file->write(bytes) && file->flush();
  }
  // Whether put() and create() may be called from several threads at once.
  virtual bool takes_files_at_once() const { return false; }
  // Puts every file and folder of the set into place, replacing those of
  // the same names; `last` (one of them) is moved last, so that it appears
  // only when everything else is there. False on any error.
  virtual bool commit(const std::string& last) = 0;
  // Throws away everything written.
  virtual void discard() = 0;
};

// Opening the files a conversion reads and writes.
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

// An environment that passes everything on and remembers which files were
// opened for reading, so that the run can refuse to write over any of them.
class RecordingEnvironment : public Environment {
 public:
  explicit RecordingEnvironment(Environment& inner) : inner_(inner) {}

  std::unique_ptr<InputStream> open_input(const std::string& name) override {
    std::unique_ptr<InputStream> input = inner_.open_input(name);
    if (input) {
      ++opened_;
      names_.push_back(name);
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

  // How many files were opened for reading so far, and their names.
  size_t opened() const { return opened_; }
  const std::vector<std::string>& names() const { return names_; }

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
  std::vector<std::string> names_;
  size_t opened_ = 0;
};

}  // namespace zek
