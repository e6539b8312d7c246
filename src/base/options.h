// The command-line options and the run flags derived from them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace zek {

struct Options {
  bool ignore_directives = false;            // -D
  bool id_keyword = false;                   // -M
  int id_mode = 0;                           // -I 1, -I@ 2, -I@@ 3
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
