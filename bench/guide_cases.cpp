// Writes every example of the author's guide as a case folder of the shape
// the golden cases have: `args` (one argument per line) and `in/` with the
// example's source and further input files, in code page 932 with CR LF line
// ends, the bytes a help author's files hold. compare_binaries.sh runs two
// converters on these folders; the expected blocks are not written, as the
// two converters are compared with each other, not with the guide.
//
//   guide_cases GUIDE.md OUT_DIR
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "docs/cp932_text.h"
#include "docs/guide_reader.h"

namespace fs = std::filesystem;

namespace {

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void write_bytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string with_crlf(const std::string& text) {
  std::string result;
  for (const char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

// The command line the guide's test gives the example: its own, or its
// options, the source and an output name that selects the output shown.
std::vector<std::string> arguments_of(const zek::testing::GuideExample& example) {
  if (!example.args.empty()) return example.args;
  std::vector<std::string> arguments = example.options;
  arguments.push_back(example.source);
  const auto& expected = example.expectations;
  arguments.push_back(expected.count("text") != 0  ? "out.txt"
                      : expected.count("xtf") != 0 ? "out.xtf"
                                                   : "out.rtf");
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: guide_cases GUIDE.md OUT_DIR\n");
    return 2;
  }
  const std::string markdown = read_bytes(argv[1]);
  const zek::testing::GuideContents guide = zek::testing::read_guide(markdown);
  if (markdown.empty() || guide.examples.empty()) {
    std::fprintf(stderr, "guide_cases: no examples read from %s\n", argv[1]);
    return 1;
  }
  const fs::path out = argv[2];
  int number = 0;
  for (const auto& example : guide.examples) {
    char name[32];
    std::snprintf(name, sizeof name, "line-%04d", example.line);
    const fs::path folder = out / name;
    std::string args;
    for (const std::string& argument : arguments_of(example)) args += argument + "\n";
    write_bytes(folder / "args", args);
    for (const auto& [file, text] : example.inputs) {
      const zek::testing::Cp932Result converted = zek::testing::utf8_to_cp932(text);
      if (!converted.unknown.empty()) {
        std::fprintf(stderr, "guide_cases: line %d: no code page 932 entry for %s\n", example.line,
                     converted.unknown.c_str());
        return 1;
      }
      write_bytes(folder / "in" / file, with_crlf(converted.bytes));
    }
    ++number;
  }
  std::printf("%d examples\n", number);
  return 0;
}
