// A named table row for whole-conversion tests: a source and the output
// bytes it must give, and the test name GoogleTest shows for it.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace zek::testing {

struct ConversionCase {
  const char* name;
  std::string source;
  std::string expected;
};

inline std::string case_name(const ::testing::TestParamInfo<ConversionCase>& info) {
  return info.param.name;
}

}  // namespace zek::testing
