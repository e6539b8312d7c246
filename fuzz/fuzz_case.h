// A whole conversion described by one byte string: the first bytes choose the
// options and the output mode, the rest holds the source and the files it may
// include. The fuzzer decodes arbitrary bytes this way; the seed maker encodes
// the golden cases the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zek::fuzz {

// Option bits of the first header byte.
enum : uint8_t {
  kIdModeMask = 0x03,  // 0 none, 1 -I, 2 -I@, 3 -I@@
  kOutputMask = 0x0C,  // 0 out.rtf, 1 out.txt, 2 out.xtf, 3 no output name
  kOutputShift = 2,
  kReport = 0x10,        // -R
  kNoDirectives = 0x20,  // -D
  kIdKeyword = 0x40,     // -M
  kWorkshop = 0x80,      // -W
};

// Option bits of the second header byte.
enum : uint8_t {
  kBrackets = 0x01,  // -K
  kHexKanji = 0x02,  // -X
  kMode32 = 0x04,    // -3
  kVerbose = 0x08,   // -V
  kDollar = 0x10,    // -$
  kAt = 0x20,        // -@
  kHelpMask = 0xC0,  // 0 none, 1 -Jc -Fhelp.hlp, 2 -F (empty), 3 -Jc alone
  kHelpShift = 6,
};

// Option bits of the third header byte.
enum : uint8_t {
  kUtf8 = 0x01,   // -U
  kCheck = 0x02,  // -C
};

inline constexpr size_t kHeaderSize = 3;
// Separates the source from the included files that follow it.
inline constexpr std::string_view kFileSeparator{"\n\0\n", 3};
// The source, then the files it can include under these names in order; the
// last one is also the ID file read with -J.
inline constexpr std::string_view kSourceName = "in.zek";
inline constexpr const char* kIncludeNames[] = {"a", "b", "c"};
inline constexpr std::string_view kIdInputName = "c";

struct FuzzCase {
  std::vector<std::string> arguments;  // without the program name
  std::map<std::string, std::string> files;
  // The files a successful run must leave: the output, and with -I the ID file.
  std::vector<std::string> written_files;
};

// Decodes arbitrary bytes; missing header bytes count as zero.
FuzzCase decode_case(std::string_view data);

// The header bytes for a list of option texts ("-I@", "-R", ...) and an output
// name (empty: none). Options the header cannot express are left out.
std::string encode_header(const std::vector<std::string>& options, std::string_view output_name);

// header + source + separator + each include file, in the order of kIncludeNames.
std::string encode_case(std::string_view header, std::string_view source,
                        const std::vector<std::string>& includes);

}  // namespace zek::fuzz
