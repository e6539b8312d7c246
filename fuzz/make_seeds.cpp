// Writes the seed corpus of the whole-conversion fuzzer: one seed per golden
// case (its options, output mode, source and included files, with the
// included files renamed to the names the fuzzer offers) and a few hand-made
// sources that reach includes, ID files, macros and sections; and for the
// publishing fuzzer, every golden RTF file and a help of many short topics,
// long enough to be written in two parts.
//
// Usage: make_fuzz_seeds GOLDEN_FOLDER SEED_FOLDER
// (seeds go to SEED_FOLDER/convert_fuzzer, link_fuzzer, macro_fuzzer and
// publish_fuzzer)
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_case.h"

namespace fs = std::filesystem;

namespace {

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool write_bytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out);
}

std::vector<std::string> read_lines(const fs::path& path) {
  std::vector<std::string> lines;
  std::istringstream in(read_bytes(path));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool is_option(const std::string& argument) {
  return !argument.empty() && (argument[0] == '-' || argument[0] == '/') && argument != "/";
}

char lower(char c) {
  return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// The name of an ".include" line (any case, blanks after the keyword, line
// end and trailing blanks left out), or none.
std::optional<std::string> included_name(const std::string& line) {
  const std::string keyword = ".include";
  if (line.size() <= keyword.size()) return std::nullopt;
  for (size_t i = 0; i < keyword.size(); ++i) {
    if (lower(line[i]) != keyword[i]) return std::nullopt;
  }
  const size_t begin = line.find_first_not_of(" \t", keyword.size());
  const size_t end = line.find_last_not_of(" \t\r\n");
  if (begin == std::string::npos || end < begin) return std::nullopt;
  return line.substr(begin, end - begin + 1);
}

// Rewrites the ".include" lines of `text` to the new names of their files.
std::string rename_includes(const std::string& text, const std::map<std::string, std::string>& to) {
  std::string result;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::string line = text.substr(start, end - start);
    const std::optional<std::string> name = included_name(line);
    const auto renamed = name ? to.find(*name) : to.end();
    if (renamed == to.end()) {
      result += line;
    } else {
      const size_t crlf = line.find_last_not_of("\r\n") + 1;
      result += ".include " + renamed->second + line.substr(crlf);
    }
    start = end;
  }
  return result;
}

struct GoldenInputs {
  std::vector<std::string> options;
  std::vector<std::string> file_arguments;
  std::map<std::string, std::string> files;  // by path below in/
};

GoldenInputs read_golden_case(const fs::path& folder) {
  GoldenInputs inputs;
  for (const std::string& argument : read_lines(folder / "args")) {
    (is_option(argument) ? inputs.options : inputs.file_arguments).push_back(argument);
  }
  const fs::path in = folder / "in";
  if (!fs::is_directory(in)) return inputs;
  for (const auto& entry : fs::recursive_directory_iterator(in)) {
    if (entry.is_regular_file()) {
      inputs.files[fs::relative(entry.path(), in).generic_string()] = read_bytes(entry.path());
    }
  }
  return inputs;
}

// The seed of one golden case, or none when the fuzzer cannot express it.
std::optional<std::string> golden_seed(const fs::path& folder) {
  GoldenInputs inputs = read_golden_case(folder);
  if (inputs.file_arguments.empty() || !inputs.files.count(inputs.file_arguments[0])) {
    return std::nullopt;
  }
  for (const auto& [path, bytes] : inputs.files) {
    if (bytes.find(zek::fuzz::kFileSeparator) != std::string::npos) return std::nullopt;
  }
  const std::string source = inputs.file_arguments[0];
  // The -J file becomes the last include name; the others take the rest in order.
  std::map<std::string, std::string> renamed;
  std::vector<std::string> free_names(std::begin(zek::fuzz::kIncludeNames),
                                      std::end(zek::fuzz::kIncludeNames));
  for (const std::string& option : inputs.options) {
    const std::string name = option.substr(2);
    if (option.size() > 2 && lower(option[1]) == 'j' && inputs.files.count(name)) {
      renamed[name] = std::string(zek::fuzz::kIdInputName);
      free_names.erase(std::find(free_names.begin(), free_names.end(), renamed[name]));
    }
  }
  for (const auto& [path, bytes] : inputs.files) {
    if (path == source || renamed.count(path) || free_names.empty()) continue;
    renamed[path] = free_names.front();
    free_names.erase(free_names.begin());
  }
  std::map<std::string, std::string> by_new_name;
  for (const auto& [path, name] : renamed) by_new_name[name] = inputs.files[path];
  std::vector<std::string> includes;
  for (const char* name : zek::fuzz::kIncludeNames) {
    includes.push_back(rename_includes(by_new_name[name], renamed));
  }
  while (!includes.empty() && includes.back().empty()) includes.pop_back();
  const std::string output = inputs.file_arguments.size() > 1 ? inputs.file_arguments[1] : "";
  return zek::fuzz::encode_case(zek::fuzz::encode_header(inputs.options, output),
                                rename_includes(inputs.files[source], renamed), includes);
}

struct HandMadeSeed {
  const char* name;
  std::vector<std::string> options;
  const char* output;
  std::string source;
  std::vector<std::string> includes;
};

// Sources that reach what the golden cases may not: nested includes, an ID
// file of another project, macros with parameters, sections and Shift-JIS text.
std::vector<HandMadeSeed> hand_made_seeds() {
  return {
      {"includes",
       {"-R", "-V"},
       "out.rtf",
       ".start\r\n.topic Main\r\nSee Part and Sub.\r\n.include a\r\n.end\r\n",
       {".topic Part\r\nBack to Main.\r\n.include b\r\n",
        ".popup Sub\r\n.include c\r\nMain or Part\r\n", "Nested Sub\r\n"}},
      {"id-file",
       {"-Jc", "-Fother.hlp", "-I@@", "-M"},
       "out.txt",
       ".start\r\n.topic Menus\r\n.id IDM_OPEN\r\nUse Print or Open.\r\n.alias Open\r\n.end\r\n",
       {"", "", "Print:XX3\r\nSave:\r\n:XX1\r\nno colon\r\n"}},
      {"macros",
       {"-3", "-X"},
       "out.xtf",
       "#define NAME\tSetup\r\n#define B(x)\t{x}-x\r\n.start\r\n.topic NAME\r\n"
       "#if32\r\nB(32) NAME \\\r\n#else\r\n\x88\xea\x82\xcc B(16)\r\n#endif\r\n"
       "#32 .bold Wide\r\n#text plain\r\n#rtf rich\r\n.end\r\n",
       {}},
      {"formatting",
       {"-W", "-K", "-$", "-@"},
       "out.txt",
       ".start\r\n.colortable\r\n.topic $cost@\r\n.box .bold .font 2 .size 10 Boxed\r\n"
       "\t.lindentc 4 Indented\ttext\r\n.endindent\r\n.noscroll\r\n.title Heading\r\n"
       ".endnoscroll\r\n'{\\b raw}\r\n`tail\r\n\"plain $cost@ text\r\n.end\r\n",
       {}},
  };
}

// Seeds of the differential targets: a name table with prefixes, aliases,
// double-byte names and ID-file names, then lines; macros with parameters
// that feed each other.
// One record of the link fuzzer: its kind byte, its text and a line feed.
std::string link_record(char kind, const std::string& text) {
  return kind + text + "\n";
}

std::string link_seed() {
  enum : char { popup, topic, topic2, alias, external, title, clear_marks, body };
  return "\x03" + link_record(topic, "File") + link_record(topic, "File Manager") +
         link_record(popup, "Pop") + link_record(alias, "Alias") + link_record(external, "Print") +
         link_record(external, "") + link_record(topic2, "$cost@") +
         link_record(topic, "\x82\xa0\x82\xa2") + link_record(title, "File") +
         link_record(body, "Open the File Manager, Pop or Alias.") +
         link_record(body, "\x95\\File \x82\xa0\x82\xa2 Print $cost@") +
         link_record(clear_marks, "") + link_record(body, "File again");
}

const std::vector<std::pair<std::string, std::string>> kMacroSeeds = {
    {"macros",
     "#define P\tQ\n#define Q\tR\n#define A(x)\t[x]-x\n#define X\taXb\n"
     "P A(1) A(2) A (3) X\n#undef Q\n#define Q\tS\nP Q\n#clear\nP\n"
     "#define \x95\\\tyen\n\x95\\ \x83\x95\\\n"},
};

// The RTF of a help of 40 short topics: footnotes, hot spots of every kind,
// a table, an alias inside a topic and a colour table that raw RTF brings
// halfway.
std::string many_topics_seed() {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 MS Gothic;}}{\\colortbl ;\\red0\\green0\\blue255;}\r\n";
  for (int i = 0; i < 40; ++i) {
    const std::string n = std::to_string(i);
    rtf += "${\\footnote $ Topic " + n + "}#{\\footnote # T" + n + "}K{\\footnote K key" + n +
           "}+{\\footnote + tour:" + n + "}\r\n";
    rtf += "\\cf1 Text {\\strike Next}{\\v T" + std::to_string((i + 1) % 40) +
           "} {\\ul Note}{\\v T" + std::to_string((i + 7) % 40) + "}\\par\r\n";
    if (i % 9 == 4) rtf += "\\trowd\\cellx2000\\intbl a\\cell\\row\\pard\r\n";
    if (i % 13 == 6) rtf += "#{\\footnote # A" + n + "}More\\par\r\n";
    if (i == 20) rtf += "{\\colortbl ;\\red255\\green0\\blue0;}\r\n";
    rtf += "{\\page }\r\n";
  }
  return rtf + "}\r\n";
}

