// libFuzzer target: the macro table's expansion against the literal sweep of
// the expansion rules. The input is definitions and removals, then lines to
// expand; any difference in the expanded line, the overflow decision or the
// trace lines traps.
//
// Records are separated by LF. A record that begins with "#define" or
// "#undef" (the directive word and the blanks after it are cut as the line
// loop cuts them) changes the table, "#clear" empties it as between the
// passes, and any other record is a line to expand.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "source/macro_table.h"
#include "support/literal_macro_expand.h"

namespace {

// The text after `word` and one space and any tabs, as match_keyword leaves it.
bool cut_word(std::string_view& record, std::string_view word) {
  if (record.substr(0, word.size()) != word) return false;
  record.remove_prefix(word.size());
  if (!record.empty() && record[0] == ' ') record.remove_prefix(1);
  while (!record.empty() && record[0] == '\t') record.remove_prefix(1);
  return true;
}

void expand_both(zek::MacroTable& table, std::string_view record) {
  std::string line(record);
  std::vector<std::string> trace;
  const bool kept = table.expand(line, [&](std::string_view text) { trace.emplace_back(text); });
  const zek::testing::LiteralExpansion expected =
      zek::testing::literal_macro_expand(table.rows(), std::string(record));
  if (kept != expected.kept) __builtin_trap();
  if (!kept) return;
  if (line != expected.line || trace != expected.trace) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  zek::MacroTable table;
  while (!rest.empty()) {
    const size_t end = std::min(rest.find('\n'), rest.size());
    std::string_view record = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (record == "#clear") {
      table.clear();
    } else if (cut_word(record, "#define")) {
      table.define(record);
    } else if (cut_word(record, "#undef")) {
      table.undefine(record);
    } else {
      expand_both(table, record);
    }
  }
  return 0;
}
