// File-name splitting by the host's rules: where the final name component
// begins, where its extension starts, and the name of a file beside another.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zek {

// Position of the "." that starts the extension of the final component, or npos.
size_t extension_position(std::string_view name);
// The extension with its dot ("" when there is none).
std::string_view extension_of(std::string_view name);
// `name` with its extension replaced by `extension` (added when it has none).
std::string replace_extension(std::string_view name, std::string_view extension);
// The directory (and drive) part of `name` with its final separator; "" when
// it has none.
std::string_view folder_of(std::string_view name);
// The final component of `name` without its extension.
std::string_view base_name_of(std::string_view name);
// Whether two ASCII texts are equal ignoring letter case.
bool equals_ignoring_case(std::string_view a, std::string_view b);
// Whether two names are spelled alike by the host's rules (letter case is
// ignored on Windows).
bool same_spelling(std::string_view a, std::string_view b);
// Whether "/" is the host's usual option mark (Windows), so that an argument
// that begins with it is an option whatever follows; elsewhere it begins an
// absolute file name.
bool slash_marks_options();
// The name of the file `name` in the folder of the file `includer`: the
// includer's folder part (drive included) followed by `name`. None when that
// would look in the same place again: `name` is empty or does not depend on
// the current folder (it begins at a root, or names a drive on Windows), or
// `includer` lies in the current folder ("in.zek", "./in.zek").
std::optional<std::string> name_beside(std::string_view includer, std::string_view name);

}  // namespace zek
