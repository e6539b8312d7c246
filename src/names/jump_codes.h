// What raw RTF names by hand: hidden jump codes (the "{\v ...}" groups an
// author writes after a hot spot's visible text, and the context strings
// they name) and pictures.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zek {

// The context string a jump code names: "%" and "*" prefixes and a ">window"
// suffix dropped, blanks trimmed. Empty for a macro ("!...") and for a jump
// into another help file ("ctx@file").
std::string jump_context_string(std::string_view code);

// The context strings of the "{\v code}" groups in a piece of raw RTF, in
// order. Escaped braces, groups that hold other control words or groups,
// and a group left open at the end are passed over.
std::vector<std::string> hidden_jump_targets(std::string_view rtf);

// The raw regions of a body-text line: from each 0x13 byte to the next 0x11
// byte or to the end of the line, where the writer stops escaping.
std::vector<std::string_view> raw_regions(std::string_view body);

// The names of the pictures in a piece of text as the help compiler reads
// them: "{bmc name}" (bml, bmr, and each with a "t") with the braces escaped
// or not, and "{\bmc name}". Braces are found at character boundaries,
// never in a trail byte.
std::vector<std::string_view> bitmap_names(std::string_view text);

}  // namespace zek
