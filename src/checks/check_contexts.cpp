// Context-string checks: the help compiler rejects a context string defined
// twice, one with characters it does not accept or longer than 255 bytes, and
// two different ones whose hashes are equal.
#include <unordered_map>

#include "base/cat.h"
#include "checks/check_rules.h"
#include "names/context_strings.h"

namespace zek {

namespace {

void check_written_form(const ContextRecord& record, std::vector<CheckWarning>& warnings) {
  if (record.numbered) return;  // XX<n> is always well formed
  const std::string& text = record.context_string;
  if (text.empty()) {
    warnings.push_back({record.place, "empty context string"});
    return;
  }
  if (!has_only_context_string_chars(text)) {
    warnings.push_back({record.place, cat("invalid context string ", text)});
  }
  if (text.size() > kMaxContextStringBytes) {
    warnings.push_back(
        {record.place, cat("context string of ", text.size(), " bytes, longer than 255")});
  }
}

CheckWarning duplicate_warning(const ContextRecord& first, const ContextRecord& later) {
  if (first.numbered && later.numbered && !later.name.empty()) {
    return {later.place, cat("duplicate name ", later.name), first.place};
  }
  return {later.place, cat("duplicate context string ", later.context_string), first.place};
}

bool takes_part_in_hashing(const ContextRecord& record) {
  return has_only_context_string_chars(record.context_string);
}

}  // namespace

void check_context_strings(const CheckLog& log, std::vector<CheckWarning>& warnings) {
  std::unordered_map<std::string, const ContextRecord*> first_by_key;
  std::unordered_map<uint32_t, const ContextRecord*> first_by_hash;
  for (const ContextRecord& record : log.contexts) {
    check_written_form(record, warnings);
    const std::string key = context_key(record.context_string);
    const auto [known, added] = first_by_key.try_emplace(key, &record);
    if (!added) {
      warnings.push_back(duplicate_warning(*known->second, record));
      continue;
    }
    if (!takes_part_in_hashing(record)) continue;
    const auto [clash, first] =
        first_by_hash.try_emplace(help_context_hash(record.context_string), &record);
    if (!first) {
      const ContextRecord& earlier = *clash->second;
      warnings.push_back({record.place,
                          cat("context string ", record.context_string, " has the same hash as ",
                              earlier.context_string),
                          earlier.place});
    }
  }
}

}  // namespace zek
