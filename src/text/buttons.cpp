// Shortcut buttons (to come).
#include "text/buttons.h"

namespace zek {

void put_shortcut_button(Context&, std::string_view, const std::optional<std::string>&) {}
void put_shortcut2_button(Context&, std::string_view, const std::optional<std::string>&) {}

}  // namespace zek
