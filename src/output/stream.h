// Byte streams a conversion reads from and writes to. The driver hands in real
// files; tests and fuzzers hand in memory. Plain interfaces, no platform calls.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace zek {

// A source of bytes read front to back (a source file or an included file).
class InputStream {
 public:
  virtual ~InputStream() = default;
  // Reads up to `size` bytes; returns 0 at the end of the stream or on a read error.
  virtual size_t read(char* buffer, size_t size) = 0;
};

// A destination of bytes (the output file, the ID file, a console stream).
class OutputStream {
 public:
  virtual ~OutputStream() = default;
  // Writes all bytes; false when they could not be written.
  virtual bool write(std::string_view bytes) = 0;
  virtual bool flush() { return true; }
};

// An output file being written. Its bytes become the named file only by
// commit(); a file destroyed without commit() leaves the target as it was.
class OutputFile : public OutputStream {
 public:
  // Flushes, closes and puts the file into place; false on any error.
  virtual bool commit() = 0;
};

}  // namespace zek
