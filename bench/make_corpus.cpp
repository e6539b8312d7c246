// Writes a generated help project for the benchmarks: a ZEK source shaped
// like a real one (topics, popups, .topic2 topics and aliases whose titles
// are often prefixes of one another, a third of them Japanese; body lines of
// 60-200 bytes, half with Shift-JIS text, each mentioning several names), the
// same names as an ID file for -J, and the body text as Markdown of the same
// size for a comparison with cmark. Deterministic: the same arguments give
// the same bytes.
//
//   make_corpus <folder> <lines> <names> <headers|idfile|full> [seed]
//
// "headers" declares the names with .topic/.popup/.topic2/.alias; "idfile"
// leaves the header lines out, for a converter without header commands, and
// links the names through -J and -F instead. "full" is "headers" with the
// rest of a real project's furniture: twenty macros (five with a parameter)
// used in one body line in four, #if32/#else sections in one topic in ten,
// and formatting commands (.bold, .italic, .lindent, .size) in one topic in
// three.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint32_t next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state_ >> 33);
  }
  size_t below(size_t bound) { return next() % bound; }

 private:
  uint64_t state_;
};

const std::vector<std::string> kEnglishWords = {
    "File",    "Manager", "Menu",  "Edit",   "View",    "Options", "Window", "Help",
    "Print",   "Setup",   "Tools", "Format", "Insert",  "Table",   "Search", "Replace",
    "Page",    "Layout",  "Font",  "Color",  "Export",  "Import",  "Report", "Macro",
    "Toolbar", "Status",  "Index", "Topic",  "Preview", "Margin",  "Border", "Column"};
const std::vector<std::string> kJapaneseWords = {
    "\x83\x74\x83\x40\x83\x43\x83\x8B",          // ファイル
    "\x95\xD2\x8F\x57",                          // 編集
    "\x95\x5C\x8E\xA6",                          // 表示
    "\x90\xDD\x92\xE8",                          // 設定
    "\x88\xF3\x8D\xFC",                          // 印刷
    "\x83\x63\x81\x5B\x83\x8B",                  // ツール
    "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45",  // ウィンドウ
    "\x83\x77\x83\x8B\x83\x76",                  // ヘルプ
    "\x8C\x9F\x8D\xF5",                          // 検索
    "\x8F\x91\x8E\xAE",                          // 書式
    "\x91\x7D\x93\xFC",                          // 挿入
    "\x89\xE6\x96\xCA",                          // 画面
    "\x91\x80\x8D\xEC",                          // 操作
    "\x88\xEA\x97\x97",                          // 一覧
    "\x95\xDB\x91\xB6",                          // 保存
    "\x83\x5C\x83\x74\x83\x67",                  // ソフト
    "\x8B\x40\x94\x5C",                          // 機能
};
const std::vector<std::string> kEnglishFiller = {
    "the",    "a",       "to",   "and",  "of",       "you",     "can", "use",
    "this",   "command", "when", "with", "for",      "more",    "see", "also",
    "select", "click",   "then", "text", "{braces}", "C:\\path"};
const std::vector<std::string> kJapaneseFiller = {
    "\x82\xC9\x82\xC2\x82\xA2\x82\xC4",  // について
    "\x82\xF0\x8A\x4A\x82\xAD",          // を開く
    "\x82\xB5\x82\xDC\x82\xB7",          // します
    "\x81\x42",                          // 。
    "\x81\x41",                          // 、
    "\x82\xB1\x82\xEA\x82\xCD",          // これは
    "\x82\xC5\x82\xB7",                  // です
    "\x95\xB6\x8E\x9A",                  // 文字
};

std::string pick(Random& random, const std::vector<std::string>& words) {
  return words[random.below(words.size())];
}

// Titles of one to three words; a title often extends the one before it, so
// that "File", "File Manager", "File Manager Menu" all occur.
std::vector<std::string> make_names(Random& random, size_t count) {
  std::vector<std::string> names;
  std::set<std::string> taken;
  while (names.size() < count) {
    const bool japanese = random.below(3) == 0;
    const auto& words = japanese ? kJapaneseWords : kEnglishWords;
    const std::string space = japanese ? "" : " ";
    std::string name;
    if (!names.empty() && random.below(2) == 0) {
      name = names.back() + space + pick(random, words);
    } else {
      name = pick(random, words);
      if (random.below(2) == 0) name += space + pick(random, words);
    }
    if (name.size() > 40 || !taken.insert(name).second) {
      name = pick(random, words) + (japanese ? "" : " ") + std::to_string(names.size());
      if (!taken.insert(name).second) continue;
    }
    names.push_back(name);
  }
  return names;
}

