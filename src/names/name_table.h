// The dictionary of everything body text links to: topic, popup and alias
// names and the names of another project's ID file, each with the number of
// its context string XX<n>, a claim count and a once-per-topic link mark; and
// the reading of that ID file (-J), whose lines "name:context string" become
// external names that link into the other project's help file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/string_hash.h"

namespace zek {

class Diagnostics;
class Environment;

enum class NameKind : uint8_t { popup = 0, topic = 1, topic2 = 2, external = 3 };

struct NameEntry {
  std::string name;
  std::optional<std::string> target;  // window of a topic2, context string of an external
  NameKind kind = NameKind::topic;
  int32_t number = 0;      // the n of XX<n>; always the entry's index
  uint32_t ref_count = 0;  // claims made by link insertion, for the -R report
  int32_t owner = 0;       // for an alias: header_index + 1 when it was added
  // Where the name came from (file and line), for the checks of -C.
  std::string source_file;
  uint32_t source_line = 0;
};

class NameTable {
 public:
  // Appends a name; an empty name is dropped without notice. `header_index`
  // is only used by add_alias.
  void add_popup(std::string_view name);
  void add_topic(std::string_view name);
  void add_topic2(std::string_view name, std::optional<std::string_view> window);
  void add_alias(std::string_view name, int32_t header_index);
  // Appends an entry read from an ID file (empty names allowed).
  void add_external(std::string_view name, std::string_view target);

  // Number of the first entry with exactly this name, or -1.
  int32_t find(std::string_view name) const;
  // The once-per-topic link mark: entry i had a hot spot in the current
  // topic. Kept apart from the entries, so that link insertion reads a byte
  // per name, and cleared at the cost of the marks that were set.
  bool linked(size_t i) const { return linked_[i] != 0; }
  void mark_linked(size_t i) {
    if (!linked_[i]) {
      linked_[i] = 1;
      marked_.push_back(i);
    }
  }
  // Clears every link mark.
  void clear_link_marks();

  size_t size() const { return entries_.size(); }
  NameEntry& operator[](size_t i) { return entries_[i]; }
  const NameEntry& operator[](size_t i) const { return entries_[i]; }
  const std::vector<NameEntry>& entries() const { return entries_; }

  // Where the names being added come from (set by the line loop).
  std::string_view origin_file;
  uint32_t origin_line = 0;

 private:
  NameEntry& append(std::string_view name, NameKind kind);
  std::vector<NameEntry> entries_;
  // Looked up by string_view without building a string.
  std::unordered_map<std::string, int32_t, StringViewHash, std::equal_to<>> first_index_;
  std::vector<uint8_t> linked_;
  std::vector<size_t> marked_;
};

// Appends the entries of the ID file `path`; reports "cannot open" and goes
// on without them when it cannot be read, and then returns false.
bool read_id_file(Environment& env, const Diagnostics& diag, NameTable& names,
                  const std::string& path);

}  // namespace zek
