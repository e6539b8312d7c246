// Tab expansion.
#include "base/tabs.h"

namespace zek {

void expand_tabs(std::string& text) {
  if (text.find('\t') == std::string::npos) return;
  std::string result;
  result.reserve(text.size() + 16);
  for (char byte : text) {
    if (byte != '\t') {
      result.push_back(byte);
      continue;
    }
    do {
      result.push_back(' ');
    } while (result.size() % 8 != 0);
  }
  text = std::move(result);
}

}  // namespace zek
