// NameTable: appends entries and finds a name's first entry through a hash
// map; the ID-file reader, which reads lines whole, whatever their length.
#include "names/name_table.h"

#include "io/console.h"
#include "io/environment.h"
#include "io/line_reader.h"

namespace zek {

NameEntry& NameTable::append(std::string_view name, NameKind kind) {
  NameEntry& entry = entries_.emplace_back();
  entry.name = std::string(name);
  entry.kind = kind;
  entry.number = static_cast<int32_t>(entries_.size() - 1);
  entry.source_file = std::string(origin_file);
  entry.source_line = origin_line;
  first_index_.try_emplace(entry.name, entry.number);
  linked_.push_back(0);
  return entry;
}

void NameTable::add_popup(std::string_view name) {
  if (!name.empty()) append(name, NameKind::popup);
}

void NameTable::add_topic(std::string_view name) {
  if (!name.empty()) append(name, NameKind::topic);
}

void NameTable::add_topic2(std::string_view name, std::optional<std::string_view> window) {
  if (name.empty()) return;
  NameEntry& entry = append(name, NameKind::topic2);
  if (window && !window->empty()) entry.target = std::string(*window);
}

void NameTable::add_alias(std::string_view name, int32_t header_index) {
  if (name.empty()) return;
  // An alias takes the kind and window of the entry before it; with none
  // before it, it is a plain topic name.
  NameKind kind = NameKind::topic;
  std::optional<std::string> target;
  if (!entries_.empty()) {
    kind = entries_.back().kind;
    target = entries_.back().target;
  }
  NameEntry& entry = append(name, kind);
  entry.target = std::move(target);
  entry.owner = header_index + 1;
}

void NameTable::add_external(std::string_view name, std::string_view target) {
  NameEntry& entry = append(name, NameKind::external);
  entry.target = std::string(target);
}

int32_t NameTable::find(std::string_view name) const {
  auto it = first_index_.find(name);
  return it == first_index_.end() ? -1 : it->second;
}

void NameTable::clear_link_marks() {
  for (size_t i : marked_) linked_[i] = 0;
  marked_.clear();
}

bool read_id_file(Environment& env, const Diagnostics& diag, NameTable& names,
                  const std::string& path) {
  std::unique_ptr<InputStream> input = env.open_input(path);
  if (!input) {
    diag.report_cannot_open(path);
    return false;
  }
  LineReader reader(*input);
  std::string line;
  while (reader.read_line(line)) {
    // Read as text: the line feed goes, and a carriage return right before it.
    if (!line.empty() && line.back() == '\n') {
      line.pop_back();
      if (!line.empty() && line.back() == '\r') line.pop_back();
    }
    if (const size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    names.add_external(std::string_view(line).substr(0, colon),
                       std::string_view(line).substr(colon + 1));
  }
  return true;
}

}  // namespace zek
