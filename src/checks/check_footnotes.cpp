// Length checks of the footnote texts: the help compiler takes titles of at
// most 127 bytes, keywords of at most 255 and footnotes of at most 1023.
#include "base/cat.h"
#include "base/sjis.h"
#include "checks/check_rules.h"

namespace zek {

namespace {

constexpr size_t kMaxTitleBytes = 127;
constexpr size_t kMaxKeywordBytes = 255;
constexpr size_t kMaxFootnoteBytes = 1023;

void check_length(const FootnoteRecord& record, size_t length, std::string_view what, size_t limit,
                  std::vector<CheckWarning>& warnings) {
  if (length <= limit) return;
  warnings.push_back({record.place, cat(what, " of ", length, " bytes, longer than ", limit)});
}

// Each keyword of a "K" footnote: semicolons separate them.
void check_keywords(const FootnoteRecord& record, std::vector<CheckWarning>& warnings) {
  const std::string_view text = record.text;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = mbs_strchr(text, ';', start);
    if (end == std::string_view::npos) end = text.size();
    check_length(record, end - start, "keyword", kMaxKeywordBytes, warnings);
    start = end + 1;
  }
}

}  // namespace

void check_footnote_lengths(const CheckLog& log, std::vector<CheckWarning>& warnings) {
  for (const FootnoteRecord& record : log.footnotes) {
    if (record.mark == '$') {
      check_length(record, record.text.size(), "title", kMaxTitleBytes, warnings);
      continue;
    }
    if (record.mark == 'K') check_keywords(record, warnings);
    check_length(record, record.text.size(), "footnote", kMaxFootnoteBytes, warnings);
  }
}

}  // namespace zek
