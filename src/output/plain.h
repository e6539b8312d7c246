// The plain-text rendering of text mode (plain_printf): help-compiler markup
// stripped, raw regions without their braces and control words. The markup
// it leaves out: hot-spot groups keep their text, hidden jump codes and
// footnotes vanish, bitmaps and embedded windows become "??", authored
// buttons become "<label>".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "io/sink.h"

namespace zek {

// Applies the markup rules to `text` until none applies; the result, or
// nothing when no rule applied.
std::optional<std::string> strip_markup(std::string_view text);

// Writes the plain rendering of `text` to `out`. A text that held only
// markup and a line end leaves nothing, not an empty line.
void write_plain(Sink& out, std::string_view text);

// Writes `text` with the byte rules of the plain rendering (no markup rules):
// tabs, line ends and double-byte characters unchanged, other control bytes
// dropped, and inside a raw region (0x13 to 0x11) no braces and no control words.
void write_plain_bytes(Sink& out, std::string_view text);

}  // namespace zek
