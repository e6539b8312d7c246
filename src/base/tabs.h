// Tab expansion to eight-column stops (.tabconv).
#pragma once

#include <string>

namespace zek {

// Replaces every tab by spaces up to the next multiple of eight columns; a
// column is one byte and the first byte is column 0.
void expand_tabs(std::string& text);

}  // namespace zek
