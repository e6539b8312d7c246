// The reference report of -R: how often each name was linked.
#pragma once

#include "commands/context.h"

namespace zek {

void write_reference_report(Context& ctx);

}  // namespace zek
