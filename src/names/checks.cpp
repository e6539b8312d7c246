// Runs the groups of -C checks and writes their warnings in source order.
#include "names/checks.h"

#include <algorithm>

#include "names/check_rules.h"
#include "output/cat.h"

namespace zek {

std::string place_name(const SourcePlace& place) {
  return cat(place.file, ' ', place.line);
}

std::vector<CheckWarning> find_check_warnings(const CheckLog& log) {
  std::vector<CheckWarning> warnings;
  check_context_strings(log, warnings);
  check_footnote_lengths(log, warnings);
  check_jumps_and_reach(log, warnings);
  std::stable_sort(warnings.begin(), warnings.end(), [](const auto& a, const auto& b) {
    return a.place.sequence < b.place.sequence;
  });
  return warnings;
}

void report_checks(Context& ctx) {
  if (!ctx.options.check) return;
  for (const CheckWarning& warning : find_check_warnings(ctx.checks)) {
    ctx.console.write_err(cat(place_name(warning.place), ": warning ", warning.message, '\n'));
  }
}

}  // namespace zek
