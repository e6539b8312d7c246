// Recording pass 2 for -C: each event of what was written is copied, with
// the source line that wrote it, into the CheckLog.
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
  if (watching_document_) document_.raw(rtf, in_group, current_place());
}

// A body line's raw regions may hold jump codes and braces.
void CheckRecorder::body_line(std::string_view body, bool in_group) {
  if (!recording_) return;
  const std::vector<std::string_view> regions = raw_regions(body);
  if (regions.empty()) return;
  const SourcePlace place = current_place();
  for (std::string_view region : regions) {
    add_raw_jumps(region);
    if (watching_document_) document_.raw(region, in_group, place);
  }
}

}  // namespace zek
