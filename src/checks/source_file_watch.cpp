// The per-file checks: open conditional sections and UTF-8 look.
#include "checks/source_file_watch.h"

#include "checks/utf8_look.h"

namespace zek {

void SourceFileWatch::see_bytes(std::string_view line) {
  switch (classify_utf8(line)) {
    case Utf8Look::ascii:
      break;
    case Utf8Look::utf8:
      if (look_ == Look::ascii) first_utf8_line_ = checks_.place_here();
      look_ = Look::utf8;
      break;
    case Utf8Look::invalid:
      look_ = Look::not_utf8;
      first_utf8_line_.reset();
      break;
  }
}

// A section opens where a line enters one (#if32 or #if16; which one follows
// from whether its lines are kept and the build) and closes where a line
// leaves it.
void SourceFileWatch::section_changed(std::optional<bool> section_kept, bool mode32) {
  if (!section_kept) {
    section_.reset();
    return;
  }
  section_ = Section{checks_.place_here(), *section_kept == mode32};
}

void SourceFileWatch::end_file(bool in_section) {
  if (!on_) return;
  if (in_section && section_) {
    checks_.add_finding(Finding::open_section, section_->place, section_->if32 ? "#if32" : "#if16");
  }
  if (look_ == Look::utf8 && first_utf8_line_) {
    checks_.add_finding(Finding::utf8_look, *first_utf8_line_);
  }
}

}  // namespace zek
