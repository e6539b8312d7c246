// The GoogleTest name of a table row: its `name` field, for
// INSTANTIATE_TEST_SUITE_P over rows of any kind.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace zek::testing {

inline constexpr auto row_name = [](const auto& info) { return std::string(info.param.name); };

}  // namespace zek::testing
