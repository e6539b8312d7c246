// The groups of -C checks, each adding its warnings for one kind of record.
#pragma once

#include <string>
#include <vector>

#include "checks/check_log.h"
#include "checks/checks.h"

namespace zek {

// Duplicate, invalid, over-long and hash-clashing context strings.
void check_context_strings(const CheckLog& log, std::vector<CheckWarning>& warnings);

// Titles, keywords and footnotes longer than the help compiler takes.
void check_footnote_lengths(const CheckLog& log, std::vector<CheckWarning>& warnings);

// Raw jumps to undefined context strings, and topics nothing reaches.
void check_jumps_and_reach(const CheckLog& log, std::vector<CheckWarning>& warnings);

}  // namespace zek
