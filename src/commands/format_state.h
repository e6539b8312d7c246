// Pending character and paragraph attributes, the paragraph flags and the
// title settings of the run.
#pragma once

#include <cstdint>

namespace zek {

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

}  // namespace zek
