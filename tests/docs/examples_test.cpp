// The files under examples/ are the inputs and outputs of the golden cases
// for the example, byte for byte, so the example a reader opens cannot drift
// from what the converter is tested to write.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string read_bytes(const std::string& relative) {
  std::ifstream in(std::string(ZEK2RTF_SOURCE_DIR) + "/" + relative, std::ios::binary);
  EXPECT_TRUE(in.good()) << relative;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(ExamplesTest, EveryExampleFileIsAGoldenCaseFile) {
  const struct {
    const char* example;
    const char* golden;
  } pairs[] = {
      {"examples/sample.zek", "tests/golden/examples/sample-rtf/in/sample.zek"},
      {"examples/sample.zek", "tests/golden/examples/sample-txt/in/sample.zek"},
      {"examples/sample.RTF", "tests/golden/examples/sample-rtf/expected/files/sample.rtf"},
  };
  for (const auto& pair : pairs) {
    EXPECT_EQ(read_bytes(pair.example), read_bytes(pair.golden)) << pair.example;
  }
}

}  // namespace
