// The one test of every table of Conversion rows; the tables themselves are
// instantiated beside the code they test.
#include "support/conversion.h"

namespace zek::testing {
namespace {

TEST_P(ConversionTest, Converts) {
  check(GetParam());
}

}  // namespace
}  // namespace zek::testing
