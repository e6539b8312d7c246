// Standard output and standard error. The program's own texts and source
// text are code page 932; on a UTF-8 console they are converted on the way
// out. File names are written as they are, in the file system's own bytes.
#pragma once

#include <memory>
#include <string_view>

#include "io/stream.h"

namespace zek {

class CodePageConverter;

class Console {
 public:
  Console();
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  OutputStream* out = nullptr;  // the -R report, -V lines
  OutputStream* err = nullptr;  // usage, messages, errors, .print
  // Set when the console shows UTF-8.
  std::unique_ptr<CodePageConverter> utf8_converter;

  void write_out(std::string_view text) const;
  void write_err(std::string_view text) const;
  void write_err_name(std::string_view name) const;

 private:
  void write(OutputStream* stream, std::string_view text) const;
};

}  // namespace zek
