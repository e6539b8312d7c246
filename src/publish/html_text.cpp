// Escaping and the page's character set.
#include "publish/html_text.h"

#include <algorithm>
#include <array>
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

namespace {

// What escaping does with a byte. Most bytes of a page's text are copied as
// they are, so runs of them are found first and appended at once.
enum class EscapeClass : uint8_t {
  copy,     // printable ASCII but markup, half-width katakana
  lead,     // a double-byte character's lead byte
  entity,   // markup and the non-breaking space mark: an entity
  blank,    // a tab: a space
  drop,     // control bytes show nothing
  unknown,  // no character of code page 932: "?"
};

constexpr std::array<EscapeClass, 256> make_escape_classes() {
  std::array<EscapeClass, 256> classes{};
  for (int b = 0; b < 0x20; ++b) classes[b] = EscapeClass::drop;
  classes[0x7F] = EscapeClass::drop;
  classes['\t'] = EscapeClass::blank;
  for (const char c : {'<', '>', '&', '"', '\''})
    classes[static_cast<unsigned char>(c)] = EscapeClass::entity;
  classes[0xA0] = EscapeClass::entity;
  classes[0x80] = EscapeClass::unknown;
  for (int b = 0xFD; b <= 0xFF; ++b) classes[b] = EscapeClass::unknown;
  for (int b = 0; b < 256; ++b) {
    if (detail::kLeadTable[b]) classes[b] = EscapeClass::lead;
  }
  return classes;
}
constexpr std::array<EscapeClass, 256> kEscapeClasses = make_escape_classes();

std::string_view entity(unsigned char c) {
  switch (c) {
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '&':
      return "&amp;";
    case '"':
      return "&quot;";
    case '\'':
      return "&#39;";
    default:
      return "&#160;";
  }
}

}  // namespace

void append_escaped(std::string& out, std::string_view text) {
  const char* const bytes = text.data();
  const size_t size = text.size();
  size_t i = 0;
  while (i < size) {
    size_t run = i;
    while (run < size &&
           kEscapeClasses[static_cast<unsigned char>(bytes[run])] == EscapeClass::copy) {
      ++run;
    }
    out.append(bytes + i, run - i);
    if (run == size) break;
    i = run;
    const auto c = static_cast<unsigned char>(bytes[i]);
    switch (kEscapeClasses[c]) {
      case EscapeClass::lead:
        if (i + 1 < size && is_trail(static_cast<unsigned char>(bytes[i + 1]))) {
          out.append(bytes + i, 2);
          i += 2;
          continue;
        }
        out.push_back('?');  // a lead byte without its trail byte
        break;
      case EscapeClass::entity:
        out.append(entity(c));
        break;
      case EscapeClass::blank:
        out.push_back(' ');
        break;
      case EscapeClass::unknown:
        out.push_back('?');
        break;
      case EscapeClass::copy:
      case EscapeClass::drop:
        break;
    }
    ++i;
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

namespace {

// The length of the run of ASCII bytes at `from`.
size_t ascii_run(std::string_view text, size_t from) {
  size_t i = from;
  while (i + 8 <= text.size()) {
    uint64_t block;
    std::memcpy(&block, text.data() + i, 8);
    if ((block & 0x8080808080808080u) != 0) break;
    i += 8;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i - from;
}

// Lead bytes 0x81-0x9F and 0xE0-0xFC as 0 to 59.
size_t lead_index(unsigned char lead) {
  return lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 0x1Fu;
}

constexpr size_t kLeadBytes = 0x1F + 0x1D;

}  // namespace

void PageEncoder::convert_into(Encoded& entry, std::string_view character) {
  std::string converted = convert_ ? convert_(character) : std::string(character);
  entry.mapped = !converted.empty() && valid_utf8_prefix(converted) == converted.size();
  if (!entry.mapped) converted = repair_utf8(converted);
  entry.known = true;
  entry.size = static_cast<uint8_t>(std::min(converted.size(), entry.bytes.size()));
  std::memcpy(entry.bytes.data(), converted.data(), entry.size);
}

const PageEncoder::Encoded& PageEncoder::single(unsigned char byte) {
  if (singles_.empty()) singles_.resize(256);
  Encoded& entry = singles_[byte];
  if (!entry.known) {
    const char character = static_cast<char>(byte);
    convert_into(entry, std::string_view(&character, 1));
  }
  return entry;
}

const PageEncoder::Encoded& PageEncoder::pair(unsigned char lead, unsigned char trail) {
  if (pairs_.empty()) pairs_.resize(kLeadBytes * 256);
  Encoded& entry = pairs_[lead_index(lead) * 256 + trail];
  if (!entry.known) {
    const char character[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    convert_into(entry, std::string_view(character, 2));
  }
  return entry;
}

std::string PageEncoder::encode(std::string_view page) {
  std::string out;
  out.reserve(page.size() + page.size() / 4);
  size_t i = 0;
  while (i < page.size()) {
    const size_t run = ascii_run(page, i);
    out.append(page.substr(i, run));
    i += run;
    if (i >= page.size()) break;
    const auto byte = static_cast<unsigned char>(page[i]);
    if (is_lead_byte(byte) && i + 1 < page.size()) {
      const Encoded& character = pair(byte, static_cast<unsigned char>(page[i + 1]));
      if (character.mapped) {
        out.append(character.view());
        i += 2;
        continue;
      }
    }
    out.append(single(byte).view());
    ++i;
  }
  return out;
}

std::string to_page_utf8(std::string_view page, const Utf8Converter& convert) {
  return PageEncoder(convert).encode(page);
}

}  // namespace zek
