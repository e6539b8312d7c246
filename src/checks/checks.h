// The -C checks: after a successful pass 2, what the help compiler would
// reject is reported as warnings at the source lines that wrote it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checks/check_log.h"
#include "io/console.h"

namespace zek {

struct CheckWarning {
  SourcePlace place;
  std::string message;
  // The earlier place a duplicate or a clash is named against, written
  // after the message as ", first at <file> <line>".
  std::optional<SourcePlace> first = std::nullopt;
};

// Every problem of the record, in source order.
std::vector<CheckWarning> find_check_warnings(const CheckLog& log);

// With -C, writes each warning to standard error as
// "<file> <line>: warning <message>\n". The exit status is not touched.
void report_checks(const CheckLog& log, const Console& console);

}  // namespace zek
