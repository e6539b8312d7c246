// Link insertion on adversarial name sets: thousands of names that are
// prefixes of one another ("a", "aa", "aaa", ...; the same in Japanese) and
// lines of one repeated character, against ordinary names and lines. Prints
// the cost per byte of each, in-process, without file I/O.
//
//   link_adversarial [names] [repetitions]
#include <chrono>
#include <cstdio>
#include <string>

#include "commands/context.h"
#include "commands/link_text.h"
#include "driver/command_line.h"

namespace {

class Discard : public zek::OutputStream {
 public:
  bool write(std::string_view) override { return true; }
};

double nanoseconds_per_byte(zek::Context& ctx, const std::string& line, int repetitions) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repetitions; ++i) {
    std::string copy = line;
    zek::link_text_line(ctx, copy, zek::NameKind::topic);
    ctx.names.clear_link_marks();
  }
  const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / (static_cast<double>(line.size()) * repetitions);
}

void measure(const char* label, const std::string& unit, size_t names, const std::string& line,
             int repetitions) {
  Discard discard;
  zek::Context ctx;
  ctx.options = zek::apply_options({});
  ctx.writer.out.attach(&discard);
  std::string name;
  for (size_t i = 0; i < names; ++i) {
    name += unit;
    ctx.names.add_topic(name);
  }
  zek::prepare_links(ctx);
  std::printf("%-40s %8.2f ns/byte\n", label, nanoseconds_per_byte(ctx, line, repetitions));
}

}  // namespace

int main(int argc, char** argv) {
  const size_t names = argc > 1 ? std::stoul(argv[1]) : 2000;
  const int repetitions = argc > 2 ? std::stoi(argv[2]) : 200;
  std::string ascii(2000, 'a');
  std::string japanese;
  for (int i = 0; i < 1000; ++i) japanese += "\x82\xA0";  // あ
  std::string spaced;
  for (int i = 0; i < 1000; ++i) spaced += "a ";
  measure("prefix names a.. / line of 'a'", "a", names, ascii, repetitions);
  measure("prefix names a a.. / line of 'a '", "a ", names, spaced, repetitions);
  measure("prefix names Japanese / line of one kanji", "\x82\xA0", names, japanese, repetitions);
  const std::string prose =
      "Use the File Manager Menu to open a file; see also Edit and View Options. ";
  std::string ordinary;
  while (ordinary.size() < 2000) ordinary += prose;
  measure("ordinary line, same names (baseline)", "a", names, ordinary, repetitions);
  return 0;
}
