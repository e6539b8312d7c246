// The RTF tokenizers: Shift-JIS trail bytes that look like markup, "\'hh",
// control words and symbols, input read in small chunks, and the tokens of a
// piece in memory, where braces count only where an RTF reader sees a group.
#include "rtf/tokenizer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/cat.h"
#include "base/sjis.h"

namespace zek {
namespace {

// Tokens as short texts: "{", "}", "\word", "\word-12", "\sym:~", "'82", "t:bytes".
std::vector<std::string> tokens_of(RtfSource& source, int most = 10000) {
  RtfTokenizer tokenizer(source);
  std::vector<std::string> out;
  for (int guard = 0; guard < most; ++guard) {
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
      {cat('\\', std::string(40, 'a')), {cat('\\', std::string(32, 'a'))}},
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

// The tokens of a document read one byte at a time, as tokens_of writes them.
class ByteTokens {
 public:
  explicit ByteTokens(std::string_view rtf) : rtf_(rtf) {}

  std::vector<std::string> all() {
    for (;;) {
      while (at(0) == '\r' || at(0) == '\n') ++i_;
      if (i_ >= rtf_.size()) return out_;
      const int c = at(0);
      if (c == '{' || c == '}') {
        out_.emplace_back(1, static_cast<char>(c));
        ++i_;
      } else if (c != '\\') {
        text();
      } else if (!control()) {
        return out_;
      }
    }
  }

 private:
  // The byte `k` places on, or -1 past the end.
  int at(size_t k) const {
    return i_ + k < rtf_.size() ? static_cast<unsigned char>(rtf_[i_ + k]) : -1;
  }
  static bool letter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool digit(int c) { return c >= '0' && c <= '9'; }
  static int hex(int c) {
    if (digit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  // Up to 4096 bytes of text; line ends inside it are dropped.
  void text() {
    std::string bytes;
    while (bytes.size() < 4096 && i_ < rtf_.size()) {
      const int c = at(0);
      if (c == '{' || c == '}' || c == '\\') break;
      if (c == '\r' || c == '\n') {
        ++i_;
        continue;
      }
      const size_t length = is_lead_byte(static_cast<unsigned char>(c)) && at(1) >= 0 ? 2 : 1;
      bytes.append(rtf_.substr(i_, length));
      i_ += length;
    }
    out_.push_back("t:" + bytes);
  }

  // False for a lone backslash at the end, which ends the tokens.
  bool control() {
    const int c = at(1);
    if (c < 0) return false;
    if (letter(c)) {
      word();
    } else if (c == '\r' || c == '\n') {
      out_.emplace_back("\\par");
      i_ += 2;
    } else if (c == '\'' && hex(at(2)) >= 0 && hex(at(3)) >= 0) {
      char byte[8];
      std::snprintf(byte, sizeof byte, "'%02X", hex(at(2)) * 16 + hex(at(3)));
      out_.emplace_back(byte);
      i_ += 4;
    } else if (is_lead_byte(static_cast<unsigned char>(c))) {
      ++i_;
      text();
    } else {
      out_.push_back(std::string("\\sym:") + static_cast<char>(c));
      i_ += 2;
    }
    return true;
  }

  void word() {
    ++i_;
    std::string name = "\\";
    for (size_t count = 0; letter(at(0)); ++i_, ++count) {
      if (count < 32) name += rtf_[i_];
    }
    const bool negative = at(0) == '-' && digit(at(1));
    if (negative) ++i_;
    bool number = negative;
    int64_t value = 0;
    for (; digit(at(0)); ++i_) {
      number = true;
      if (value < int64_t{1} << 32) value = value * 10 + (at(0) - '0');
    }
    if (negative) value = -value;
    value = std::min<int64_t>(std::max<int64_t>(value, INT32_MIN), INT32_MAX);
    if (at(0) == ' ') ++i_;
    const bool binary = name == "\\bin" && value > 0;
    if (number) name += std::to_string(value);
    out_.push_back(name);
    if (binary) {
      i_ = std::min(rtf_.size(), i_ + static_cast<size_t>(value));
    }
  }

  std::string_view rtf_;
  size_t i_ = 0;
  std::vector<std::string> out_;
};

// Random documents of the pieces that decide where tokens end: double-byte
// characters whose trail byte is "\", "{" or "}", lone lead bytes, line
// ends inside text and after "\", words and numbers longer than a text may
// be, and texts longer than one token. Every place in them is also the
// document's end once.
TEST(RtfTokenizerTest, SameTokensAsReadByteByByte) {
  const std::vector<std::string> pieces = {
      "{",
      "}",
      "\\",
      "\\b ",
      "\\fs-24",
      "\\li360 ",
      "\\'7b",
      "\\'4",
      "\\{",
      "\\~",
      "\r\n",
      "\n",
      "\\\r\n",
      "text ",
      "a",
      "-",
      "7",
      " ",
      "\x95\\",
      "\x83{",
      "\x83}",
      "\x82\xA0",
      "\xE0\x40",
      "\x81",
      "\xFC",
      "\xA1",
      "\x80",
      "\xFF",
      "\\\x95\\",
      std::string(1, '\0'),
      "\t",
      "\\bin3 {}\\",
      "\\bin",
      "\\par\r\n",
      cat('\\', std::string(5000, 'w'), "12 "),
      cat("\\fs", std::string(5000, '9')),
      std::string(4095, 'x') + "\x82\xA0",
      std::string(3000, 'y') + "\r\n" + std::string(2000, 'z'),
  };
  std::mt19937 random(932);
  for (int round = 0; round < 60; ++round) {
    std::string rtf;
    const size_t count = 1 + random() % 400;
    for (size_t k = 0; k < count; ++k) {
      // The long pieces are rare, so that a document stays a few chunks long.
      size_t pick = random() % pieces.size();
      if (pieces[pick].size() > 100 && random() % 8 != 0) pick = random() % 10;
      rtf += pieces[pick];
    }
    for (const size_t size : {rtf.size(), rtf.size() / 2, rtf.size() / 3}) {
      const std::string document = rtf.substr(0, size);
      RtfStringSource source(document);
      const std::vector<std::string> got = tokens_of(source, 1000000);
      const std::vector<std::string> expected = ByteTokens(document).all();
      size_t first = 0;
      while (first < got.size() && first < expected.size() && got[first] == expected[first])
        ++first;
      ASSERT_EQ(got, expected) << "round " << round << ", token " << first << ": "
                               << (first < got.size() ? got[first].substr(0, 80) : "(none)")
                               << " | "
                               << (first < expected.size() ? expected[first].substr(0, 80)
                                                           : "(none)");
    }
  }
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
