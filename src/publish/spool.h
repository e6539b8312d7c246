// Where the RTF of a run is kept while HTML is made from it (temporary
// bytes: a file, or memory). It is written once and then read from any
// offset, by two readers at once if need be. What is written is read at the
// same time: for the single page, drafted on threads of their own
// (publish/early_pages.h); for a project, for the help-wide index
// (publish/early_index.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "io/environment.h"
#include "publish/early_index.h"
#include "publish/early_pages.h"
#include "publish/temporary_bytes.h"
#include "rtf/tokenizer.h"

namespace zek {

class Spool : public OutputStream {
 public:
  Spool();
  ~Spool() override;
  Spool(const Spool&) = delete;
  Spool& operator=(const Spool&) = delete;

  // Before the first write: what is written is read for the help-wide index.
  void read_index_early();
  // Before the first write: the single page is drafted from what is written.
  void draft_page_early(Utf8Converter to_utf8, bool link_brackets);

  bool write(std::string_view bytes) override;
  // A reader from byte `offset` of what was written. Readers may read at
  // the same time, each at its own place.
  std::unique_ptr<RtfSource> read(uint64_t offset = 0);
  bool failed() const { return bytes_->failed(); }
  // Once everything is written: the index read from it meanwhile, not yet
  // finished; none when it could not be read that way.
  std::optional<HelpIndex> take_early_index();
  // Once everything is written: the single page's draft made meanwhile;
  // none when it could not be made that way.
  std::optional<PageDraft> take_early_draft();
  // Once the pages are made: the RTF, whose temporary file takes
  // milliseconds to free, to be freed elsewhere. Nothing else may be asked
  // of the spool afterwards.
  std::unique_ptr<TemporaryBytes> release();

 private:
  std::unique_ptr<TemporaryBytes> bytes_;
  std::unique_ptr<EarlyIndex> early_index_;
  std::unique_ptr<EarlyPages> early_pages_;
};

}  // namespace zek
