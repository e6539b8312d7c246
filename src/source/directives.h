// Preprocessor directives: lines and line rests that begin with "#".
#pragma once

#include "base/options.h"
#include "checks/check_notes.h"
#include "io/console.h"
#include "source/cursor.h"
#include "source/macro_table.h"

namespace zek {

// What a directive hands on to the line loop. Either way the loop dispatches
// what the directive left of the line.
enum class DirectiveOutcome {
  handled,
  // "#32" in a 32-bit build: the rest is a line of its own, so the pending
  // attributes are made unset before it is dispatched.
  rest_is_new_line,
};

// The run state a directive reads and changes.
struct DirectiveInputs {
  const Options& options;
  MacroTable& macros;
  Diagnostics& diag;
  CheckRecorder* checks = nullptr;  // told of each #define under -C
};

// Handles the directive at the cursor (which stands on the "#"). It consumes
// the line or leaves the cursor after its word for the rest to be dispatched.
DirectiveOutcome handle_directive(DirectiveInputs in, FileState& file, Cursor& cursor);

}  // namespace zek
