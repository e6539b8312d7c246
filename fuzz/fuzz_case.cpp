// Decoding and encoding of whole-conversion fuzz cases.
#include "fuzz_case.h"

#include <algorithm>
#include <array>

namespace zek::fuzz {

namespace {

struct FlagOption {
  size_t byte;
  uint8_t bit;
  const char* text;
};

constexpr std::array<FlagOption, 12> kFlagOptions = {{
    {0, kReport, "-R"},
    {0, kNoDirectives, "-D"},
    {0, kIdKeyword, "-M"},
    {0, kWorkshop, "-W"},
    {1, kBrackets, "-K"},
    {1, kHexKanji, "-X"},
    {1, kMode32, "-3"},
    {1, kVerbose, "-V"},
    {1, kDollar, "-$"},
    {1, kAt, "-@"},
    {2, kUtf8, "-U"},
    {2, kCheck, "-C"},
}};

constexpr const char* kIdModeOptions[] = {nullptr, "-I", "-I@", "-I@@"};
constexpr const char* kOutputNames[] = {"out.rtf", "out.txt", "out.xtf", nullptr};
constexpr const char* kOutputBase[] = {"out", "out", "out", "in"};
const std::string kIdInputOption = std::string("-J").append(kIdInputName);
constexpr const char* kHelpFileOption = "-Fhelp.hlp";

void add_help_options(uint8_t mode, std::vector<std::string>& arguments) {
  if (mode == 1 || mode == 3) arguments.push_back(kIdInputOption);
  if (mode == 1) arguments.push_back(kHelpFileOption);
  if (mode == 2) arguments.push_back("-F");
}

// Splits the bytes after the header into the source and the include files.
void add_files(std::string_view rest, FuzzCase& result) {
  size_t index = 0;
  std::string name{kSourceName};
  while (true) {
    const size_t cut = rest.find(kFileSeparator);
    result.files[name] = std::string(rest.substr(0, cut));
    if (cut == std::string_view::npos || index == std::size(kIncludeNames)) return;
    rest.remove_prefix(cut + kFileSeparator.size());
    name = kIncludeNames[index++];
  }
}

// 1 for -I, 2 when the option text's second character is "@", 3 when its
// third one is, whatever the second.
uint8_t id_mode_of(const std::string& option) {
  if (option.size() > 3 && option[3] == '@') return 3;
  if (option.size() > 2 && option[2] == '@') return 2;
  return 1;
}

char upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view extension_of(std::string_view name) {
  const size_t dot = name.find_last_of('.');
  const size_t slash = name.find_last_of("/\\:");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && slash > dot)) return {};
  return name.substr(dot);
}

bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

uint8_t output_code(std::string_view output_name) {
  if (output_name.empty()) return 3;
  const std::string_view extension = extension_of(output_name);
  if (same_ignoring_case(extension, ".TXT")) return 1;
  if (same_ignoring_case(extension, ".XTF")) return 2;
  return 0;
}

}  // namespace

FuzzCase decode_case(std::string_view data) {
  std::array<uint8_t, kHeaderSize> header{};
  for (size_t i = 0; i < kHeaderSize && i < data.size(); ++i) header[i] = uint8_t(data[i]);
  data.remove_prefix(std::min(kHeaderSize, data.size()));

  FuzzCase result;
  if (const char* id = kIdModeOptions[header[0] & kIdModeMask]) result.arguments.push_back(id);
  for (const FlagOption& flag : kFlagOptions) {
    if (header[flag.byte] & flag.bit) result.arguments.push_back(flag.text);
  }
  add_help_options((header[1] & kHelpMask) >> kHelpShift, result.arguments);
  result.arguments.emplace_back(kSourceName);
  const uint8_t output = (header[0] & kOutputMask) >> kOutputShift;
  if (kOutputNames[output]) result.arguments.push_back(kOutputNames[output]);
  result.written_files.push_back(kOutputNames[output] ? kOutputNames[output] : "in.RTF");
  if (header[0] & kIdModeMask)
    result.written_files.push_back(std::string(kOutputBase[output]) + ".ID");
  add_files(data, result);
  return result;
}

std::string encode_header(const std::vector<std::string>& options, std::string_view output_name) {
  std::array<uint8_t, kHeaderSize> header{};
  bool id_input = false;
  bool help_file = false;
  for (const std::string& option : options) {
    if (option.size() < 2) continue;
    const char letter = upper(option[1]);
    if (letter == 'I') header[0] = uint8_t((header[0] & ~kIdModeMask) | id_mode_of(option));
    if (letter == 'J') id_input = true;
    if (letter == 'F') help_file = true;
    for (const FlagOption& flag : kFlagOptions) {
      if (upper(flag.text[1]) == letter) header[flag.byte] |= flag.bit;
    }
  }
  const uint8_t help = id_input ? (help_file ? 1 : 3) : (help_file ? 2 : 0);
  header[1] |= uint8_t(help << kHelpShift);
  header[0] |= uint8_t(output_code(output_name) << kOutputShift);
  return std::string(header.begin(), header.end());
}

std::string encode_case(std::string_view header, std::string_view source,
                        const std::vector<std::string>& includes) {
  std::string data(header);
  data.append(source);
  for (const std::string& file : includes) {
    data.append(kFileSeparator);
    data.append(file);
  }
  return data;
}

}  // namespace zek::fuzz
