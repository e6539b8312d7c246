// Where the RTF of a run is kept while HTML is made from it: an anonymous
// temporary file (removed by the system when it is closed, also when the
// process ends abruptly), or memory when no such file can be made. It is
// written once and read from its start as often as needed. What is written
// is read for the help-wide index at the same time (publish/early_index.h).
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "io/environment.h"
#include "publish/early_index.h"
#include "rtf/tokenizer.h"

namespace zek {

class Spool : public OutputStream {
 public:
  Spool();
  ~Spool() override;
  Spool(const Spool&) = delete;
  Spool& operator=(const Spool&) = delete;

  bool write(std::string_view bytes) override;
  // A reader from the first byte written. One reader at a time.
  std::unique_ptr<RtfSource> read();
  bool failed() const { return failed_; }
  // Once everything is written: the index read from it meanwhile, not yet
  // finished; none when it could not be read that way.
  std::optional<HelpIndex> take_early_index() { return early_.finish(); }

 private:
  std::FILE* file_ = nullptr;
  std::string memory_;
  bool failed_ = false;
  EarlyIndex early_;
};

}  // namespace zek
