// State of the topic commands: the current header and the mode switches that
// steer headers, aliases, body lines and titles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zek {

struct HeaderState {
  std::string header_name;         // title of the current topic; empty after .end/.page
  int32_t header_index = 0;        // name count at the latest header
  uint32_t anonymous_counter = 0;  // numbers the "YY%u" titles
};

struct Modes {
  std::optional<std::string> shortcut_str;
  std::optional<std::string> shortcut2_str;
  int32_t shortcut_mode = 0;
  int32_t shortcut2_mode = 0;
  std::string id_name;  // target of the shortcut buttons
  int32_t group_mode = 0;
  int32_t search_mode = 0;
  int32_t all_link_mode = 0;
  int32_t no_link_mode = 0;
  int32_t insert_space = 0;
  std::string browse_name;
  uint32_t browse_counter = 0;
  int32_t tab_conversion = 0;
};

}  // namespace zek
