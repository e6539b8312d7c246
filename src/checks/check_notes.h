// The record that pass 2 keeps for -C: each call is one line at the place
// that writes, and does nothing unless recording is on (-C given, and the
// output being written, that is, in pass 2).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "checks/check_log.h"
#include "io/diagnostics.h"
#include "names/name_table.h"

namespace zek {

class CheckRecorder {
 public:
  // Places come from `diag`'s current file and line; hot spots and context
  // numbers are looked up in `names`.
  CheckRecorder(const Diagnostics& diag, const NameTable& names) : diag_(diag), names_(names) {}

  // Switched on for pass 2 of a run with -C, off again after it.
  void set_recording(bool on) { recording_ = on; }
  const CheckLog& log() const { return log_; }

  // A header's "$" title: a new topic (or popup) begins.
  void note_topic(std::string_view title, bool popup);
  // A "$", "K", "+" or "!" footnote with its text as the author wrote it.
  void note_footnote(char mark, std::string_view text);
  // "#{\footnote #XX<n>}" of a header or alias name (n may be -1).
  void note_context_number(int32_t number);
  // A "#" footnote the author named (.idx, .id, an "@" name under -I@@), as
  // the source wrote it; it is recorded sanitized, as the help compiler
  // reads it.
  void note_context_string(std::string_view text);
  // A hot spot written for NameTable entry `entry`.
  void note_hot_spot(size_t entry);
  // A group button that jumps to `context_string` in this help file.
  void note_group_jump(std::string_view context_string);
  // A raw RTF line, or a body-text line whose raw regions may hold jump codes.
  void note_raw_rtf(std::string_view rtf);
  void note_raw_regions(std::string_view body);

 private:
  SourcePlace current_place();
  void add_raw_jumps(std::string_view rtf);

  bool recording_ = false;
  CheckLog log_;
  const Diagnostics& diag_;
  const NameTable& names_;
};

}  // namespace zek
