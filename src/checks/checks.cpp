// Runs the groups of -C checks and writes their warnings in source order.
#include "checks/checks.h"

#include <algorithm>

#include "base/cat.h"
#include "checks/check_rules.h"

namespace zek {

namespace {

// File names go to the console as they are; the rest is console text.
void write_warning(const Console& console, const CheckWarning& warning) {
  console.write_err_name(warning.place.file);
  console.write_err(cat(' ', warning.place.line, ": warning ", warning.message));
  if (warning.first) {
    console.write_err(", first at ");
    console.write_err_name(warning.first->file);
    console.write_err(cat(' ', warning.first->line));
  }
  console.write_err("\n");
}

}  // namespace

std::vector<CheckWarning> find_check_warnings(const CheckLog& log) {
  std::vector<CheckWarning> warnings;
  check_context_strings(log, warnings);
  check_footnote_lengths(log, warnings);
  check_jumps_and_reach(log, warnings);
  check_findings(log, warnings);
  std::stable_sort(warnings.begin(), warnings.end(), [](const auto& a, const auto& b) {
    return a.place.sequence < b.place.sequence;
  });
  return warnings;
}

void report_checks(const CheckLog& log, const Console& console) {
  for (const CheckWarning& warning : find_check_warnings(log)) write_warning(console, warning);
}

}  // namespace zek
