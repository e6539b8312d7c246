// The shortcut buttons a title can carry: a call of the help project's
// HelpProc macro with the menu identifier of the latest .id or .shortcut.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "commands/context.h"

namespace zek {

// The first button: HelpProc("<target>"). Writes nothing when the target is empty.
void put_shortcut_button(Context& ctx, std::string_view target,
                         const std::optional<std::string>& label);
// The second button: HelpProc("#<target>").
void put_shortcut2_button(Context& ctx, std::string_view target,
                          const std::optional<std::string>& label);

}  // namespace zek
