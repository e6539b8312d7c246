// The RTF tokenizers: the streaming one with its chunked buffer, and the one
// over a piece in memory; one character at a time, Shift-JIS pairs as one.
#include "rtf/tokenizer.h"

#include <array>
#include <bit>
#include <cstring>
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include "base/sjis.h"

namespace zek {

namespace {

constexpr size_t kChunk = 1 << 16;
// The buffer holds a chunk and a little more, and a NUL after its last byte.
constexpr size_t kLookahead = 64;
constexpr size_t kMaxWord = 32;

constexpr bool is_letter(unsigned char c) {
  return static_cast<unsigned char>((c | 0x20) - 'a') < 26;
}
constexpr std::array<bool, 256> make_letters() {
  std::array<bool, 256> letters{};
  for (int c = 0; c < 256; ++c) letters[c] = is_letter(static_cast<unsigned char>(c));
  return letters;
}
constexpr std::array<bool, 256> kLetters = make_letters();
bool is_digit(unsigned char c) {
  return static_cast<unsigned char>(c - '0') < 10;
}
int32_t clamped(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}
bool is_hex_digit(unsigned char c) {
  return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
int hex_value(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
bool is_line_end(unsigned char c) {
  return c == '\r' || c == '\n';
}

bool is_plain_ascii(unsigned char c) {
  return c >= 0x20 && c < 0x80 && c != '{' && c != '}' && c != '\\';
}

// What a byte means to a run of text.
enum class TextByte : uint8_t { plain, markup, line_end, lead };

constexpr std::array<TextByte, 256> make_text_bytes() {
  std::array<TextByte, 256> table{};
  for (int b = 0x81; b <= 0x9F; ++b) table[b] = TextByte::lead;
  for (int b = 0xE0; b <= 0xFC; ++b) table[b] = TextByte::lead;
  table['{'] = table['}'] = table['\\'] = TextByte::markup;
  table['\r'] = table['\n'] = TextByte::line_end;
  return table;
}
constexpr std::array<TextByte, 256> kTextBytes = make_text_bytes();

// The first position from `at` whose byte is markup, a control byte or a
// byte of 0x80 and above: at most `end`, where the buffer holds a byte that
// ends the search. A text is mostly plain ASCII, which this passes over 16
// bytes at a time; the bytes it stops at are looked at one by one, so a
// trail byte is never taken for markup.
size_t skip_plain_ascii(const char* bytes, size_t at, [[maybe_unused]] size_t end) {
#if defined(__SSE2__) || defined(_M_X64)
  const __m128i control = _mm_set1_epi8(0x20);
  const __m128i open = _mm_set1_epi8('{');
  const __m128i close = _mm_set1_epi8('}');
  const __m128i backslash = _mm_set1_epi8('\\');
  for (; end - at >= 16; at += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
    // Signed, bytes of 0x80 and above are below 0x20 too.
    const __m128i braces = _mm_or_si128(_mm_cmpeq_epi8(block, open), _mm_cmpeq_epi8(block, close));
    const __m128i stop = _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(block, control), braces),
                                      _mm_cmpeq_epi8(block, backslash));
    const int mask = _mm_movemask_epi8(stop);
    if (mask != 0) return at + static_cast<size_t>(std::countr_zero(static_cast<unsigned>(mask)));
  }
#endif
  while (is_plain_ascii(static_cast<unsigned char>(bytes[at]))) ++at;
  return at;
}

}  // namespace

size_t RtfStringSource::read(char* buffer, size_t size) {
  const size_t n = size < bytes_.size() ? size : bytes_.size();
  if (n != 0) std::memcpy(buffer, bytes_.data(), n);
  bytes_.remove_prefix(n);
  return n;
}

RtfTokenizer::RtfTokenizer(RtfSource& source)
    : source_(source), buffer_(std::make_unique<char[]>(kChunk + kLookahead + 1)) {}

size_t RtfTokenizer::refill(size_t count) {
  // Move what is left to the front and fill up the rest.
  const size_t left = end_ - pos_;
  if (left != 0) std::memmove(buffer_.get(), buffer_.get() + pos_, left);
  pos_ = 0;
  end_ = left;
  while (end_ < count && !exhausted_) {
    const size_t got = source_.read(buffer_.get() + end_, kChunk + kLookahead - end_);
    if (got == 0) exhausted_ = true;
    end_ += got;
    taken_ += got;
  }
  buffer_[end_] = '\0';  // ends any run of letters, digits, line ends or text
  return end_ - pos_;
}

// Each token starts with a window of kWindow bytes in the buffer (or all
// that is left of the input), so that its parts are read without checks
// for the buffer's end; only a control word longer than the window takes
// the careful way.
const RtfToken& RtfTokenizer::next() {
  token_ = RtfToken{};
  fill_window();
  while (is_line_end(peek())) {  // line ends between tokens are no text
    ++pos_;
    fill_window();
  }
  switch (peek()) {
    case '{':
      ++pos_;
      token_.kind = RtfTokenKind::group_open;
      return token_;
    case '}':
      ++pos_;
      token_.kind = RtfTokenKind::group_close;
      return token_;
    case '\\':
      read_control(token_);
      return token_;
    case '\0':  // the NUL after the buffer's last byte, or one in the text
      if (pos_ == end_) return token_;
      [[fallthrough]];
    default:
      read_text(token_);
      return token_;
  }
}

void RtfTokenizer::read_control(RtfToken& token) {
  const size_t available = end_ - pos_;
  if (available < 2) {  // a lone "\" at the very end stands for nothing
    pos_ = end_;
    token.kind = RtfTokenKind::end;
    return;
  }
  const unsigned char c = peek(1);
  if (is_letter(c)) {
    if (!read_control_word_in_window(token)) read_control_word(token);
    return;
  }
  if (is_line_end(c)) {  // "\" before a line end is a paragraph mark
    pos_ += 2;
    token.kind = RtfTokenKind::control_word;
    token.word = "par";
    return;
  }
  if (c == '\'') {
    const int high = available > 2 ? hex_value(peek(2)) : -1;
    const int low = available > 3 ? hex_value(peek(3)) : -1;
    if (high >= 0 && low >= 0) {
      pos_ += 4;
      token.kind = RtfTokenKind::hex_byte;
      token.symbol = static_cast<char>(high * 16 + low);
      return;
    }
    pos_ += 2;  // a malformed escape: the "\'" is dropped, what follows is read again
    token.kind = RtfTokenKind::control_symbol;
    token.symbol = '\'';
    return;
  }
  if (is_lead_byte(c)) {  // "\" before a double-byte character: the character is text
    ++pos_;
    read_text(token);
    return;
  }
  pos_ += 2;
  token.kind = RtfTokenKind::control_symbol;
  token.symbol = static_cast<char>(c);
}

// A control word that ends inside the buffer, read in place: its letters
// are handed out as a view into the buffer. False, with nothing read, for
// a word that runs on to the end of the buffer before the input's end.
bool RtfTokenizer::read_control_word_in_window(RtfToken& token) {
  const char* const end = buffer_.get() + end_;
  const char* const letters = buffer_.get() + pos_ + 1;
  const char* p = letters;
  while (kLetters[static_cast<unsigned char>(*p)]) ++p;
  const size_t count = static_cast<size_t>(p - letters);
  const bool negative = end - p >= 2 && *p == '-' && is_digit(static_cast<unsigned char>(p[1]));
  if (negative) ++p;
  const char* const digits = p;
  int64_t value = 0;
  for (; is_digit(static_cast<unsigned char>(*p)); ++p) {
    if (value < int64_t{1} << 32) value = value * 10 + (*p - '0');
  }
  if (end - p < 2 && !exhausted_) return false;  // the word may go on past the buffer
  token.has_number = p != digits || negative;
  if (*p == ' ') ++p;  // the delimiting space belongs to the word
  pos_ = static_cast<size_t>(p - buffer_.get());
  token.kind = RtfTokenKind::control_word;
  token.word = std::string_view(letters, count < kMaxWord ? count : kMaxWord);
  token.number = clamped(negative ? -value : value);
  if (token.number > 0 && token.word == "bin") {
    token.word = "bin";  // the buffer moves as the data is skipped
    skip_bytes(static_cast<size_t>(token.number));
  }
  return true;
}

// A control word read byte by byte, refilling as it goes.
void RtfTokenizer::read_control_word(RtfToken& token) {
  token.kind = RtfTokenKind::control_word;
  ++pos_;  // the backslash
  // Letters: the first 32 make the word; a longer run is read and dropped.
  // The word is kept apart from the buffer, which moves as it is refilled.
  size_t letters = 0;
  while (ensure(1) != 0 && is_letter(peek())) {
    if (letters < kMaxWord) word_[letters++] = static_cast<char>(peek());
    ++pos_;
  }
  token.word = std::string_view(word_.data(), letters);
  if (ensure(2) >= 2 && peek() == '-' && is_digit(peek(1))) {
    token.has_number = true;
    ++pos_;
  }
  const bool negative = token.has_number;
  int64_t value = 0;
  while (ensure(1) != 0 && is_digit(peek())) {
    token.has_number = true;
    if (value < int64_t{1} << 32) value = value * 10 + (peek() - '0');
    ++pos_;
  }
  token.number = clamped(negative ? -value : value);
  if (ensure(1) != 0 && peek() == ' ') ++pos_;  // the delimiting space belongs to the word
  if (token.word == "bin" && token.number > 0) skip_bytes(static_cast<size_t>(token.number));
}

// "\binN" is followed by N bytes of binary data (braces and backslashes
// included) that are no tokens.
void RtfTokenizer::skip_bytes(size_t count) {
  while (count != 0 && ensure(1) != 0) {
    const size_t step = count < end_ - pos_ ? count : end_ - pos_;
    pos_ += step;
    count -= step;
  }
}

// Text is handed out as a view into the buffer, which holds a whole piece
// of text at once; only text that crosses a line end is joined in a copy.
void RtfTokenizer::read_text(RtfToken& token) {
  token.kind = RtfTokenKind::text;
  const char* bytes = buffer_.get();
  const size_t start = pos_;
  const size_t limit = end_ - start < kMaxText ? end_ : start + kMaxText;
  size_t at = pos_;
  while (at < limit) {
    // Plain ASCII is most of a text: it is passed over many bytes at a time.
    at = skip_plain_ascii(bytes, at, end_);
    if (at >= limit) {
      at = limit;
      break;
    }
    const TextByte kind = kTextBytes[static_cast<unsigned char>(bytes[at])];
    if (kind == TextByte::plain) {
      ++at;
      continue;
    }
    if (kind == TextByte::lead) {  // double-byte characters, often several
      do {
        at += at + 1 < end_ ? 2 : 1;
      } while (at < limit && is_lead_byte(bytes[at]));
      continue;
    }
    if (kind == TextByte::line_end) {
      read_text_across_line_ends(token, at);
      return;
    }
    break;  // markup
  }
  pos_ = at;
  token.word = std::string_view(bytes + start, at - start);
}

// The group's text may hold what a text token holds within one line:
// printable ASCII but markup, and double-byte characters (whose trail byte
// may be a brace or a backslash). Anything else (a control word or symbol
// inside, a number, a line end, the buffer's end) leaves the group to the
// tokens.
bool RtfTokenizer::take_simple_group(RtfSimpleGroup& group) {
  const char* const bytes = buffer_.get();  // holds a NUL at end_
  size_t at = pos_;
  if (bytes[at] != '\\') return false;
  const size_t letters = ++at;
  while (kLetters[static_cast<unsigned char>(bytes[at])]) ++at;
  const size_t count = at - letters;
  if (count == 0 || count >= kMaxWord) return false;
  if (bytes[at] == ' ') {
    ++at;  // the delimiting space belongs to the word
  } else if (bytes[at] != '}') {
    return false;
  }
  const size_t text = at;
  for (;;) {
    at = skip_plain_ascii(bytes, at, end_);
    const auto c = static_cast<unsigned char>(bytes[at]);
    if (c == '}') break;
    if (c < 0x80) return false;
    if (is_lead_byte(c)) {
      if (at + 1 >= end_) return false;
      at += 2;
    } else {
      ++at;
    }
  }
  group.word = std::string_view(bytes + letters, count);
  group.text = std::string_view(bytes + text, at - text);
  pos_ = at + 1;
  return true;
}

// The text from pos_ up to `line_end`, and on past line ends, which are
// dropped, until markup or the size limit.
void RtfTokenizer::read_text_across_line_ends(RtfToken& token, size_t line_end) {
  joined_.assign(buffer_.get() + pos_, line_end - pos_);
  pos_ = line_end;
  while (joined_.size() < kMaxText && ensure(2) != 0) {
    const unsigned char c = peek();
    if (c == '{' || c == '}' || c == '\\') break;
    if (is_line_end(c)) {
      ++pos_;
      continue;
    }
    if (is_lead_byte(c) && end_ - pos_ >= 2) {
      joined_.push_back(static_cast<char>(c));
      joined_.push_back(static_cast<char>(peek(1)));
      pos_ += 2;
      continue;
    }
    joined_.push_back(static_cast<char>(c));
    ++pos_;
  }
  token.word = joined_;
}

// The tokens of a piece in memory.

// At a backslash: a control word ("\" letters, an optional signed number and
// one optional blank that ends it) or a control symbol ("\" and one
// character, "\'" with two hex digits).
void RtfLineTokenizer::read_control(RtfLineToken& token) {
  const size_t start = pos_++;
  if (pos_ < rtf_.size() && is_letter(rtf_[pos_])) {
    const size_t name = pos_;
    while (pos_ < rtf_.size() && is_letter(rtf_[pos_])) ++pos_;
    token.kind = RtfLineTokenKind::control_word;
    token.name = rtf_.substr(name, pos_ - name);
    const bool negative = pos_ < rtf_.size() && rtf_[pos_] == '-';
    const size_t digits = pos_ + (negative ? 1 : 0);
    if (digits < rtf_.size() && is_digit(rtf_[digits])) {
      int64_t value = 0;
      for (pos_ = digits; pos_ < rtf_.size() && is_digit(rtf_[pos_]); ++pos_) {
        if (value < INT32_MAX) value = value * 10 + (rtf_[pos_] - '0');
      }
      if (value > INT32_MAX) value = INT32_MAX;
      token.parameter = static_cast<int32_t>(negative ? -value : value);
    }
    if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;
    return;
  }
  token.kind = RtfLineTokenKind::control_symbol;
  if (pos_ < rtf_.size()) {
    const bool hex = rtf_[pos_] == '\'';
    pos_ += char_length(rtf_, pos_);
    for (int i = 0; hex && i < 2 && pos_ < rtf_.size() && is_hex_digit(rtf_[pos_]); ++i) ++pos_;
  }
  token.name = rtf_.substr(start, pos_ - start);
}

bool RtfLineTokenizer::next(RtfLineToken& token) {
  if (pos_ >= rtf_.size()) return false;
  token = RtfLineToken{};
  token.offset = pos_;
  const char c = rtf_[pos_];
  if (c == '{' || c == '}') {
    token.kind = c == '{' ? RtfLineTokenKind::group_open : RtfLineTokenKind::group_close;
    token.name = rtf_.substr(pos_++, 1);
    return true;
  }
  if (c == '\\') {
    read_control(token);
    return true;
  }
  const size_t start = pos_;
  while (pos_ < rtf_.size() && rtf_[pos_] != '{' && rtf_[pos_] != '}' && rtf_[pos_] != '\\') {
    pos_ += char_length(rtf_, pos_);
  }
  token.kind = RtfLineTokenKind::text;
  token.name = rtf_.substr(start, pos_ - start);
  return true;
}

}  // namespace zek
