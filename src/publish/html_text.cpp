// Escaping and the page's character set.
#include "publish/html_text.h"

#include <cstdint>
#include <cstring>

#include "base/sjis.h"

namespace zek {

namespace {

bool is_trail(unsigned char c) {
  return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// The length of the valid UTF-8 sequence at `pos`, or 0.
size_t utf8_length(std::string_view text, size_t pos) {
  const auto c = static_cast<unsigned char>(text[pos]);
  size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  const auto second = static_cast<unsigned char>(text[pos + 1]);
  if (second < low || second > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if (next < 0x80 || next > 0xBF) return 0;
  }
  return length;
}

}  // namespace

void append_escaped(std::string& out, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (is_lead_byte(c)) {
      if (i + 1 < text.size() && is_trail(static_cast<unsigned char>(text[i + 1]))) {
        out.push_back(text[i]);
        out.push_back(text[i + 1]);
        ++i;
      } else {
        out.push_back('?');  // a lead byte without its trail byte
      }
      continue;
    }
    switch (c) {
      case '<':
        out.append("&lt;");
        break;
      case '>':
        out.append("&gt;");
        break;
      case '&':
        out.append("&amp;");
        break;
      case '"':
        out.append("&quot;");
        break;
      case '\'':
        out.append("&#39;");
        break;
      case '\t':
        out.push_back(' ');
        break;
      case 0xA0:
        out.append("&#160;");
        break;
      default:
        if (c < 0x20 || c == 0x7F) break;  // control bytes show nothing
        if (c == 0x80 || c >= 0xFD) {      // no character of code page 932
          out.push_back('?');
        } else {
          out.push_back(static_cast<char>(c));  // ASCII or a half-width katakana
        }
        break;
    }
  }
}

// The length of the valid UTF-8 prefix of `text`.
size_t valid_utf8_prefix(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    // Runs of ASCII eight bytes at a time.
    while (i + 8 <= text.size()) {
      uint64_t block;
      std::memcpy(&block, text.data() + i, 8);
      if ((block & 0x8080808080808080u) != 0) break;
      i += 8;
    }
    if (i >= text.size()) break;
    const size_t length = utf8_length(text, i);
    if (length == 0) return i;
    i += length;
  }
  return text.size();
}

std::string repair_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t length = utf8_length(text, i);
    if (length == 0) {
      out.append("\xEF\xBF\xBD");
      ++i;
      continue;
    }
    out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

std::string to_page_utf8(std::string_view page, const Utf8Converter& convert) {
  bool ascii = true;
  for (const char c : page) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) return std::string(page);
  std::string converted = convert ? convert(page) : std::string(page);
  if (valid_utf8_prefix(converted) == converted.size()) return converted;
  return repair_utf8(converted);
}

}  // namespace zek
