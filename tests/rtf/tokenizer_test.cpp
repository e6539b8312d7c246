// The RTF tokenizer: Shift-JIS trail bytes that look like markup, "\'hh",
// control words and symbols, and input read in small chunks.
#include "rtf/tokenizer.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zek
