// What -C watches in one source file as its lines are read: a conditional
// section left open at the end of the file, and code page 932 bytes that
// read as UTF-8. Streamed: the UTF-8 question is decided when the file ends,
// from the first line with a multi-byte sequence and the absence of any
// invalid byte after it. Code page 932 text almost never forms valid
// multi-byte UTF-8 sequences only.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "checks/check_notes.h"

namespace zek {

// Whether bytes read as code page 932 look like UTF-8 instead.
enum class Utf8Look : uint8_t {
  ascii,    // no byte above 0x7F
  utf8,     // valid UTF-8 with at least one multi-byte sequence
  invalid,  // not UTF-8
};

Utf8Look classify_utf8(std::string_view bytes);

class SourceFileWatch {
 public:
  explicit SourceFileWatch(CheckRecorder& checks) : checks_(checks), on_(checks.recording()) {}

  // The line as read (before anything is done to it), when the file is read
  // as code page 932.
  void see_cp932_line(std::string_view line) {
    if (on_ && look_ != Look::not_utf8) see_bytes(line);
  }
  // The section after the line: none outside a section, else whether its
  // lines are kept; `mode32` to tell which directive opened it.
  void after_line(std::optional<bool> section_kept, bool mode32) {
    if (on_ && section_kept.has_value() != section_.has_value()) {
      section_changed(section_kept, mode32);
    }
  }
  // The file ended, inside a section or not.
  void end_file(bool in_section);

 private:
  enum class Look { ascii, utf8, not_utf8 };
  struct Section {
    SourcePlace place;
    bool if32 = false;
  };

  void see_bytes(std::string_view line);
  void section_changed(std::optional<bool> section_kept, bool mode32);

  CheckRecorder& checks_;
  bool on_;
  Look look_ = Look::ascii;
  std::optional<SourcePlace> first_utf8_line_;
  std::optional<Section> section_;
};

}  // namespace zek
