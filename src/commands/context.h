// One conversion's run-wide state, owned by the driver and handed to every
// handler: the state of the topic commands (the current header and the mode
// switches that steer headers, aliases, body lines and titles), the pending
// character and paragraph attributes with the paragraph flags and the title
// settings, and the Context that aggregates them with the state of each
// subsystem. Behaviour lives in the subsystems' own files.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/options.h"
#include "checks/check_notes.h"
#include "io/console.h"
#include "io/environment.h"
#include "io/sink.h"
#include "names/name_table.h"
#include "output/writer.h"
#include "source/macro_table.h"

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

inline constexpr int32_t kUnset = -1;

// Attributes recorded by formatting commands and written in front of the
// body text that follows them, or at once when a command ends its line. Each
// pending field is kUnset when no command of the current line set it, and
// otherwise its value: 0 or 1 for the switches (bold, italic, the borders),
// points for the sizes and spaces, the font's number.
struct FormatState {
  int32_t bold = 0;
  int32_t italic = 0;
  int32_t size = 0;
  int32_t font = 0;
  int32_t space_after = 0;
  int32_t space_before = 0;
  int32_t indent_depth = 0;   // open "{\li"/"{\ri" groups
  int32_t noscroll_open = 0;  // a "{\keepn" region is open
  int32_t box = 0;
  int32_t border_bottom = 0;
  int32_t border_left = 0;
  int32_t border_top = 0;
  int32_t border_right = 0;

  // Makes the eleven pending fields unset (every field but indent_depth and noscroll_open).
  void unset_pending();
  bool any_border() const;
};

// How titles look (.titlemode).
struct TitleSettings {
  int32_t bold = 0;
  int32_t italic = 0;
  int32_t box = 0;
  int32_t spacing = 0;  // 0 none, -1 an empty paragraph before, N points around
  int32_t color = 0;    // colour index outside a non-scrolling region, -1 none
  int32_t nscolor = 0;  // colour index inside a non-scrolling region, -1 none
};

// What an empty line or the end of a body line writes.
enum class LineEnd {
  paragraph,  // "{\par }" (.paramode)
  line,       // "{\line }" (.linemode)
};

// Everything the formatting commands own.
struct FormatContext {
  FormatState state;
  LineEnd line_end = LineEnd::paragraph;
  bool paragraph_reset = false;  // a "\pard" was written and no body line followed
  uint32_t current_font_size = 0;
  uint32_t left_indent = 0;
  uint32_t first_line_pos = 0;
  // Runs of tabs in body text are written as one tab. Off at the start of the
  // run, on from pass 2's start, then off after each header, keyword, alias
  // or .page line until a paragraph command switches it on again.
  bool collapse_tabs = false;
  TitleSettings title;

  // Before pass 2: the font size, indents, line ends, open groups and title
  // settings start again; the pending attributes are unset per line anyway.
  void reset_for_pass() {
    current_font_size = 12;
    first_line_pos = 0;
    collapse_tabs = true;
    left_indent = 0;
    paragraph_reset = false;
    line_end = LineEnd::paragraph;
    state.indent_depth = 0;
    state.noscroll_open = 0;
    title = TitleSettings{0, 0, 0, 0, -1, -1};
  }
};

class Environment;
class LinkMatcher;

struct Context {
  Context();
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  Environment* env = nullptr;  // opens source files
  Options options;
  Console console;
  Diagnostics diag{console};
  int include_depth = 0;

  MacroTable macros;
  NameTable names;
  std::unique_ptr<LinkMatcher> link_matcher;  // built after pass 1 and -J

  Writer writer;  // the output file
  Sink id_file;   // the ID file (-I)

  HeaderState headers;
  Modes modes;
  FormatContext format;
  CheckRecorder checks{diag, names};  // what pass 2 wrote, kept only under -C
};

}  // namespace zek
