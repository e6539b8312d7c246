// LineReader: lines of any length come out whole, whatever the reads return.
#include "io/line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zek {
namespace {

// Hands out its bytes at most `step` at a time.
class Trickle : public InputStream {
 public:
  Trickle(std::string bytes, size_t step) : bytes_(std::move(bytes)), step_(step) {}
  size_t read(char* buffer, size_t size) override {
    const size_t count = std::min({size, step_, bytes_.size() - at_});
    std::copy_n(bytes_.data() + at_, count, buffer);
    at_ += count;
    return count;
  }

 private:
  std::string bytes_;
  size_t step_;
  size_t at_ = 0;
};

std::vector<std::string> read_all(const std::string& bytes, size_t step) {
  Trickle input(bytes, step);
  LineReader reader(input);
  std::vector<std::string> lines;
  std::string line;
  while (reader.read_line(line)) lines.push_back(line);
  return lines;
}

TEST(LineReaderTest, LinesComeOutWholeWhateverTheReads) {
  const std::string long_line = std::string(200000, 'x') + "\r\n";
  const std::string near_chunk = std::string(65535, 'y') + "\n";
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"", {}},
      {"a\r\nb\r\n", {"a\r\n", "b\r\n"}},
      {"no end", {"no end"}},
      {"\n\n", {"\n", "\n"}},
      {"x\r\n\x81\n", {"x\r\n", "\x81\n"}},
      {long_line + "tail", {long_line, "tail"}},
      {near_chunk + near_chunk + "z\n", {near_chunk, near_chunk, "z\n"}},
  };
  for (const size_t step : {size_t{1}, size_t{7}, size_t{4096}, size_t{1} << 20}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << "step " << step << ", " << c.bytes.size() << " bytes");
      EXPECT_EQ(read_all(c.bytes, step), c.lines);
    }
  }
}

}  // namespace
}  // namespace zek
