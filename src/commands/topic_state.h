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

  // Before pass 2: no page is open and anonymous titles count from 0 again,
  // so a source that ends inside a page does not leave pass 2 closing groups
  // it never opened, nor a page break before its first topic.
  void reset_for_pass() {
    header_name.clear();
    anonymous_counter = 0;
  }
};

struct Modes {
  std::optional<std::string> shortcut_str;   // .shortcutstr label; none: the default
  std::optional<std::string> shortcut2_str;  // .shortcut2str label; none: the default
  bool shortcut_mode = false;                // .shortcutmode
  bool shortcut2_mode = false;               // .shortcut2mode
  std::string id_name;                       // target of the shortcut buttons
  bool group_mode = false;                   // .groupmode
  bool search_mode = false;                  // .searchmode
  bool all_link_mode = false;                // .alllinkmode
  bool no_link_mode = false;                 // .nolinkmode
  bool insert_space = false;                 // .insspace
  std::string browse_name;                   // .browse
  uint32_t browse_counter = 0;               // numbers the browse footnotes
  bool tab_conversion = false;               // .tabconv

  // Before pass 2 the switches, labels and the browse counter start again;
  // .insspace, the browse sequence's name and the button target carry over
  // from the end of pass 1, as the help projects written for them expect.
  void reset_for_pass() {
    tab_conversion = search_mode = all_link_mode = no_link_mode = group_mode = false;
    shortcut_mode = shortcut2_mode = false;
    shortcut_str.reset();
    shortcut2_str.reset();
    browse_counter = 0;
  }
};

}  // namespace zek
