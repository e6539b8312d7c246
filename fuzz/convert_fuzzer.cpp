// libFuzzer target: a whole conversion, both passes and every writer, of
// arbitrary bytes, in memory. The first bytes choose the options and the
// output mode; the rest is the source and the files it may include.
//
// Besides crashes and sanitizer reports it traps when a run ends with a
// status other than 0 or 1, when a run with status 0 did not write its output
// (and its ID file with -I), or when a second run of the same case in the same
// process gives other files or console texts (state left over from a run).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_case.h"
#include "support/memory_environment.h"

namespace {

struct Outcome {
  zek::testing::RunResult result;
  std::map<std::string, std::string> files;

  bool operator==(const Outcome& other) const {
    return result.status == other.result.status && result.out == other.result.out &&
           result.err == other.result.err && files == other.files;
  }
};

Outcome convert(const zek::fuzz::FuzzCase& fuzz_case) {
  zek::testing::MemoryEnvironment env;
  env.files = fuzz_case.files;
  Outcome outcome;
  outcome.result = zek::testing::run(env, fuzz_case.arguments);
  outcome.files = std::move(env.files);
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const zek::fuzz::FuzzCase fuzz_case = zek::fuzz::decode_case(bytes);
  const Outcome first = convert(fuzz_case);
  if (first.result.status != 0 && first.result.status != 1) __builtin_trap();
  if (first.result.status == 0) {
    for (const std::string& name : fuzz_case.written_files) {
      if (first.files.count(name) == 0) __builtin_trap();
    }
  }
  if (!(convert(fuzz_case) == first)) __builtin_trap();
  return 0;
}
