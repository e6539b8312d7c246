// The I/O floor the converter is measured against: reads a file line by line
// twice with buffered fgets and writes it once with fputs.
//
//   io_floor <input> <output>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  static char line[4096];
  for (int pass = 0; pass < 2; ++pass) {
    std::FILE* in = std::fopen(argv[1], "rb");
    if (in == nullptr) return 1;
    std::FILE* out = pass == 1 ? std::fopen(argv[2], "wb") : nullptr;
    while (std::fgets(line, sizeof line, in) != nullptr) {
      if (out != nullptr) std::fputs(line, out);
    }
    if (out != nullptr) std::fclose(out);
    std::fclose(in);
  }
  return 0;
}
