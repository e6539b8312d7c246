// One conversion's run-wide state, owned by the driver and handed to every
// handler. It only aggregates the state of each subsystem; behaviour lives in
// the subsystems' own files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/options.h"
#include "checks/check_notes.h"
#include "commands/format_state.h"
#include "commands/topic_state.h"
#include "io/console.h"
#include "io/environment.h"
#include "io/sink.h"
#include "names/name_table.h"
#include "output/writer.h"
#include "source/macro_table.h"

namespace zek {

class Environment;
class LinkMatcher;

struct Context {
  Context();
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  Environment* env = nullptr;  // opens source files
  Options options;
  Console console;
  Diagnostics diag{console};
  int include_depth = 0;

  MacroTable macros;
  NameTable names;
  std::unique_ptr<LinkMatcher> link_matcher;  // built after pass 1 and -J

  Writer writer;  // the output file
  Sink id_file;   // the ID file (-I)

  HeaderState headers;
  Modes modes;
  FormatContext format;
  CheckRecorder checks{diag, names};  // what pass 2 wrote, kept only under -C
};

}  // namespace zek
