// Recording pass 2 for -C: each event of what was written is copied, with
// the source line that wrote it, into the CheckLog; then the notes about the
// document as a whole and about the source behind it: .start, .end and the
// output between them, settings written outside any group, the end of the
// source, macros and keywords.
#include "checks/check_notes.h"

#include "base/cat.h"
#include "base/sjis.h"
#include "names/context_strings.h"
#include "names/jump_codes.h"

namespace zek {

SourcePlace CheckRecorder::current_place() {
  return {diag_.current_file_name, diag_.current_line_number, log_.next_sequence++};
}

SourcePlace CheckRecorder::place_here() {
  return current_place();
}

SourcePlace CheckRecorder::place_at(std::string_view file, uint32_t line) {
  return {std::string(file), line, log_.next_sequence++};
}

void CheckRecorder::add_finding(Finding kind, const SourcePlace& place, std::string detail) {
  FindingRecord record;
  record.kind = kind;
  record.detail = std::move(detail);
  record.place = place;
  log_.findings.push_back(std::move(record));
}

void CheckRecorder::add_raw_jumps(std::string_view rtf) {
  for (std::string& target : hidden_jump_targets(rtf)) {
    log_.raw_jumps.push_back({std::move(target), current_place()});
  }
}

void CheckRecorder::add_bitmaps(std::string_view text) {
  if (text.find('{') == std::string_view::npos) return;
  for (const std::string_view name : bitmap_names(text)) {
    log_.bitmaps.push_back({std::string(name), current_place()});
  }
}

void CheckRecorder::topic_begun(std::string_view title, bool popup) {
  if (!recording_) return;
  if (watching_document_) document_.topic();
  log_.topics.push_back({std::string(title), popup, current_place()});
  add_footnote('$', title);
}

void CheckRecorder::footnote(char mark, std::string_view text) {
  if (!recording_) return;
  if (mark == '#') {
    add_context_string(text);
  } else {
    add_footnote(mark, text);
  }
}

void CheckRecorder::add_footnote(char mark, std::string_view text) {
  if (mark == 'K' && line_expanded_) check_keyword_list(text);
  log_.footnotes.push_back({mark, std::string(text), log_.current_topic(), current_place()});
}

void CheckRecorder::context_number(int32_t number) {
  if (!recording_) return;
  ContextRecord record;
  record.context_string = cat("XX", static_cast<uint32_t>(number));
  if (number >= 0 && static_cast<size_t>(number) < names_.size()) {
    record.name = names_[static_cast<size_t>(number)].name;
  }
  record.numbered = true;
  record.topic = log_.current_topic();
  record.place = current_place();
  log_.contexts.push_back(std::move(record));
}

// A "#" footnote the author named (.idx, .id, an "@" name under -I@@), as
// the source wrote it; it is recorded sanitized, as the help compiler reads it.
void CheckRecorder::add_context_string(std::string_view text) {
  ContextRecord record;
  record.context_string = sanitize_context_string(text);
  record.from_application = true;
  record.topic = log_.current_topic();
  record.place = current_place();
  log_.contexts.push_back(std::move(record));
}

void CheckRecorder::hot_spot(size_t target_index) {
  if (!recording_) return;
  const NameEntry& target = names_[target_index];
  if (target.kind == NameKind::external) return;  // a jump into the other help file
  const auto number = static_cast<size_t>(static_cast<uint32_t>(target.number));
  if (number >= log_.hot_spot_entries.size()) log_.hot_spot_entries.resize(number + 1, false);
  log_.hot_spot_entries[number] = true;
}

void CheckRecorder::group_jump(std::string_view context_string) {
  if (!recording_) return;
  log_.jump_targets.insert(context_key(context_string));
}

void CheckRecorder::raw_rtf(std::string_view rtf, bool in_group) {
  if (!recording_) return;
  add_raw_jumps(rtf);
  add_bitmaps(rtf);
  if (watching_document_) document_.raw(rtf, in_group, current_place());
}

// A body line's raw regions may hold jump codes and braces.
void CheckRecorder::body_line(std::string_view body, bool in_group) {
  if (!recording_) return;
  add_bitmaps(body);
  const std::vector<std::string_view> regions = raw_regions(body);
  if (regions.empty()) return;
  const SourcePlace place = current_place();
  for (std::string_view region : regions) {
    add_raw_jumps(region);
    if (watching_document_) document_.raw(region, in_group, place);
  }
}

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
