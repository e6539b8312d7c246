// The warnings of what the running checks found: open sections, the ends of
// the document, raw groups, macros, UTF-8 look and formatting that leaks.
#include "base/cat.h"
#include "checks/check_rules.h"

namespace zek {

namespace {

std::string groups(uint32_t count) {
  return cat(count, count == 1 ? " group" : " groups");
}

std::string message(const FindingRecord& finding) {
  const std::string& detail = finding.detail;
  switch (finding.kind) {
    case Finding::open_section:
      return cat(detail, " section still open at the end of the file");
    case Finding::no_start:
      return "no .start before the first output";
    case Finding::no_end:
      return "no .end at the end of the source";
    case Finding::output_after_end:
      return "output after .end";
    case Finding::raw_group_open:
      return "raw RTF group not closed in its topic";
    case Finding::raw_group_open_before_topics:
      return "raw RTF group not closed before the first topic";
    case Finding::raw_group_close:
      return "raw RTF } without a matching {";
    case Finding::document_open:
      return cat("document ends with ", groups(finding.count), " open");
    case Finding::document_overclosed:
      return cat("document closes ", groups(finding.count), " more than it opens");
    case Finding::blank_in_macro_name:
      return cat("macro name \"", detail, "\" holds a blank");
    case Finding::macro_redefined:
      return cat("macro ", detail, " defined again with a different body");
    case Finding::utf8_look:
      return "file looks like UTF-8: use -U or a byte order mark";
    case Finding::format_leak:
      return cat(detail, finding.count > 1 ? " carry" : " carries", " into the next topic");
    case Finding::unused_macro:
      return cat("macro ", detail, " never expanded");
    case Finding::empty_keyword:
      return "keyword left empty by macro expansion";
  }
  return {};
}

}  // namespace

void check_findings(const CheckLog& log, std::vector<CheckWarning>& warnings) {
  for (const FindingRecord& finding : log.findings) {
    warnings.push_back({finding.place, message(finding), finding.first});
  }
}

}  // namespace zek
