// Publishing a help as HTML, in two forms: one self-contained page, or an
// HTML Help project. The single page is drafted in one read of the
// document's RTF, and what is help-wide (titles, context strings, popups,
// browse sequences, keywords) written into it at the end
// (publish/page_draft.h). A project's RTF is read first for what is
// help-wide, then topic by topic into the pages, in two parts at once when
// the help is long enough (publish/page_parts.h). Each read holds one topic
// at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "io/environment.h"
#include "publish/help_index.h"
#include "publish/html_text.h"
#include "publish/page_draft.h"
#include "publish/topic_html.h"
#include "rtf/tokenizer.h"

namespace zek {

struct PublishJob {
  // Opens the document's RTF from its start (called once per read).
  std::function<std::unique_ptr<RtfSource>()> open_rtf;
  // Opens it from byte `offset`, for a second reader at the same time; when
  // unset, the pages are read and written by one thread.
  std::function<std::unique_ptr<RtfSource>(uint64_t offset)> open_rtf_at;
  // The help-wide index read already, not yet finished; when unset or
  // none, it is read from open_rtf.
  std::function<std::optional<HelpIndex>()> early_index;
  // The single page drafted already; when unset or none, it is drafted from
  // open_rtf.
  std::function<std::optional<PageDraft>()> early_draft;
  // Context keys (upper case) that popup headers defined.
  std::unordered_set<std::string> popup_contexts;
  // Code page 932 to UTF-8, for the single page.
  Utf8Converter to_utf8;
  // Copies bitmaps beside the pages; null to show every bitmap as a placeholder.
  BitmapPlacer* bitmaps = nullptr;
  // -K: hot spots in brackets, as in the text output.
  bool link_brackets = false;
  // Takes the single page's draft once the page is written: freeing its
  // temporary file and tables takes milliseconds, which may pass while the
  // page is put into place. When unset, it is freed at once.
  std::function<void(PageDraft)> set_aside;
};

// The help-wide tables (titles, anchors, browse sequences, keywords), from a
// first read of the job's RTF; the pages need them before their first topic.
HelpIndex index_help(const PublishJob& job);

// Writes the single page to `page`; false when a write failed.
bool write_single_page(const PublishJob& job, OutputStream& page);

// Writes the project `name` ("help" for help.hhp): name.hhp, name.hhc,
// name.hhk and the pages in the folder name/, all into `folder`. Bitmaps
// are expected under name/ too. False when a file could not be written.
bool write_project(const PublishJob& job, const std::string& name, OutputFolder& folder);

}  // namespace zek
