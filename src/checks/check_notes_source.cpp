// Recording pass 2 for -C, the notes about the document as a whole and about
// the source behind it: .start, .end and the output between them, settings
// written outside any group, the end of the source, macros and keywords.
#include "base/sjis.h"
#include "checks/check_notes.h"

namespace zek {

void CheckRecorder::output_moved(uint32_t column) {
  seen_column_ = column;
  document_.output(current_place());
}

void CheckRecorder::document_started(uint32_t column_before, uint32_t column_after) {
  if (!watching_document_) return;
  note_output(column_before);  // what the line wrote before .start
  seen_column_ = column_after;
  document_.start();
}

void CheckRecorder::document_ended(uint32_t column) {
  if (!watching_document_) return;
  note_output(column);
  document_.end();
}

// Every page break ends the raw groups' segment; a header's own follows
// with topic_begun.
void CheckRecorder::page_ended() {
  if (watching_document_) document_.page();
}

void CheckRecorder::lasting_format(int32_t font, int32_t size, bool in_group) {
  if (!watching_document_ || (font < 0 && size < 0)) return;
  document_.font_and_size(font, size, in_group, current_place());
}

void CheckRecorder::note_source_end(std::string_view file, uint32_t last_line, uint32_t open_groups,
                                    const std::vector<bool>& macros_expanded) {
  if (!recording_) return;
  find_unused_macros(macros_expanded);
  if (watching_document_) document_.source_end(place_at(file, last_line), open_groups);
}

void CheckRecorder::note_macro_definition(size_t row, std::string_view name, bool changed) {
  if (!recording_) return;
  const SourcePlace place = current_place();
  if (name.find(' ') != std::string_view::npos) {
    add_finding(Finding::blank_in_macro_name, place, std::string(name));
  }
  if (row >= macro_rows_.size()) macro_rows_.resize(row + 1);
  MacroDefinition& definition = macro_rows_[row];
  if (definition.name != name) {  // a new row (or one taken again after #undef)
    definition = MacroDefinition{std::string(name), place, place};
    return;
  }
  if (changed) {
    add_finding(Finding::macro_redefined, place, std::string(name));
    log_.findings.back().first = definition.latest;
  }
  definition.latest = place;
}

// A row that expanded in neither pass is reported at its first definition.
void CheckRecorder::find_unused_macros(const std::vector<bool>& expanded) {
  for (size_t row = 0; row < macro_rows_.size(); ++row) {
    const MacroDefinition& definition = macro_rows_[row];
    if (definition.name.empty()) continue;
    const bool used = (row < expanded.size() && expanded[row]) ||
                      (row < first_pass_macros_.size() && first_pass_macros_[row]);
    if (!used) add_finding(Finding::unused_macro, definition.first, definition.name);
  }
}

// A keyword list that macro expansion changed: an empty keyword in it (the
// whole text, or a piece between semicolons) is one the expansion emptied.
void CheckRecorder::check_keyword_list(std::string_view keywords) {
  size_t start = 0;
  while (true) {
    const size_t semicolon = mbs_strchr(keywords, ';', start);
    const std::string_view keyword = keywords.substr(
        start, semicolon == std::string_view::npos ? std::string_view::npos : semicolon - start);
    if (keyword.find_first_not_of(' ') == std::string_view::npos) {
      add_finding(Finding::empty_keyword, current_place());
      return;
    }
    if (semicolon == std::string_view::npos) return;
    start = semicolon + 1;
  }
}

// A .search argument that macro expansion emptied.
void CheckRecorder::keyword_from_title() {
  if (recording_ && line_expanded_) add_finding(Finding::empty_keyword, current_place());
}

}  // namespace zek
