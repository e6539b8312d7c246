// The plain-text rendering of text mode (plain_printf): help-compiler markup
// stripped, raw regions without their braces and control words.
#pragma once

#include <string_view>

#include "output/sink.h"

namespace zek {

// Writes the plain rendering of `text` to `out`.
void write_plain(Sink& out, std::string_view text);

}  // namespace zek
