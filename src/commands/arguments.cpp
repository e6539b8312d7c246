// Numeric arguments and the finish step of the formatting commands.
#include "commands/arguments.h"

#include "commands/paragraph.h"
#include "io/console.h"
#include "source/cursor.h"

namespace zek {

std::optional<uint32_t> read_argument(Context& ctx, Cursor& cursor, std::string_view error_word) {
  skip_blanks(cursor);
  std::optional<uint32_t> value = read_number(cursor);
  if (!value) ctx.diag.report_error(error_word);
  return value;
}

void finish_attribute(Context& ctx, Cursor& cursor) {
  skip_blanks(cursor);
  if (!cursor.at_end()) return;
  emit_format_state_alone(ctx);
}

}  // namespace zek
