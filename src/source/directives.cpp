// Preprocessor directives (to come: every "#" word is reported).
#include "source/directives.h"

#include "source/diagnostics.h"

namespace zek {

void handle_directive(Context& ctx, FileState&, Cursor& cursor) {
  report_error(ctx, "#");
  cursor.consume();
}

}  // namespace zek
