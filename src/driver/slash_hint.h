// Hints for names that the "/" rule would misread. A name with a folder,
// "sub/in.zek", is the file "sub" and the option "/in.zek" unless a lone "/"
// stands before it; an absolute name, "/srv/in.zek", is refused on POSIX
// unless "--" stands before it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "driver/command_line.h"

namespace zek {

// The same command (`arguments`, the program name first) in the form that
// keeps file names with folders whole: a lone "/" just before the argument
// that held the name. None when that argument was not cut at a "/".
std::optional<std::string> lone_slash_command(const std::vector<std::string>& arguments,
                                              ArgumentOrigin named);

// The line written after "cannot open" for such a name, ending in "\n".
std::string lone_slash_hint(const std::string& command);

// The same command with "--" before the file names, the arguments in
// `not_options` among them, so that a name beginning with "/" stays a name.
std::string double_dash_command(const std::vector<std::string>& arguments,
                                const std::vector<size_t>& not_options);

// The lines that refuse the arguments in `not_options` and show the command
// that names them as files.
std::string not_options_message(const std::vector<std::string>& arguments,
                                const std::vector<size_t>& not_options);

}  // namespace zek
