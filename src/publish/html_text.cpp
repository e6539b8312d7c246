// Escaping and the page's character set.
#include "publish/html_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

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

// The ASCII bytes escaping copies.
constexpr std::array<bool, 256> make_copied_ascii() {
  std::array<bool, 256> copied{};
  for (int b = 0; b < 0x80; ++b) copied[b] = kEscapeClasses[b] == EscapeClass::copy;
  return copied;
}
constexpr std::array<bool, 256> kCopiedAscii = make_copied_ascii();

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

// What escaping writes for a byte that is not copied: an entity, a space
// for a tab, "?" for a byte that begins no character, nothing for a
// control byte.
std::string_view replacement(unsigned char c) {
  switch (kEscapeClasses[c]) {
    case EscapeClass::entity:
      return entity(c);
    case EscapeClass::blank:
      return " ";
    case EscapeClass::lead:  // without its trail byte
    case EscapeClass::unknown:
      return "?";
    case EscapeClass::copy:
    case EscapeClass::drop:
      break;
  }
  return "";
}

// The first position from `at` (before `size`) whose byte is no printable
// ASCII or is markup; `size` when there is none. Looks at 16 bytes at a time
// where the machine can.
size_t skip_copied_ascii(const char* bytes, size_t at, size_t size) {
#if defined(__SSE2__) || defined(_M_X64)
  const __m128i control = _mm_set1_epi8(0x20);
  const __m128i del = _mm_set1_epi8(0x7F);
  const __m128i angle = _mm_set1_epi8('>');  // "<" and ">" with bit 1 set
  const __m128i bit1 = _mm_set1_epi8(0x02);
  const __m128i apostrophe = _mm_set1_epi8('\'');  // "&" and "'" with bit 0 set
  const __m128i bit0 = _mm_set1_epi8(0x01);
  const __m128i quote = _mm_set1_epi8('"');
  for (; size - at >= 16; at += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
    // Signed, bytes of 0x80 and above are below 0x20 too.
    const __m128i odd = _mm_or_si128(_mm_cmplt_epi8(block, control), _mm_cmpeq_epi8(block, del));
    const __m128i markup =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(_mm_or_si128(block, bit1), angle),
                                  _mm_cmpeq_epi8(_mm_or_si128(block, bit0), apostrophe)),
                     _mm_cmpeq_epi8(block, quote));
    const int mask = _mm_movemask_epi8(_mm_or_si128(odd, markup));
    if (mask != 0) return at + static_cast<size_t>(std::countr_zero(static_cast<unsigned>(mask)));
  }
#endif
  while (at < size && kCopiedAscii[static_cast<unsigned char>(bytes[at])]) ++at;
  return at;
}

// The end of the run of whole double-byte characters at `at`: Japanese text
// has them one after the other.
size_t after_characters(const char* bytes, size_t at, size_t size) {
  while (at + 1 < size && is_lead_byte(bytes[at]) &&
         is_trail(static_cast<unsigned char>(bytes[at + 1]))) {
    at += 2;
  }
  return at;
}

}  // namespace

// Bytes that stay as they are, whole double-byte characters included, are
// appended in one piece up to the next byte that is replaced.
void append_escaped(std::string& out, std::string_view text) {
  const char* const bytes = text.data();
  const size_t size = text.size();
  size_t copied = 0;  // where the bytes not yet appended start
  size_t i = 0;
  while (i < size) {
    i = skip_copied_ascii(bytes, i, size);
    if (i == size) break;
    const auto c = static_cast<unsigned char>(bytes[i]);
    const EscapeClass kind = kEscapeClasses[c];
    if (kind == EscapeClass::copy) {  // a half-width katakana
      ++i;
      continue;
    }
    if (kind == EscapeClass::lead && i + 1 < size &&
        is_trail(static_cast<unsigned char>(bytes[i + 1]))) {
      i = after_characters(bytes, i + 2, size);
      continue;
    }
    out.append(bytes + copied, i - copied);
    out.append(replacement(c));
    copied = ++i;
  }
  out.append(bytes + copied, size - copied);
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

// Converts a byte, or a pair, the first time it is met.
void PageEncoder::single(unsigned char byte) {
  const char character = static_cast<char>(byte);
  convert_into(singles_[byte], std::string_view(&character, 1));
}

void PageEncoder::pair(unsigned char lead, unsigned char trail) {
  const char character[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  convert_into(pairs_[lead_index(lead) * 256 + trail], std::string_view(character, 2));
}

// The page is composed in a buffer of the encoder's own, grown when a step
// could pass its end: ASCII is stored 16 bytes at a time before it is looked
// at (what is no ASCII is then written over), each other character from its
// table.
std::string_view PageEncoder::encoded(std::string_view page) {
  if (pairs_.empty()) {
    singles_.resize(256);
    pairs_.resize(kLeadBytes * 256);
  }
  // A step writes at most 16 bytes of ASCII or one character's bytes.
  constexpr size_t kStep = 16;
  static_assert(sizeof(Encoded::bytes) <= kStep);
  size_t length = 0;
  reserve_scratch(0, page.size() + page.size() / 2 + kStep);
  const char* const from = page.data();
  const size_t size = page.size();
  size_t i = 0;
  while (i < size) {
    if (scratch_size_ - length < kStep) reserve_scratch(length, 2 * scratch_size_);
    char* to = scratch_.get() + length;
#if defined(__SSE2__) || defined(_M_X64)
    // Runs of ASCII, as far as the buffer has room.
    const char* const room_end = scratch_.get() + scratch_size_ - kStep;
    while (size - i >= 16 && to <= room_end) {
      const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to), block);
      const auto mask = static_cast<unsigned>(_mm_movemask_epi8(block));
      if (mask == 0) {
        i += 16;
        to += 16;
        continue;
      }
      const auto ascii = static_cast<size_t>(std::countr_zero(mask));
      i += ascii;
      to += ascii;
      break;
    }
    length = static_cast<size_t>(to - scratch_.get());
    if (i == size) break;
    if (to > room_end) continue;  // the buffer grows first
#endif
    const auto byte = static_cast<unsigned char>(from[i]);
    if (byte < 0x80) {
      *to = static_cast<char>(byte);
      ++length;
      ++i;
      continue;
    }
    // A double-byte character when its pair is one, else the byte alone.
    const Encoded* converted = &singles_[byte];
    size_t step = 1;
    if (is_lead_byte(byte) && i + 1 < size) {
      const auto trail = static_cast<unsigned char>(from[i + 1]);
      const Encoded& both = pairs_[lead_index(byte) * 256 + trail];
      if (!both.known) pair(byte, trail);
      if (both.mapped) {
        converted = &both;
        step = 2;
      }
    }
    if (!converted->known) single(byte);
    std::memcpy(to, converted->bytes.data(), sizeof(Encoded::bytes));
    length += converted->size;
    i += step;
  }
  return std::string_view(scratch_.get(), length);
}

// Makes the buffer hold at least `size` bytes, keeping its first `kept`.
void PageEncoder::reserve_scratch(size_t kept, size_t size) {
  if (scratch_size_ >= size) return;
  auto grown = std::make_unique_for_overwrite<char[]>(size);
  if (kept != 0) std::memcpy(grown.get(), scratch_.get(), kept);
  scratch_ = std::move(grown);
  scratch_size_ = size;
}

std::string PageEncoder::encode(std::string_view page) {
  return std::string(encoded(page));
}

std::string to_page_utf8(std::string_view page, const Utf8Converter& convert) {
  return PageEncoder(convert).encode(page);
}

}  // namespace zek
