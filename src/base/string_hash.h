// Hashing a std::string key by any std::string_view, so that a table keyed
// by strings is searched without building one (with std::equal_to<>).
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace zek {

struct StringViewHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

}  // namespace zek
