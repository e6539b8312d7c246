// The command-line options and the run flags derived from them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace zek {

// Which ID file is written.
enum class IdMode {
  none,                 // no ID file
  names,                // -I: "IDM_xxx:context" lines
  at_names,             // -I@: ".id IDM_xxx" written as "@xxx:IDM_xxx"
  at_names_and_topics,  // -I@@: as -I@, and topics and aliases named "@..." too
};

struct Options {
  bool ignore_directives = false;            // -D
  bool id_keyword = false;                   // -M
  IdMode id_mode = IdMode::none;             // -I, -I@, -I@@
  bool workshop = false;                     // -W
  bool mode32 = false;                       // -3
  bool link_brackets = false;                // -K
  bool hex_kanji = false;                    // -X
  bool verbose = false;                      // -V
  bool report = false;                       // -R
  bool check = false;                        // -C
  bool utf8_sources = false;                 // -U
  std::optional<std::string> id_input;       // -J<idfile>
  std::optional<std::string> hlp_file_name;  // -F<hlpfile>

  bool text_mode = false;   // output name ends in .TXT
  bool trace_mode = false;  // output name ends in .XTF
  // Bytes that may form a word for link insertion: letters and digits, plus
  // "$" and "@" with -$ and -@.
  std::array<bool, 256> is_name_char{};
};

}  // namespace zek
