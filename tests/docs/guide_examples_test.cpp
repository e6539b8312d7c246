// Runs every example of the author's guide (docs/zek-format.md) through a
// whole conversion and compares the files and console texts it shows.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

#include "docs/cp932_text.h"
#include "docs/guide_reader.h"
#include "support/conversion.h"

namespace zek::testing {
namespace {

const char kGuidePath[] = ZEK2RTF_SOURCE_DIR "/docs/zek-format.md";

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const GuideContents& guide() {
  static const GuideContents contents = read_guide(read_file(kGuidePath));
  return contents;
}

std::string with_crlf(const std::string& text) {
  std::string result;
  for (char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

// The bytes an example block stands for: code page 932, and CR LF line ends
// in files (console texts keep their LF).
std::string block_bytes(const std::string& kind, const std::string& text) {
  const Cp932Result converted = utf8_to_cp932(text);
  EXPECT_EQ(converted.unknown, "") << "character without a code page 932 entry in the test";
  const bool console = kind == "stderr" || kind == "stdout";
  return console ? converted.bytes : with_crlf(converted.bytes);
}

bool is_id_file(const std::string& name) {
  return name.size() >= 3 && name.compare(name.size() - 3, 3, ".ID") == 0;
}

class GuideExampleTest : public ::testing::TestWithParam<size_t> {};

TEST(Guide, ReadsWithoutProblems) {
  ASSERT_FALSE(read_file(kGuidePath).empty()) << kGuidePath;
  for (const std::string& problem : guide().problems) ADD_FAILURE() << problem;
  EXPECT_GE(guide().examples.size(), 20u);
}

TEST_P(GuideExampleTest, GivesTheOutputShown) {
  if (guide().examples.empty()) GTEST_SKIP() << "no examples read";
  const GuideExample& example = guide().examples[GetParam()];
  SCOPED_TRACE(std::string(kGuidePath) + ":" + std::to_string(example.line));
  if (example.unchecked) GTEST_SKIP() << "marked unchecked in the guide";

  Conversion c{.arguments = example_arguments(example)};
  for (const auto& [name, text] : example.inputs) c.sources[name] = block_bytes("zek", text);
  Outcome result = convert(c);

  const auto expected = [&](const std::string& kind) {
    auto it = example.expectations.find(kind);
    return it == example.expectations.end() ? std::string() : block_bytes(kind, it->second);
  };
  EXPECT_EQ(result.status, example.status);
  EXPECT_EQ(result.err, expected("stderr"));
  EXPECT_EQ(result.out, expected("stdout"));

  std::set<std::string> new_files;
  for (const auto& [name, bytes] : result.files)
    if (!example.inputs.count(name)) new_files.insert(name);
  size_t expected_files = 0;
  for (const char* kind : {"rtf", "text", "xtf", "id"}) {
    if (!example.expectations.count(kind)) continue;
    ++expected_files;
    const bool id = std::string(kind) == "id";
    for (const std::string& name : new_files) {
      if (is_id_file(name) != id) continue;
      EXPECT_EQ(result.files[name], expected(kind)) << name;
    }
  }
  EXPECT_EQ(new_files.size(), expected_files) << "files written besides the ones shown";
}

// "`.topic` and `.popup`" -> "topic_and_popup".
std::string identifier(const std::string& heading) {
  std::string name;
  for (char c : heading) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      name += c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  if (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "untitled" : name;
}

// The heading's identifier, numbered from the second example under it on.
std::string example_name(const ::testing::TestParamInfo<size_t>& info) {
  if (guide().examples.empty()) return "none";
  const std::string name = identifier(guide().examples[info.param].heading);
  size_t same = 0;
  for (size_t i = 0; i < info.param; ++i)
    if (identifier(guide().examples[i].heading) == name) ++same;
  return same == 0 ? name : name + "_" + std::to_string(same + 1);
}

INSTANTIATE_TEST_SUITE_P(Guide, GuideExampleTest,
                         ::testing::Range<size_t>(0, std::max<size_t>(guide().examples.size(), 1)),
                         example_name);

}  // namespace
}  // namespace zek::testing
