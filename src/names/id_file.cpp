// ID-file reader. Lines are read whole, whatever their length.
#include "names/id_file.h"

#include "io/line_reader.h"

namespace zek {

bool read_id_file(Environment& env, const Diagnostics& diag, NameTable& names,
                  const std::string& path) {
  std::unique_ptr<InputStream> input = env.open_input(path);
  if (!input) {
    diag.report_cannot_open(path);
    return false;
  }
  LineReader reader(*input);
  std::string line;
  while (reader.read_line(line)) {
    // Read as text: the line feed goes, and a carriage return right before it.
    if (!line.empty() && line.back() == '\n') {
      line.pop_back();
      if (!line.empty() && line.back() == '\r') line.pop_back();
    }
    if (const size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    names.add_external(std::string_view(line).substr(0, colon),
                       std::string_view(line).substr(colon + 1));
  }
  return true;
}

}  // namespace zek
