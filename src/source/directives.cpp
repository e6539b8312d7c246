// Preprocessor directives: the single-level #if32/#if16 sections, "#32"
// lines, #define and #undef, and the lines kept for one kind of output only.
#include "source/directives.h"

#include "io/diagnostics.h"
#include "source/keyword.h"

namespace zek {

namespace {

// #if32 and #if16: open a section that is kept when the build matches.
void open_section(Context& ctx, FileState& file, Cursor& cursor, std::string_view word, bool kept) {
  if (file.condition_state != -1) {
    report_error(ctx, word);  // one level only; the rest of the line goes on
    return;
  }
  file.condition_state = kept ? 1 : 0;
  cursor.consume();
}

void flip_section(Context& ctx, FileState& file, Cursor& cursor) {
  if (file.condition_state == -1) {
    report_error(ctx, "#else");
    return;
  }
  file.condition_state = file.condition_state == 0 ? 1 : 0;
  cursor.consume();
}

void close_section(Context& ctx, FileState& file, Cursor& cursor) {
  if (file.condition_state == -1) {
    report_error(ctx, "#endif");
    return;
  }
  file.condition_state = -1;
  cursor.consume();
}

// "#32": in a 32-bit build the rest of the line is a line of its own.
void line_for_32_bit(Context& ctx, Cursor& cursor) {
  if (ctx.options.mode32) {
    ctx.format.state.unset_pending();
  } else {
    cursor.consume();
  }
}

// Handles the conditional words, which work in skipped sections and with -D.
bool handle_conditional(Context& ctx, FileState& file, Cursor& cursor) {
  const bool mode32 = ctx.options.mode32;
  if (match_keyword(cursor, "#if32")) {
    open_section(ctx, file, cursor, "#if32", mode32);
  } else if (match_keyword(cursor, "#if16")) {
    open_section(ctx, file, cursor, "#if16", !mode32);
  } else if (match_keyword(cursor, "#else")) {
    flip_section(ctx, file, cursor);
  } else if (match_keyword(cursor, "#endif")) {
    close_section(ctx, file, cursor);
  } else if (match_keyword(cursor, "#32")) {
    line_for_32_bit(ctx, cursor);
  } else {
    return false;
  }
  return true;
}

void report_if_failed(Context& ctx, std::string_view error_word) {
  if (!error_word.empty()) report_error(ctx, error_word);
}

}  // namespace

void handle_directive(Context& ctx, FileState& file, Cursor& cursor) {
  if (handle_conditional(ctx, file, cursor)) return;
  if (file.condition_state == 0 || ctx.options.ignore_directives) {
    cursor.consume();
    return;
  }
  if (match_keyword(cursor, "#define")) {
    report_if_failed(ctx, ctx.macros.define(cursor.rest()));
  } else if (match_keyword(cursor, "#undef")) {
    report_if_failed(ctx, ctx.macros.undefine(cursor.rest()));
  } else if (match_keyword(cursor, "#text")) {
    if (ctx.options.text_mode) return;  // the rest is a line of text output
  } else if (match_keyword(cursor, "#rtf")) {
    if (!ctx.options.text_mode) return;  // the rest is a line of RTF output
  } else {
    report_error(ctx, "#");
  }
  cursor.consume();
}

}  // namespace zek
