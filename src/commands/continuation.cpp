// The continuation mark " \" at the end of a text.
#include "commands/continuation.h"

#include "base/sjis.h"

namespace zek {

bool cut_continuation(std::string& text) {
  if (text.size() <= 2 || !text.ends_with(" \\")) return false;
  if (is_trail_byte(text, text.size() - 2)) return false;
  text.resize(text.size() - 2);
  return true;
}

}  // namespace zek
