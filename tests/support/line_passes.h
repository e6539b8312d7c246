// Source lines run through the real line loop on a Context that a test
// prepares beforehand and inspects afterwards: pass 1 as a conversion starts
// it, or pass 2 against run-wide state the test set up (a current topic, a
// button target, a mode), with the output and ID files in memory.
#pragma once

#include <string>

#include "commands/context.h"
#include "support/conversion.h"
#include "support/memory_environment.h"

namespace zek::testing {

class LinePasses {
 public:
  enum class Start {
    pass_one,  // a fresh Context, as a conversion begins
    pass_two,  // the reset between the passes done, as pass 2 begins
  };
  enum class Output { rtf, text };

  explicit LinePasses(Start start = Start::pass_one, Output written = Output::rtf);

  // Reads `source` (as "in.zek") as pass 1 does: names and macros, no output.
  void pass_one(const std::string& source);
  // Runs `source` as pass 2 with the output (and, under -I, the ID) file
  // open; returns the bytes these lines wrote to the output file.
  std::string pass_two(const std::string& source);
  // Both passes with the reset between them, as a whole conversion runs
  // them; returns the bytes of pass 2.
  std::string both_passes(const std::string& source);
  // Runs the case's "in.zek" as pass 2 and checks the bytes written against
  // its one output file, and both console streams.
  void check_pass_two(const Conversion& c);

  MemoryEnvironment env;
  StringStream out, err;  // the console streams
  StringStream output;    // the output file: what the last pass_two wrote
  StringStream id;        // the ID file
  // Declared after the streams: the context flushes into them when destroyed.
  Context ctx;
};

}  // namespace zek::testing
