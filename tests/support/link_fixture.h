// A conversion context for link tests: the name-character table of the
// command line, the output file in memory, and helpers to fill the NameTable.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/context.h"
#include "support/memory_environment.h"

namespace zek::testing {

// One NameTable entry as a test writes it down.
struct NameRow {
  NameKind kind = NameKind::topic;
  std::string name;
  std::optional<std::string> target =
      std::nullopt;          // window of a topic2, context string of an external
  bool alias = false;        // added with add_alias after the entries before it
  int32_t header_index = 0;  // for an alias: the name count at its header
};

class LinkFixture {
 public:
  // `options` as on the command line without the dash ("K", "$", "Fa.hlp").
  explicit LinkFixture(const std::vector<std::string>& options = {}, bool text_mode = false);

  void add(const NameRow& row);
  // The bytes written so far.
  std::string output();

  StringStream stream;  // declared first: the context flushes into it when destroyed
  Context ctx;
};

}  // namespace zek::testing
