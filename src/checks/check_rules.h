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

// What the checks found while the document was written: sections, the ends
// of the document, raw groups, macros, encodings and formatting that leaks.
void check_findings(const CheckLog& log, std::vector<CheckWarning>& warnings);

}  // namespace zek