// A body line of 60-200 bytes that mentions a few names.
std::string make_line(Random& random, const std::vector<std::string>& names) {
  const bool japanese = random.below(2) == 0;
  const size_t target = 60 + random.below(141);
  std::string line;
  while (line.size() < target) {
    if (random.below(5) == 0) {
      line += names[random.below(names.size())];
    } else {
      line += pick(random, japanese && random.below(2) ? kJapaneseFiller : kEnglishFiller);
    }
    line += japanese && random.below(2) ? "" : " ";
  }
  line.resize(target);
  // Never end inside a double-byte character.
  size_t pos = 0;
  while (pos < line.size()) pos += (static_cast<unsigned char>(line[pos]) >= 0x81) ? 2 : 1;
  if (pos > line.size()) line.pop_back();
  return line;
}

std::string header_line(Random& random, const std::string& name, size_t index) {
  switch (index % 4) {
    case 0:
      return ".popup " + name;
    case 1:
      return ".topic2 " + name + "\tnote";
    default:
      return (random.below(8) == 0 ? ".alias " : ".topic ") + name;
  }
}

constexpr size_t kMacroCount = 20;

// A macro's name: MAC_A to MAC_T.
std::string macro_name(size_t i) {
  return std::string("MAC_") + static_cast<char>('A' + i);
}

// "#define MAC_A ..." to "#define MAC_T ...": the first five take a parameter.
std::string macro_definitions() {
  std::string text;
  for (size_t i = 0; i < kMacroCount; ++i) {
    text += "#define " + macro_name(i);
    text += i < 5 ? "(x)\tthe x of part " + std::to_string(i) : "\tvalue " + std::to_string(i);
    text += "\r\n";
  }
  return text;
}

// A body line with what a real project puts around it: a macro use in one
// line in four, a line of a formatting command or an #if32 section at the
// start of the topic's lines. The extra lines count as lines of the corpus
// only through the lines they replace, so the line count stays close.
std::string furnished(Random& random, const std::string& line, size_t index, bool sectioned,
                      bool formatted) {
  std::string text = line;
  if (random.below(4) == 0) {
    const size_t macro = random.below(kMacroCount);
    text += ' ';
    text += macro_name(macro);
    if (macro < 5) text += "(value)";
  }
  if (formatted && index == 0) return ".bold\r\n.lindent 30 10\r\n" + text + "\r\n.bold 0";
  if (formatted && index == 2) return ".italic\r\n.size 12\r\n" + text + "\r\n.italic 0";
  if (sectioned && index == 1) return "#if32\r\n" + text + "\r\n#else\r\n" + line + "\r\n#endif";
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: make_corpus <folder> <lines> <names> <headers|idfile> [seed]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const size_t lines = std::stoul(argv[2]);
  const size_t name_count = std::stoul(argv[3]);
  const std::string shape = argv[4];
  const bool full = shape == "full";
  const bool headers = shape == "headers" || full;
  Random random(argc > 5 ? std::stoul(argv[5]) : 1);
  const std::vector<std::string> names = make_names(random, name_count);

  std::ofstream id(folder + "/corpus.id", std::ios::binary);
  for (size_t i = 0; i < names.size(); ++i) id << names[i] << ":CTX" << i << "\r\n";

  std::ofstream source(folder + "/corpus.zek", std::ios::binary);
  std::ofstream markdown(folder + "/corpus.md", std::ios::binary);
  source << ".start\r\n.colortable\r\n";
  size_t written = 2, markdown_size = 0, source_size = 0;
  if (full) {
    const std::string macros = macro_definitions();
    source << macros;
    source_size += macros.size();
    written += kMacroCount;
  }
  const size_t lines_per_topic = lines / names.size() + 1;
  for (size_t topic = 0; written < lines; ++topic) {
    const std::string& title = names[topic % names.size()];
    const std::string header =
        headers && topic < names.size() ? header_line(random, title, topic) : "";
    source << header << "\r\n";
    source_size += header.size() + 2;
    const std::string heading = "# " + title + "\n\n";
    markdown << heading;
    markdown_size += heading.size();
    ++written;
    const bool sectioned = full && topic % 10 == 5;
    const bool formatted = full && topic % 3 == 1;
    for (size_t l = 0; l < lines_per_topic && written < lines; ++l, ++written) {
      std::string line = random.below(6) == 0 ? "" : make_line(random, names);
      if (full && !line.empty()) line = furnished(random, line, l, sectioned, formatted);
      source << line << "\r\n";
      markdown << line << "\n\n";
      source_size += line.size() + 2;
      markdown_size += line.size() + 2;
    }
  }
  source << ".end\r\n";
  // Pad the Markdown to the size of the source with plain paragraphs.
  while (markdown_size + 80 < source_size) {
    markdown << std::string(78, 'x') << "\n\n";
    markdown_size += 80;
  }
  return 0;
}
