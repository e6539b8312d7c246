// One conversion's run-wide state, owned by the driver and handed to every
// handler. It only aggregates the state of each subsystem; behaviour lives in
// the subsystems' own files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "driver/options.h"
#include "format/format_state.h"
#include "names/check_log.h"
#include "names/name_table.h"
#include "output/sink.h"
#include "output/stream.h"
#include "output/writer.h"
#include "source/macro_table.h"
#include "topics/topic_state.h"

namespace zek {

class CodePageConverter;
class Environment;
class LinkMatcher;

// Where errors are reported and what the run has failed on.
struct Diagnostics {
  std::string current_file_name;
  uint32_t current_line_number = 0;
  bool failure_flag = false;
};

// Standard output and standard error. The program's own texts and source
// text are code page 932; on a UTF-8 console they are converted on the way
// out. File names are written as they are, in the file system's own bytes.
struct Console {
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

struct Context {
  Context();
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  Environment* env = nullptr;  // opens source files
  Options options;
  Console console;
  Diagnostics diag;
  int include_depth = 0;

  MacroTable macros;
  NameTable names;
  std::unique_ptr<LinkMatcher> link_matcher;  // built after pass 1 and -J

  Writer writer;  // the output file
  Sink id_file;   // the ID file (-I)

  HeaderState headers;
  Modes modes;
  FormatContext format;
  CheckLog checks;  // what pass 2 wrote, kept only under -C
};

}  // namespace zek
