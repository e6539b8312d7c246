// The tokens of one piece of RTF held in memory (a raw line of the source),
// as an RTF reader sees them, without copying: group braces, control
// words with their numeric parameters, control symbols and runs of text. A
// double-byte character is text as a whole, so its trail byte is never taken
// for a brace or a backslash, and an escaped "\{" is a symbol, not a group.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zek {

enum class RtfLineTokenKind : uint8_t {
  group_open,      // "{"
  group_close,     // "}"
  control_word,    // "\fs24": name "fs", parameter 24
  control_symbol,  // "\{", "\\", "\~", "\'7b" and the like
  text,            // anything else, up to the next token
};

struct RtfLineToken {
  RtfLineTokenKind kind = RtfLineTokenKind::text;
  std::string_view name;             // a control word's letters; else the token's bytes
  std::optional<int32_t> parameter;  // a control word's number, if it has one
  size_t offset = 0;                 // where the token starts in the text
};

// Walks a piece of RTF token by token.
class RtfLineTokenizer {
 public:
  explicit RtfLineTokenizer(std::string_view rtf) : rtf_(rtf) {}
  // The next token; false at the end of the text.
  bool next(RtfLineToken& token);

 private:
  void read_control(RtfLineToken& token);
  std::string_view rtf_;
  size_t pos_ = 0;
};

}  // namespace zek
