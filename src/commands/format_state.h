// Pending character and paragraph attributes, the paragraph flags and the
// title settings of the run.
#pragma once

#include <cstdint>

namespace zek {

inline constexpr int32_t kUnset = -1;

// Attributes recorded by formatting commands and written in front of the
// body text that follows them, or at once when a command ends its line.
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

// Everything the formatting commands own.
struct FormatContext {
  FormatState state;
  int32_t line_mode = 0;        // 0: a line end is "{\par }", 1: "{\line }"
  int32_t paragraph_reset = 0;  // a "\pard" was written and no body line followed
  uint32_t current_font_size = 0;
  uint32_t left_indent = 0;
  uint32_t first_line_pos = 0;
  int32_t collapse_tabs = 0;
  TitleSettings title;
};

}  // namespace zek
