// Preprocessor directives: the single-level #if32/#if16 sections, "#32"
// lines, #define and #undef, and the lines kept for one kind of output only.
#include "source/directives.h"

#include "source/cursor.h"

namespace zek {

namespace {

// #if32 and #if16: open a section that is kept when the build matches.
void open_section(Diagnostics& diag, FileState& file, Cursor& cursor, std::string_view word,
                  bool kept) {
  if (file.condition != Condition::outside) {
    diag.report_error(word);  // one level only; the rest of the line goes on
    return;
  }
  file.condition = kept ? Condition::kept : Condition::skipped;
  cursor.consume();
}

void flip_section(Diagnostics& diag, FileState& file, Cursor& cursor) {
  if (file.condition == Condition::outside) {
    diag.report_error("#else");
    return;
  }
  file.condition = file.condition == Condition::skipped ? Condition::kept : Condition::skipped;
  cursor.consume();
}

void close_section(Diagnostics& diag, FileState& file, Cursor& cursor) {
  if (file.condition == Condition::outside) {
    diag.report_error("#endif");
    return;
  }
  file.condition = Condition::outside;
  cursor.consume();
}

// "#32": in a 32-bit build the rest of the line is a line of its own.
DirectiveOutcome line_for_32_bit(const Options& options, Cursor& cursor) {
  if (options.mode32) return DirectiveOutcome::rest_is_new_line;
  cursor.consume();
  return DirectiveOutcome::handled;
}

// Handles the conditional words, which work in skipped sections and with -D.
std::optional<DirectiveOutcome> handle_conditional(DirectiveInputs in, FileState& file,
                                                   Cursor& cursor) {
  const bool mode32 = in.options.mode32;
  if (match_keyword(cursor, "#if32")) {
    open_section(in.diag, file, cursor, "#if32", mode32);
  } else if (match_keyword(cursor, "#if16")) {
    open_section(in.diag, file, cursor, "#if16", !mode32);
  } else if (match_keyword(cursor, "#else")) {
    flip_section(in.diag, file, cursor);
  } else if (match_keyword(cursor, "#endif")) {
    close_section(in.diag, file, cursor);
  } else if (match_keyword(cursor, "#32")) {
    return line_for_32_bit(in.options, cursor);
  } else {
    return std::nullopt;
  }
  return DirectiveOutcome::handled;
}

void report_if_failed(Diagnostics& diag, std::string_view error_word) {
  if (!error_word.empty()) diag.report_error(error_word);
}

void define(DirectiveInputs in, std::string_view text) {
  const std::string_view error_word = in.macros.define(text);
  report_if_failed(in.diag, error_word);
  if (!error_word.empty() || in.checks == nullptr) return;
  const MacroTable::DefineNote& note = in.macros.last_define();
  const std::optional<std::string>& name = in.macros.rows()[note.row].name;
  if (name) in.checks->note_macro_definition(note.row, *name, note.changed);
}

}  // namespace

DirectiveOutcome handle_directive(DirectiveInputs in, FileState& file, Cursor& cursor) {
  if (const std::optional<DirectiveOutcome> outcome = handle_conditional(in, file, cursor)) {
    return *outcome;
  }
  if (file.condition == Condition::skipped || in.options.ignore_directives) {
    cursor.consume();
    return DirectiveOutcome::handled;
  }
  if (match_keyword(cursor, "#define")) {
    define(in, cursor.rest());
  } else if (match_keyword(cursor, "#undef")) {
    report_if_failed(in.diag, in.macros.undefine(cursor.rest()));
  } else if (match_keyword(cursor, "#text")) {
    // the rest is a line of text output
    if (in.options.text_mode) return DirectiveOutcome::handled;
  } else if (match_keyword(cursor, "#rtf")) {
    // the rest is a line of RTF output
    if (!in.options.text_mode) return DirectiveOutcome::handled;
  } else {
    in.diag.report_error("#");
  }
  cursor.consume();
  return DirectiveOutcome::handled;
}

}  // namespace zek
