// Line-loop passes on a prepared Context.
#include "support/line_passes.h"

#include <gtest/gtest.h>

#include "convert/line_loop.h"

namespace zek::testing {

LinePasses::LinePasses(Start start, Output written) {
  ctx.env = &env;
  ctx.console.out = &out;
  ctx.console.err = &err;
  const bool text_mode = written == Output::text;
  ctx.options.text_mode = text_mode;
  ctx.writer.text_mode = text_mode;
  if (start == Start::pass_two) reset_for_pass(ctx);
}

void LinePasses::pass_one(const std::string& source) {
  env.files["in.zek"] = source;
  include_file(ctx, "in.zek", Pass::collect_names);
}

std::string LinePasses::pass_two(const std::string& source) {
  env.files["in.zek"] = source;
  if (!ctx.writer.is_open()) {
    ctx.writer.out.attach(&output);
    if (ctx.options.id_mode != IdMode::none) ctx.id_file.attach(&id);
  }
  output.bytes.clear();
  include_file(ctx, "in.zek", Pass::write_output);
  ctx.writer.out.flush();
  ctx.id_file.flush();
  return output.bytes;
}

std::string LinePasses::both_passes(const std::string& source) {
  pass_one(source);
  reset_for_pass(ctx);
  return pass_two(source);
}

void LinePasses::check_pass_two(const Conversion& c) {
  ASSERT_EQ(c.files.size(), 1u) << c.name;
  EXPECT_EQ(pass_two(c.sources.at("in.zek")), c.files.begin()->second);
  EXPECT_EQ(out.bytes, c.out);
  EXPECT_EQ(err.bytes, c.err);
}

}  // namespace zek::testing
