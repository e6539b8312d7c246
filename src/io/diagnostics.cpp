// Error reports in the frame the help author sees on the console. File names
// are written as they are; the message, which may quote source text, is
// console text.
#include "io/diagnostics.h"

#include "base/cat.h"

namespace zek {

void report_error(Context& ctx, std::string_view message) {
  ctx.console.write_err_name(ctx.diag.current_file_name);
  ctx.console.write_err(cat(' ', ctx.diag.current_line_number, ": error ", message, '\n'));
  ctx.diag.failure_flag = true;
}

void report_cannot_open(Context& ctx, std::string_view name) {
  ctx.console.write_err_name(cat("cannot open ", name, '\n'));
}

}  // namespace zek
