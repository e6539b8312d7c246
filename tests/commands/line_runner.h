// Runs source lines through the real line loop on a Context the test can
// inspect: pass 1 without output, pass 2 into memory, and the reset between.
#pragma once

#include <string>

#include "commands/context.h"
#include "convert/line_loop.h"
#include "support/memory_environment.h"

namespace zek::testing {

struct LineRunner {
  Context ctx;
  MemoryEnvironment env;
  StringStream out, err, rtf, id;

  LineRunner() {
    ctx.env = &env;
    ctx.console.out = &out;
    ctx.console.err = &err;
  }

  // Runs `source` as one file in pass 1 (0) or pass 2 (1). In pass 2 the
  // output and ID files are open, as the driver opens them.
  void run(const std::string& source, int pass) {
    env.files["t.zek"] = source;
    if (pass == 1 && !ctx.writer.is_open()) {
      ctx.writer.out.attach(&rtf);
      if (ctx.options.id_mode != IdMode::none) ctx.id_file.attach(&id);
    }
    include_file(ctx, "t.zek", pass == 0 ? Pass::collect_names : Pass::write_output);
    ctx.writer.out.flush();
    ctx.id_file.flush();
  }

  // Both passes with the reset between them, as a whole conversion does.
  void run_both(const std::string& source) {
    run(source, 0);
    reset_for_pass(ctx);
    run(source, 1);
  }
};

}  // namespace zek::testing
