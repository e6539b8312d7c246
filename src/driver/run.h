// One whole run of the converter, in-process: the command line, the console
// streams and the opening of files are handed in; the exit status comes back.
#pragma once

#include <string>
#include <vector>

#include "io/console.h"
#include "io/environment.h"

namespace zek {

// Runs zek2rtf with `arguments` (the program name first) and returns the
// exit status, 0 or 1. `console_charset` is what the console streams show.
int run_converter(const std::vector<std::string>& arguments, Environment& env,
                  OutputStream& standard_output, OutputStream& standard_error,
                  ConsoleCharset console_charset = ConsoleCharset::cp932);

}  // namespace zek
