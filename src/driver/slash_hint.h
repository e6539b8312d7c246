// The hint for a source name that the "/" rule cut short: "sub/in.zek" is the
// file "sub" and the option "/in.zek" unless a lone "/" stands before it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zek {

// The same command (`arguments`, the program name first) in the form that
// keeps file names with folders whole: a lone "/" just before the argument
// that held the source name. None when that argument was not cut at a "/".
std::optional<std::string> lone_slash_command(const std::vector<std::string>& arguments);

// The line written after "cannot open" for such a source, ending in "\n".
std::string lone_slash_hint(const std::string& command);

}  // namespace zek