// Every RTF file a golden case expects, as seeds of the publishing fuzzer.
std::vector<std::pair<std::string, std::string>> publish_seeds(const fs::path& golden) {
  std::vector<std::pair<std::string, std::string>> seeds = {{"many-topics", many_topics_seed()}};
  for (const auto& entry : fs::recursive_directory_iterator(golden)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!entry.is_regular_file() || extension != ".rtf") continue;
    std::string name = "golden-" + fs::relative(entry.path(), golden).generic_string();
    std::replace(name.begin(), name.end(), '/', '-');
    seeds.emplace_back(name, read_bytes(entry.path()));
  }
  return seeds;
}

void write_seeds(const fs::path& folder,
                 const std::vector<std::pair<std::string, std::string>>& seeds, size_t& written) {
  fs::create_directories(folder);
  for (const auto& [name, bytes] : seeds) written += write_bytes(folder / name, bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_fuzz_seeds GOLDEN_FOLDER SEED_FOLDER\n";
    return 2;
  }
  const fs::path golden = argv[1];
  const fs::path seeds = fs::path(argv[2]) / "convert_fuzzer";
  fs::create_directories(seeds);
  size_t written = 0;
  for (const auto& entry : fs::recursive_directory_iterator(golden)) {
    if (entry.path().filename() != "args") continue;
    const fs::path folder = entry.path().parent_path();
    const std::optional<std::string> seed = golden_seed(folder);
    if (!seed) continue;
    const std::string name = "golden-" + fs::relative(folder, golden).generic_string();
    std::string file_name = name;
    std::replace(file_name.begin(), file_name.end(), '/', '-');
    written += write_bytes(seeds / file_name, *seed);
  }
  for (const HandMadeSeed& seed : hand_made_seeds()) {
    const std::string header = zek::fuzz::encode_header(seed.options, seed.output);
    written += write_bytes(seeds / (std::string("hand-") + seed.name),
                           zek::fuzz::encode_case(header, seed.source, seed.includes));
  }
  write_seeds(fs::path(argv[2]) / "link_fuzzer", {{"names", link_seed()}}, written);
  write_seeds(fs::path(argv[2]) / "macro_fuzzer", kMacroSeeds, written);
  write_seeds(fs::path(argv[2]) / "publish_fuzzer", publish_seeds(golden), written);
  std::cout << written << " seeds in " << argv[2] << "\n";
  return 0;
}
