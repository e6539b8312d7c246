// The literal link scan, entry by entry.
#include "support/literal_link_scan.h"

#include <map>
#include <set>
#include <string>

#include "base/sjis.h"

namespace zek::testing {

bool walked_is_trail_byte(std::string_view text, size_t i) {
  size_t pos = 0;
  while (pos < i) pos += is_lead_byte(text[pos]) ? 2 : 1;
  return pos == i + 1;
}

namespace {

bool name_char_at(std::string_view text, size_t i, const std::array<bool, 256>& is_name_char) {
  return i < text.size() && is_name_char[static_cast<unsigned char>(text[i])];
}

bool rejected(std::string_view line, std::string_view name, size_t n,
              const std::array<bool, 256>& is_name_char) {
  const size_t length = name.size();
  if (walked_is_trail_byte(line, n)) return true;
  if (n > 0 && name_char_at(name, 0, is_name_char) && name_char_at(line, n - 1, is_name_char) &&
      !walked_is_trail_byte(line, n - 1)) {
    return true;
  }
  return name_char_at(line, n + length, is_name_char) &&
         name_char_at(name, length - 1, is_name_char) && !walked_is_trail_byte(name, length - 1);
}

// The first occurrence of `name` that is not rejected, or npos.
size_t first_candidate(std::string_view line, std::string_view name,
                       const std::array<bool, 256>& is_name_char) {
  for (size_t n = line.find(name); n != std::string_view::npos; n = line.find(name, n + 1)) {
    if (!rejected(line, name, n, is_name_char)) return n;
  }
  return std::string_view::npos;
}

}  // namespace

LinkClaims literal_link_claims(NameTable& names, std::string_view line,
                               std::string_view header_name,
                               const std::array<bool, 256>& is_name_char) {
  std::map<size_t, LinkClaim> table;  // match_entry and match_length by position
  std::set<std::string> earlier_names;
  int32_t self_entry = -1;
  for (size_t i = 0; i < names.size(); ++i) {
    NameEntry& entry = names[i];
    const bool repeated = !earlier_names.insert(entry.name).second;
    if (names.linked(i)) continue;
    if (entry.name == header_name) {
      self_entry = static_cast<int32_t>(i);
      continue;
    }
    if (entry.name.empty() || repeated) continue;
    const size_t n = first_candidate(line, entry.name, is_name_char);
    if (n == std::string_view::npos) continue;
    if (entry.owner != 0 && entry.owner - 1 == self_entry) continue;
    auto [slot, fresh] = table.try_emplace(n, LinkClaim{n, 0, -1});
    if (slot->second.length < entry.name.size()) {
      slot->second.length = entry.name.size();
      slot->second.entry = entry.number;
      ++entry.ref_count;
    }
  }
  LinkClaims claims;
  for (const auto& [position, claim] : table) claims.push_back(claim);
  return claims;
}

}  // namespace zek::testing
