// What the formatting commands read after their keyword: a numeric argument
// that reports the command's error word when it is missing, and the finish
// step that writes the pending attributes when the command ends its line.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "commands/context.h"
#include "source/cursor.h"

namespace zek {

// Skips blanks and reads an unsigned number (wrapping at 32 bits). Without a
// digit it reports `error_word` and leaves the cursor on the byte it found, so
// that the rest of the line is dispatched again.
std::optional<uint32_t> read_argument(Context& ctx, Cursor& cursor, std::string_view error_word);

// Skips blanks; at the end of the line writes the pending attributes and a
// line end, so that they hold without a group. Otherwise the rest of the line
// is dispatched again and its body text carries them in its own group.
void finish_attribute(Context& ctx, Cursor& cursor);

// A value read from the source stored in a signed field: the same 32 bits.
inline int32_t as_field(uint32_t value) {
  return static_cast<int32_t>(value);
}

}  // namespace zek
