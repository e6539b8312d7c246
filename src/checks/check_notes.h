// The record that pass 2 keeps for -C. It listens to the writer for what the
// document holds (output/output_listener.h), and the line loop tells it about
// the source: lines, macros, the end of the source. Everything it hears is
// kept only while recording is on (-C given, and the output being written,
// that is, in pass 2).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "checks/check_log.h"
#include "checks/document_watch.h"
#include "io/console.h"
#include "names/name_table.h"
#include "output/output_listener.h"

namespace zek {

class CheckRecorder final : public OutputListener {
 public:
  // Places come from `diag`'s current file and line; hot spots and context
  // numbers are looked up in `names`.
  CheckRecorder(const Diagnostics& diag, const NameTable& names) : diag_(diag), names_(names) {}

  // Switched on for pass 2 of a run with -C, off again after it. The checks
  // of the RTF document itself (its ends, its groups, its formatting) run
  // only when RTF is written, not for .TXT output.
  void set_recording(bool on, bool rtf_output = true) {
    recording_ = on;
    watching_document_ = on && rtf_output;
  }
  bool recording() const { return recording_; }
  const CheckLog& log() const { return log_; }

  // The current source line, numbered in source order; and a line of a file
  // given by name (for what is found when a file ends).
  SourcePlace place_here();
  SourcePlace place_at(std::string_view file, uint32_t line);
  void add_finding(Finding kind, const SourcePlace& place, std::string detail = {});

  // What the document holds, as the writer tells it (the events are
  // described in output/output_listener.h). Hot spots and context numbers
  // are looked up in the NameTable.
  void document_started(uint32_t column_before, uint32_t column_after) override;
  void document_ended(uint32_t column) override;
  void topic_begun(std::string_view title, bool popup) override;
  void page_ended() override;
  void footnote(char mark, std::string_view text) override;
  void context_number(int32_t number) override;
  void keyword_from_title() override;
  void group_jump(std::string_view context_string) override;
  void body_line(std::string_view body, bool in_group) override;
  void hot_spot(size_t target_index) override;
  void raw_rtf(std::string_view rtf, bool in_group) override;
  void lasting_format(int32_t font, int32_t size, bool in_group) override;

  // The writers' column counter after a line or a command: when it moved,
  // the current line wrote output.
  void note_output(uint32_t column) {
    if (watching_document_ && column != seen_column_) output_moved(column);
  }
  // The top source file ended after line `last_line`: `open_groups` groups
  // the converter opened are still open; `macros_expanded` tells, per macro
  // table row, whether the row ever expanded in pass 2.
  void note_source_end(std::string_view file, uint32_t last_line, uint32_t open_groups,
                       const std::vector<bool>& macros_expanded);

  // #define took a definition into table row `row` (pass 2); `changed`
  // when it replaced a definition of the same name with another body.
  void note_macro_definition(size_t row, std::string_view name, bool changed);
  // The rows that expanded in pass 1, kept over the reset between passes.
  void note_first_pass_macros(const std::vector<bool>& expanded) { first_pass_macros_ = expanded; }
  // The pictures that the pages show as their names, for the warnings.
  void note_bitmaps_not_shown(const std::vector<std::string>& names) {
    log_.bitmaps_not_shown.insert(names.begin(), names.end());
  }
  // Whether macro expansion changed the line being dispatched.
  void note_line_expanded(bool changed) { line_expanded_ = changed; }

 private:
  SourcePlace current_place();
  void add_raw_jumps(std::string_view rtf);
  void add_bitmaps(std::string_view text);
  void output_moved(uint32_t column);
  void check_keyword_list(std::string_view keywords);
  void add_footnote(char mark, std::string_view text);
  void add_context_string(std::string_view text);
  void find_unused_macros(const std::vector<bool>& expanded);

  // Where a macro table row was defined in pass 2: first, and latest.
  struct MacroDefinition {
    std::string name;
    SourcePlace first;
    SourcePlace latest;
  };

  bool recording_ = false;
  bool watching_document_ = false;
  CheckLog log_;
  DocumentWatch document_{log_.findings};
  uint32_t seen_column_ = 0;
  std::vector<MacroDefinition> macro_rows_;
  std::vector<bool> first_pass_macros_;
  bool line_expanded_ = false;
  const Diagnostics& diag_;
  const NameTable& names_;
};

}  // namespace zek
