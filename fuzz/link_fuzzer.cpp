// libFuzzer target: the name automaton against the literal per-name scan.
// The input is a name table, then body lines in turn with the current title
// changing and link marks set and cleared; any difference in the claims, the
// reference counts or the link marks traps.
//
// Byte 0: bit 0 adds "$", bit 1 "@" to the name characters. The rest is
// records separated by LF; a record's first byte chooses what it is (below)
// and the bytes after it are its text. Name records after the first body line
// are body lines themselves: the table is complete once linking begins.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/link_text.h"
#include "links/link_matcher.h"
#include "support/link_fixture.h"
#include "support/literal_link_scan.h"

namespace {

using zek::LinkClaims;
using zek::NameTable;
using zek::testing::LinkFixture;

enum Record : uint8_t {
  kPopup,
  kTopic,
  kTopic2,
  kAlias,  // of the latest header
  kExternal,
  kTitle,       // the current topic's title becomes the text
  kClearMarks,  // a new topic begins: every name links again
  kBody,
  kRecordKinds
};

std::vector<std::string> name_options(uint8_t flags) {
  std::vector<std::string> options;
  if (flags & 1) options.push_back("$");
  if (flags & 2) options.push_back("@");
  return options;
}

void add_name(NameTable& names, Record kind, std::string_view text, int32_t& header_index) {
  switch (kind) {
    case kPopup:
      header_index = int32_t(names.size());
      names.add_popup(text);
      break;
    case kTopic:
      header_index = int32_t(names.size());
      names.add_topic(text);
      break;
    case kTopic2:
      header_index = int32_t(names.size());
      names.add_topic2(text, "w");
      break;
    case kAlias:
      names.add_alias(text, header_index);
      break;
    default:
      names.add_external(text, "ctx");
      break;
  }
}

bool same_counts_and_marks(const NameTable& a, const NameTable& b) {
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].ref_count != b[i].ref_count || a.linked(i) != b.linked(i)) return false;
  }
  return true;
}

class Differential {
 public:
  explicit Differential(uint8_t flags)
      : fast_(name_options(flags)), literal_(name_options(flags)) {}

  void add(Record kind, std::string_view text) {
    if (matcher_) return link(text);
    add_name(fast_.ctx.names, kind, text, header_index_);
    int32_t literal_header_index = header_index_;
    add_name(literal_.ctx.names, kind, text, literal_header_index);
  }

  void set_title(std::string_view text) { title_ = text; }

  void clear_marks() {
    fast_.ctx.names.clear_link_marks();
    literal_.ctx.names.clear_link_marks();
  }

  void link(std::string_view line) {
    if (!matcher_) matcher_.emplace(fast_.ctx.names, fast_.ctx.options.is_name_char);
    const LinkClaims claims = matcher_->claim(fast_.ctx.names, line, title_);
    const LinkClaims expected = zek::testing::literal_link_claims(
        literal_.ctx.names, line, title_, literal_.ctx.options.is_name_char);
    if (claims != expected) __builtin_trap();
    zek::write_linked_line(fast_.ctx, line, claims, zek::NameKind::topic);
    zek::write_linked_line(literal_.ctx, line, expected, zek::NameKind::topic);
    if (!same_counts_and_marks(fast_.ctx.names, literal_.ctx.names)) __builtin_trap();
  }

 private:
  LinkFixture fast_;
  LinkFixture literal_;
  std::optional<zek::LinkMatcher> matcher_;
  std::string title_;
  int32_t header_index_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  Differential differential(data[0]);
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  while (!rest.empty()) {
    const size_t end = std::min(rest.find('\n'), rest.size());
    const std::string_view record = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (record.empty()) continue;
    const auto kind = static_cast<Record>(uint8_t(record[0]) % kRecordKinds);
    const std::string_view text = record.substr(1);
    if (kind == kTitle) {
      differential.set_title(text);
    } else if (kind == kClearMarks) {
      differential.clear_marks();
    } else if (kind == kBody) {
      differential.link(text);
    } else {
      differential.add(kind, text);
    }
  }
  return 0;
}
