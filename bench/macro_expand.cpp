// Benchmark: the cost of macro expansion as the macro table grows. The same
// 100,000-line source (paragraphs using a few macros, #if32/#else sections)
// is converted with 5 and with 500 macros defined; the two times should stay
// within 1.3x of each other. Prints the times of whole conversions and of
// the expansion alone, each the best of several rounds of processor time.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "base/cat.h"
#include "driver/run.h"
#include "io/environment.h"
#include "source/macro_table.h"

namespace {

using zek::append;
using zek::cat;

constexpr int kLines = 100000;
constexpr int kRounds = 5;

// The source: `defined` macros, of which the first five are used.
std::string make_corpus(int defined) {
  std::string source = ".start\r\n";
  append(source, "#define PRODUCT\tZEK Writer\r\n#define VERSION\t3.1\r\n");
  append(source,
         "#define KEY(k)\t<k>\r\n#define MENU(m)\tthe m menu\r\n#define COMPANY\tExample Soft\r\n");
  for (int i = 5; i < defined; ++i) append(source, "#define MACRO_", i, "_NAME\tvalue ", i, "\r\n");
  int line = 0;
  for (int paragraph = 0; line < kLines; ++paragraph) {
    if (paragraph % 10 == 9) {
      append(source, "#if32\r\nThis paragraph is for the 32-bit PRODUCT only.\r\n#else\r\n",
             "This paragraph is for the 16-bit PRODUCT only.\r\n#endif\r\n");
      line += 5;
      continue;
    }
    append(source, "PRODUCT VERSION opens files from MENU(File) and saves them again.\r\n",
           "Text of paragraph ", paragraph, " explains one more feature in a few words.\r\n",
           "Press KEY(F1) for help, or read the manual shipped with the program.\r\n",
           "Most lines of a help source hold plain text and use no macro at all.\r\n", "\r\n");
    line += 5;
  }
  return source + ".center The end\r\n";
}

class BufferInput : public zek::InputStream {
 public:
  explicit BufferInput(const std::string& bytes) : bytes_(bytes) {}
  size_t read(char* buffer, size_t size) override {
    const size_t n = std::min(size, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
  }

 private:
  const std::string& bytes_;
  size_t pos_ = 0;
};

class CountingOutput : public zek::OutputFile {
 public:
  bool write(std::string_view bytes) override {
    written += bytes.size();
    return true;
  }
  bool finish() override { return true; }
  bool commit() override { return true; }
  void discard() override {}
  size_t written = 0;
};

class CorpusEnvironment : public zek::Environment {
 public:
  explicit CorpusEnvironment(const std::string& source) : source_(source) {}
  std::unique_ptr<zek::InputStream> open_input(const std::string& name) override {
    if (name != "bench.zek") return nullptr;
    return std::make_unique<BufferInput>(source_);
  }
  std::unique_ptr<zek::OutputFile> create_output(const std::string&) override {
    return std::make_unique<CountingOutput>();
  }
  std::optional<zek::FileIdentity> identify(const std::string&) override { return std::nullopt; }

 private:
  const std::string& source_;
};

class NullStream : public zek::OutputStream {
 public:
  bool write(std::string_view) override { return true; }
};

// Processor time of this program, so that other programs on a busy machine
// disturb the comparison less.
double seconds_since(std::clock_t start) {
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

double time_conversion(const std::string& source) {
  CorpusEnvironment env(source);
  NullStream out, err;
  const std::clock_t start = std::clock();
  const int status = zek::run_converter({"zek2rtf", "bench.zek", "bench.rtf"}, env, out, err);
  const double elapsed = seconds_since(start);
  if (status != 0) std::fprintf(stderr, "conversion failed\n");
  return elapsed;
}

// Expansion alone, as the line loop calls it: definitions go to the table,
// every other non-empty line is expanded.
double time_expansion(const std::string& source) {
  std::vector<std::string> lines;
  for (size_t pos = 0; pos < source.size();) {
    const size_t end = source.find("\r\n", pos);
    lines.push_back(source.substr(pos, end - pos));
    pos = end + 2;
  }
  zek::MacroTable table;
  const std::clock_t start = std::clock();
  for (std::string& line : lines) {
    if (line.rfind("#define ", 0) == 0) {
      table.define(std::string_view(line).substr(8));
    } else if (!line.empty() && line[0] != '#') {
      table.expand(line, {});
    }
  }
  return seconds_since(start);
}

struct Pair {
  double few = 1e9;
  double many = 1e9;
};

// Best times of both sources, measured in alternation so that both see the
// same machine load.
template <typename Measure>
Pair best_of(const std::string& few, const std::string& many, Measure measure) {
  Pair best;
  for (int round = 0; round < kRounds; ++round) {
    best.few = std::min(best.few, measure(few));
    best.many = std::min(best.many, measure(many));
  }
  return best;
}

void print(const char* what, Pair times) {
  std::printf("  %-10s   5 macros %8.1f ms   500 macros %8.1f ms   ratio %.2f\n", what,
              times.few * 1e3, times.many * 1e3, times.many / times.few);
}

}  // namespace

int main() {
  const std::string few = make_corpus(5);
  const std::string many = make_corpus(500);
  const Pair conversion = best_of(few, many, time_conversion);
  const Pair expansion = best_of(few, many, time_expansion);
  std::printf("macro_expand: %d lines, best of %d rounds\n", kLines, kRounds);
  print("conversion", conversion);
  print("expansion", expansion);
  return conversion.many / conversion.few <= 1.3 ? 0 : 1;
}
