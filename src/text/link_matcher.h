// Finds, in one pass over a body line, the occurrences of every name of the
// NameTable. Built once when the table is complete (after pass 1 and -J).
#pragma once

namespace zek {

class LinkMatcher {
 public:
  virtual ~LinkMatcher() = default;
};

}  // namespace zek
