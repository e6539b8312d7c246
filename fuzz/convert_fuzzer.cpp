// libFuzzer target: a whole conversion, both passes and every writer, of
// arbitrary bytes, in memory. The first bytes choose the options and the
// output mode; the rest is the source and the files it may include.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_case.h"
#include "support/memory_environment.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  zek::fuzz::FuzzCase fuzz_case = zek::fuzz::decode_case(bytes);
  zek::testing::MemoryEnvironment env;
  env.files = std::move(fuzz_case.files);
  const zek::testing::RunResult result = zek::testing::run(env, fuzz_case.arguments);
  // A conversion ends with 0 or 1 and nothing else.
  if (result.status != 0 && result.status != 1) std::abort();
  return 0;
}
