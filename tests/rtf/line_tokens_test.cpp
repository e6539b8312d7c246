// The RTF tokenizer: braces count only where an RTF reader sees a group.
#include "rtf/line_tokens.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace zek {
namespace {

// The tokens in a compact form: "{", "}", "\name", "\name=N", "s:<bytes>"
// for a control symbol and "t:<bytes>" for text, joined by "|".
std::string tokens_of(std::string_view rtf) {
  RtfLineTokenizer tokenizer(rtf);
  RtfLineToken token;
  std::ostringstream out;
  const char* separator = "";
  while (tokenizer.next(token)) {
    out << separator;
    separator = "|";
    switch (token.kind) {
      case RtfLineTokenKind::group_open:
        out << '{';
        break;
      case RtfLineTokenKind::group_close:
        out << '}';
        break;
      case RtfLineTokenKind::control_word:
        out << '\\' << token.name;
        if (token.parameter) out << '=' << *token.parameter;
        break;
      case RtfLineTokenKind::control_symbol:
        out << "s:" << token.name;
        break;
      case RtfLineTokenKind::text:
        out << "t:" << token.name;
        break;
    }
  }
  return out.str();
}

TEST(RtfTokensTest, SplitsAsAnRtfReader) {
  const struct {
    std::string rtf;
    std::string tokens;
  } cases[] = {
      {"{\\b bold}", "{|\\b|t:bold|}"},
      {"\\fs24\\f-1 x", "\\fs=24|\\f=-1|t:x"},
      {"\\{\\}\\\\", "s:\\{|s:\\}|s:\\\\"},
      {"\\'7b\\'7", "s:\\'7b|s:\\'7"},
      // A double-byte character whose trail byte is "{", "}" or "\" is text.
      {"\x95\x7B\x83\x7D\x95\\", "t:\x95\x7B\x83\x7D\x95\\"},
      // After a backslash a double-byte character is one symbol.
      {"\\\x95\x7B}", "s:\\\x95\x7B|}"},
      // A lead byte at the very end, a backslash at the very end.
      {"a\x95", "t:a\x95"},
      {"a\\", "t:a|s:\\"},
      {"\\cf99999999999 ", "\\cf=2147483647"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(tokens_of(c.rtf), c.tokens) << c.rtf;
}

}  // namespace
}  // namespace zek
