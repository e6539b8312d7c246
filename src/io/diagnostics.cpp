// Error reports in the frame the help author sees on the console. File names
// are written as they are; the message, which may quote source text, is
// console text.
#include "io/diagnostics.h"

#include "base/cat.h"

namespace zek {

void Diagnostics::report_error(std::string_view message) {
  console_.write_err_name(current_file_name);
  console_.write_err(cat(' ', current_line_number, ": error ", message, '\n'));
  failure_flag = true;
}

void Diagnostics::report_cannot_open(std::string_view name) const {
  console_.write_err_name(cat("cannot open ", name, '\n'));
}

}  // namespace zek
