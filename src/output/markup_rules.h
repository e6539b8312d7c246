// The help-compiler markup that a plain rendering leaves out: hot-spot groups
// keep their text, hidden jump codes and footnotes vanish, bitmaps and
// embedded windows become "??", authored buttons become "<label>".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zek {

// Applies the markup rules to `text` until none applies; the result, or
// nothing when no rule applied.
std::optional<std::string> strip_markup(std::string_view text);

}  // namespace zek
