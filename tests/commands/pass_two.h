// Runs source lines through the line loop as pass 2 of a conversion whose
// run-wide state a test has prepared (a current topic, a button target),
// collecting the output file's bytes.
#pragma once

#include <string>

#include "commands/context.h"
#include "convert/line_loop.h"
#include "support/memory_environment.h"

namespace zek::testing {

class PassTwo {
 public:
  explicit PassTwo(bool text_mode = false) {
    ctx.env = &env;
    ctx.console.out = &out;
    ctx.console.err = &err;
    ctx.options.text_mode = text_mode;
    ctx.writer.text_mode = text_mode;
    ctx.writer.out.attach(&output);
    reset_for_pass(ctx);
  }

  // The bytes the lines write.
  std::string run(const std::string& source) {
    output.bytes.clear();
    env.files["in.zek"] = source;
    include_file(ctx, "in.zek", Pass::write_output);
    ctx.writer.out.flush();
    return output.bytes;
  }

  MemoryEnvironment env;
  StringStream out, err, output;
  Context ctx;
};

}  // namespace zek::testing
