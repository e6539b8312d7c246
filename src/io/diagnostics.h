// Error reports on the source: "<file> <line>: error <message>\n" on
// standard error; every report makes the run fail.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "io/console.h"

namespace zek {

// Where errors are reported and what the run has failed on.
class Diagnostics {
 public:
  explicit Diagnostics(const Console& console) : console_(console) {}

  std::string current_file_name;
  uint32_t current_line_number = 0;
  bool failure_flag = false;

  // "<file> <line>: error <message>\n"; the run fails.
  void report_error(std::string_view message);
  // "cannot open <name>\n".
  void report_cannot_open(std::string_view name) const;

 private:
  const Console& console_;
};

}  // namespace zek
