// RTF byte rules: the walk behind rtf_printf and text_printf.
#include "output/writer.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "output/plain.h"
#include "output/sjis.h"

namespace zek {

namespace {

// What the walk does with a byte: write it as part of a run, step over it and
// the byte after it as one double-byte character of the run, or stop the run
// and handle it on its own.
enum ByteClass : uint8_t { kRunByte, kRunPair, kHandleAlone };
using ByteClasses = std::array<uint8_t, 256>;

constexpr ByteClasses make_byte_classes(bool escaping, bool hex_kanji) {
  ByteClasses classes{};
  for (int byte = 0; byte < 256; ++byte) {
    uint8_t byte_class = kRunByte;
    if (byte < 0x20 && byte != '\r' && byte != '\n') byte_class = kHandleAlone;
    if (detail::kLeadTable[static_cast<size_t>(byte)]) {
      byte_class = hex_kanji ? kHandleAlone : kRunPair;
    }
    if (escaping && (byte == '\\' || byte == '{' || byte == '}')) byte_class = kHandleAlone;
    classes[static_cast<size_t>(byte)] = byte_class;
  }
  return classes;
}

// Indexed by [escaping][hex_kanji].
constexpr ByteClasses kByteClasses[2][2] = {
    {make_byte_classes(false, false), make_byte_classes(false, true)},
    {make_byte_classes(true, false), make_byte_classes(true, true)}};

// The end of the run of bytes from `pos` on that go out unchanged: ordinary
// bytes and, without -X, whole double-byte characters (a lead byte at the
// end of the text goes out alone).
size_t run_end(const ByteClasses& classes, std::string_view text, size_t pos) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  while (pos < size) {
    // Four ordinary bytes at a time (kRunByte is 0) while there are four.
    while (size - pos >= 4 && (classes[bytes[pos]] | classes[bytes[pos + 1]] |
                               classes[bytes[pos + 2]] | classes[bytes[pos + 3]]) == kRunByte) {
      pos += 4;
    }
    if (pos >= size) break;
    const uint8_t byte_class = classes[bytes[pos]];
    if (byte_class == kRunByte) {
      ++pos;
    } else if (byte_class == kRunPair) {
      pos += 2;
    } else {
      break;
    }
  }
  return pos < size ? pos : size;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

void Writer::put_double_byte(char lead, char trail) {
  const auto high = static_cast<unsigned char>(lead);
  const auto low = static_cast<unsigned char>(trail);
  const char escape[8] = {'\\', '\'', kHexDigits[high >> 4], kHexDigits[high & 15],
                          '\\', '\'', kHexDigits[low >> 4],  kHexDigits[low & 15]};
  out.put(std::string_view(escape, sizeof escape));
  column += 2;
}

void Writer::walk(std::string_view text, bool escaping_default) {
  bool escaping = escaping_default;
  size_t pos = 0;
  const size_t size = text.size();
  while (pos < size) {
    const size_t run = run_end(kByteClasses[escaping][hex_kanji], text, pos);
    if (run > pos) {
      out.put(text.substr(pos, run - pos));
      column += static_cast<uint32_t>(run - pos);
      pos = run;
      if (pos >= size) break;
    }
    pos += put_alone(text, pos, escaping_default, escaping);
  }
}

// A byte that the run stopped at; returns how many bytes it took.
size_t Writer::put_alone(std::string_view text, size_t pos, bool escaping_default, bool& escaping) {
  const auto byte = static_cast<unsigned char>(text[pos]);
  if (byte == '\t') {
    out.put("\\tab ");
    column += 5;
  } else if (byte < 0x20) {
    if (escaping_default && byte == kRawOn) escaping = false;
    if (escaping_default && byte == kRawOff) escaping = true;
  } else if (is_lead_byte(byte)) {  // only with -X
    if (pos + 1 < text.size()) {
      put_double_byte(text[pos], text[pos + 1]);
      return 2;
    }
    // A lead byte at the end of the text has no trail: write it alone.
    out.put(static_cast<char>(byte));
    column += 1;
  } else {  // an RTF special character while escaping is on
    const char escaped[2] = {'\\', static_cast<char>(byte)};
    out.put(std::string_view(escaped, 2));
    column += 2;
  }
  return 1;
}

void Writer::rtf(std::string_view text) {
  if (!rtf_active()) return;
  walk(text, false);
}

void Writer::text(std::string_view text) {
  if (!rtf_active()) return;
  walk(text, true);
}

void Writer::debug(std::string_view text) {
  if (!out.is_open()) return;
  out.put(text);
}

void Writer::plain(std::string_view text) {
  if (!out.is_open()) return;
  write_plain(out, text);
}

void Writer::footnote(char mark, std::string_view text) {
  if (!rtf_active()) return;
  const char opening[] = {mark, '{', '\\', 'f', 'o', 'o', 't', 'n', 'o', 't', 'e', ' ', mark};
  rtf(std::string_view(opening, sizeof opening));
  if (mark == '#') {
    this->text(sanitize_context_string(text));
  } else {
    this->text(text);
  }
  rtf("}\r\n");
}

void Writer::group(std::string_view word, std::string_view text) {
  if (!rtf_active()) return;
  // The opening in one call when the word is one of the short ASCII ones.
  constexpr size_t kShortWord = 16;
  if (word.size() <= kShortWord &&
      std::all_of(word.begin(), word.end(), [](char c) { return (c & 0x80) == 0; })) {
    char opening[kShortWord + 3] = {'{', '\\'};
    std::copy(word.begin(), word.end(), opening + 2);
    opening[word.size() + 2] = ' ';
    rtf(std::string_view(opening, word.size() + 3));
  } else {
    rtf("{\\");
    rtf(word);
    rtf(" ");
  }
  this->text(text);
  rtf("}");
}

}  // namespace zek
