// UTF-8 source lines: decoding by the rules of UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF) and conversion character by character
// where a line does not convert as a whole, to name what is wrong.
#include "io/utf8_source.h"

#include "base/cat.h"

namespace zek {

namespace {

struct Utf8Char {
  size_t length = 1;  // the character's bytes, or the bytes found to be wrong
  bool valid = false;
  char32_t code = 0;
};

// The range the second byte of a sequence must lie in, by its first byte.
struct SequenceRule {
  size_t continuation_bytes = 0;
  int low = 0x80;
  int high = 0xBF;
  char32_t first_bits = 0;
};

bool sequence_rule(unsigned char lead, SequenceRule& rule) {
  if (lead >= 0xC2 && lead <= 0xDF) {
    rule = {1, 0x80, 0xBF, static_cast<char32_t>(lead & 0x1F)};
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    rule = {2, lead == 0xE0 ? 0xA0 : 0x80, lead == 0xED ? 0x9F : 0xBF,
            static_cast<char32_t>(lead & 0x0F)};
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    rule = {3, lead == 0xF0 ? 0x90 : 0x80, lead == 0xF4 ? 0x8F : 0xBF,
            static_cast<char32_t>(lead & 0x07)};
  } else {
    return false;
  }
  return true;
}

// The character at `pos`. When it is not valid UTF-8, `length` covers the
// bytes up to the first one that cannot continue it (at least one byte).
Utf8Char decode_utf8(std::string_view text, size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {1, true, lead};
  SequenceRule rule;
  if (!sequence_rule(lead, rule)) return {1, false, 0};
  Utf8Char result{1, false, rule.first_bits};
  int low = rule.low, high = rule.high;
  for (size_t i = 0; i < rule.continuation_bytes; ++i) {
    if (pos + result.length >= text.size()) return result;
    const auto next = static_cast<unsigned char>(text[pos + result.length]);
    if (next < low || next > high) return result;
    result.code = (result.code << 6) | (next & 0x3F);
    ++result.length;
    low = 0x80;
    high = 0xBF;
  }
  result.valid = true;
  return result;
}

bool is_valid_utf8(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    const Utf8Char c = decode_utf8(text, pos);
    if (!c.valid) return false;
    pos += c.length;
  }
  return true;
}

std::string upper_hex(uint32_t value, int width) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  while (value != 0 || static_cast<int>(digits.size()) < width) {
    digits.insert(digits.begin(), kDigits[value & 0xF]);
    value >>= 4;
  }
  return digits;
}

std::string bad_bytes_message(std::string_view bytes) {
  std::string message = "bad UTF-8 bytes";
  for (const char byte : bytes)
    append(message, ' ', upper_hex(static_cast<unsigned char>(byte), 2));
  return message;
}

std::string unmapped_message(char32_t code) {
  return cat("U+", upper_hex(code, 4), " not in code page 932");
}

// The slow way, one character at a time, noting the first problem.
Utf8LineResult convert_by_character(CodePageConverter& converter, std::string_view line) {
  Utf8LineResult result;
  for (size_t pos = 0; pos < line.size();) {
    const Utf8Char c = decode_utf8(line, pos);
    const std::string_view bytes = line.substr(pos, c.length);
    pos += c.length;
    std::optional<std::string> piece;
    if (c.valid) piece = converter.to_cp932(bytes);
    if (piece) {
      result.cp932.append(*piece);
      continue;
    }
    if (result.problem.empty()) {
      result.problem = c.valid ? unmapped_message(c.code) : bad_bytes_message(bytes);
    }
    result.cp932.push_back('?');
  }
  return result;
}

}  // namespace

Utf8LineResult utf8_line_to_cp932(CodePageConverter& converter, std::string_view line) {
  if (is_valid_utf8(line)) {
    if (std::optional<std::string> whole = converter.to_cp932(line)) return {std::move(*whole), {}};
  }
  return convert_by_character(converter, line);
}

std::string include_name_on_host(std::string_view cp932_name) {
#ifdef _WIN32
  return std::string(cp932_name);
#else
  if (is_ascii(cp932_name)) return std::string(cp932_name);
  return CodePageConverter().to_utf8(cp932_name);
#endif
}

std::string SourceDecoder::decode(std::string& line, bool first_line) {
  if (first_line && line.starts_with(kUtf8ByteOrderMark)) {
    line.erase(0, kUtf8ByteOrderMark.size());
    utf8_ = true;
  }
  if (!utf8_ || is_ascii(line)) return {};
  if (!converter_) converter_ = std::make_unique<CodePageConverter>();
  Utf8LineResult result = utf8_line_to_cp932(*converter_, line);
  line = std::move(result.cp932);
  return std::move(result.problem);
}

}  // namespace zek
