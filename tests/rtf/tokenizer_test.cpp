// The RTF tokenizers: Shift-JIS trail bytes that look like markup, "\'hh",
// control words and symbols, input read in small chunks, and the tokens of a
// piece in memory, where braces count only where an RTF reader sees a group.
#include "rtf/tokenizer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace zek {
namespace {

// Tokens as short texts: "{", "}", "\word", "\word-12", "\sym:~", "'82", "t:bytes".
std::vector<std::string> tokens_of(RtfSource& source) {
  RtfTokenizer tokenizer(source);
  std::vector<std::string> out;
  for (int guard = 0; guard < 10000; ++guard) {
    const RtfToken token = tokenizer.next();
    switch (token.kind) {
      case RtfTokenKind::end:
        return out;
      case RtfTokenKind::group_open:
        out.push_back("{");
        break;
      case RtfTokenKind::group_close:
        out.push_back("}");
        break;
      case RtfTokenKind::control_word: {
        std::string word = "\\";
        word += token.word;
        if (token.has_number) word += std::to_string(token.number);
        out.push_back(word);
        break;
      }
      case RtfTokenKind::control_symbol:
        out.push_back(std::string("\\sym:") + token.symbol);
        break;
      case RtfTokenKind::hex_byte: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "'%02X", static_cast<unsigned char>(token.symbol));
        out.push_back(hex);
        break;
      }
      case RtfTokenKind::text:
        out.push_back(std::string("t:").append(token.word));
        break;
    }
  }
  ADD_FAILURE() << "no end";
  return out;
}

std::vector<std::string> tokens_of(const std::string& rtf) {
  RtfStringSource source(rtf);
  return tokens_of(source);
}

struct TokenCase {
  std::string rtf;
  std::vector<std::string> tokens;
};

TEST(RtfTokenizerTest, Tokens) {
  const TokenCase cases[] = {
      {"{\\b bold}", {"{", "\\b", "t:bold", "}"}},
      {"\\fs24\\li-360 x", {"\\fs24", "\\li-360", "t:x"}},
      // Trail bytes "{", "}" and "\" stay inside their characters.
      {"\x83{\x83}\x95\\", {"t:\x83{\x83}\x95\\"}},
      {"a\x95\\b}", {"t:a\x95\\b", "}"}},
      {"\\'82\\'a0", {"'82", "'A0"}},
      {"\\{\\}\\\\\\~\\-\\_\\*",
       {"\\sym:{", "\\sym:}", "\\sym:\\", "\\sym:~", "\\sym:-", "\\sym:_", "\\sym:*"}},
      // Line ends are no text; "\" before one is a paragraph mark.
      {"a\r\nb\\\r\nc", {"t:ab", "\\par", "t:c"}},
      // A malformed "\'" drops itself; a lone "\" at the end is nothing.
      {"\\'zz", {"\\sym:'", "t:zz"}},
      {"x\\", {"t:x"}},
      // "\" before a double-byte character leaves the character as text.
      {"\\\x82\xA0", {"t:\x82\xA0"}},
      // Numbers are clamped; overlong words are cut to 32 letters.
      {"\\fs99999999999", {"\\fs2147483647"}},
      {"\\" + std::string(40, 'a'), {"\\" + std::string(32, 'a')}},
      // Binary data after "\binN" is no markup.
      {"{\\pict\\bin4 {}\\\\x}", {"{", "\\pict", "\\bin4", "t:x", "}"}},
      {"\\bin99 {", {"\\bin99"}},
      // A lead byte at the very end stands alone.
      {"x\x82", {"t:x\x82"}},
  };
  for (const TokenCase& c : cases) EXPECT_EQ(tokens_of(c.rtf), c.tokens) << c.rtf;
}

// A source that hands out one byte per read: every token crosses chunk ends.
class TrickleSource : public RtfSource {
 public:
  explicit TrickleSource(std::string bytes) : bytes_(std::move(bytes)) {}
  size_t read(char* buffer, size_t size) override {
    if (pos_ >= bytes_.size() || size == 0) return 0;
    buffer[0] = bytes_[pos_++];
    return 1;
  }

 private:
  std::string bytes_;
  size_t pos_ = 0;
};

TEST(RtfTokenizerTest, SameTokensWhateverTheChunks) {
  const std::string rtf =
      "{\\rtf1 \\ansi{\\fonttbl{\\f0 \x82\x6C\x82\x72;}}\\pard\\li-20 \x83{x\\'41{\\v XX1}\\par}";
  TrickleSource trickle(rtf);
  EXPECT_EQ(tokens_of(trickle), tokens_of(rtf));
}

TEST(RtfTokenizerTest, LongTextComesInPiecesWithoutSplittingCharacters) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "\x82\xA0";
  std::string joined;
  for (const std::string& token : tokens_of("x" + text)) {
    ASSERT_EQ(token.substr(0, 2), "t:");
    joined += token.substr(2);
    ASSERT_EQ(joined.size() % 2, 1u) << "a piece ends inside a character";
  }
  EXPECT_EQ(joined, "x" + text);
}

// A piece in memory: braces count only where an RTF reader sees a group.

// The tokens in a compact form: "{", "}", "\name", "\name=N", "s:<bytes>"
// for a control symbol and "t:<bytes>" for text, joined by "|".
std::string line_tokens_of(std::string_view rtf) {
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
  for (const auto& c : cases) EXPECT_EQ(line_tokens_of(c.rtf), c.tokens) << c.rtf;
}

}  // namespace
}  // namespace zek
