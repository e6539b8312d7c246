// Reading a hot spot's hidden text ("ctx", "ctx>window", "ctx@file.hlp",
// "!Macro(...)", with a leading "%" or "*") and an authored button's macro.
#pragma once

#include <string_view>

#include "publish/model.h"

namespace zek {

// The target a hot spot's hidden text names. `kind` is what the visible
// text's formatting says (jump or popup); a macro makes it a macro, and the
// macro JumpId/JI("file","ctx") becomes a jump into that file.
LinkTarget read_link_target(std::string_view hidden, LinkKind kind);

// A jump that a macro text such as JI("file.hlp","ctx") or JumpId(...)
// makes; `target` is left a macro when the macro is anything else.
void read_jump_macro(LinkTarget& target);

// The text with spaces, tabs and line ends removed at both ends.
std::string_view trim_blanks(std::string_view text);

}  // namespace zek
