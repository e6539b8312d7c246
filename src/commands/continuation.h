// The continuation mark of body lines and titles: a text that ends in a
// space and a backslash goes on in the same paragraph on the next line.
#pragma once

#include <string>

namespace zek {

// Cuts a trailing " \" off a text longer than two bytes and returns true.
// The space must start a character of its own: after a lead byte it is the
// second byte of a double-byte character, and the text is left whole.
bool cut_continuation(std::string& text);

}  // namespace zek
