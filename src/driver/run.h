// One whole run of the converter, in-process: the command line, the console
// streams and the opening of files are handed in; the exit status comes back.
#pragma once

#include <string>
#include <vector>

#include "driver/environment.h"
#include "output/stream.h"

namespace zek {

// Runs zek2rtf with `arguments` (the program name first) and returns the
// exit status, 0 or 1.
int run_converter(const std::vector<std::string>& arguments, Environment& env,
                  OutputStream& standard_output, OutputStream& standard_error);

}  // namespace zek
