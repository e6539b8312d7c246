// MacroTable (definitions and expansion to come).
#include "source/macro_table.h"

namespace zek {

std::string_view MacroTable::define(std::string_view) { return {}; }
std::string_view MacroTable::undefine(std::string_view) { return {}; }
bool MacroTable::expand(std::string&, const std::function<void(std::string_view)>&) {
  return true;
}
void MacroTable::clear() { rows_.clear(); }

}  // namespace zek
