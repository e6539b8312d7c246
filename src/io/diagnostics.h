// Error reports on the source: "<file> <line>: error <message>\n" on
// standard error; every report makes the run fail.
#pragma once

#include <string_view>

#include "commands/context.h"

namespace zek {

void report_error(Context& ctx, std::string_view message);

// "cannot open <name>\n" on standard error.
void report_cannot_open(Context& ctx, std::string_view name);

}  // namespace zek
