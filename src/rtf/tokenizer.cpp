// The RTF tokenizers: the streaming one with its chunked buffer, and the one
// over a piece in memory; one character at a time, Shift-JIS pairs as one.
#include "rtf/tokenizer.h"

#include <array>
#include <cstring>

#include "base/sjis.h"

namespace zek {

namespace {

constexpr size_t kChunk = 1 << 16;
// The longest token part read in one piece: a control word of 32 letters,
// a sign and 10 digits, and its delimiter fit with room to spare.
constexpr size_t kLookahead = 64;
constexpr size_t kMaxWord = 32;
constexpr size_t kMaxText = 4096;

bool is_letter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool is_digit(unsigned char c) {
  return c >= '0' && c <= '9';
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

}  // namespace

size_t RtfStringSource::read(char* buffer, size_t size) {
  const size_t n = size < bytes_.size() ? size : bytes_.size();
  if (n != 0) std::memcpy(buffer, bytes_.data(), n);
  bytes_.remove_prefix(n);
  return n;
}

RtfTokenizer::RtfTokenizer(RtfSource& source)
    : source_(source), buffer_(std::make_unique<char[]>(kChunk + kLookahead)) {}

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
  return end_ - pos_;
}

const RtfToken& RtfTokenizer::next() {
  RtfToken& token = token_;
  token.kind = RtfTokenKind::end;
  token.word = {};
  token.has_number = false;
  token.number = 0;
  token.symbol = 0;
  while (!at_end() && is_line_end(peek())) ++pos_;
  if (at_end()) return token;
  switch (peek()) {
    case '{':
      ++pos_;
      token.kind = RtfTokenKind::group_open;
      return token;
    case '}':
      ++pos_;
      token.kind = RtfTokenKind::group_close;
      return token;
    case '\\':
      read_control(token);
      return token;
    default:
      read_text(token);
      return token;
  }
}

void RtfTokenizer::read_control(RtfToken& token) {
  const size_t available = ensure(kLookahead);
  if (available < 2) {  // a lone "\" at the very end stands for nothing
    pos_ = end_;
    token.kind = RtfTokenKind::end;
    return;
  }
  const unsigned char c = peek(1);
  if (is_letter(c)) {
    read_control_word(token);
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
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  token.number = static_cast<int32_t>(value);
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
  ensure(kMaxText + 2);
  const char* bytes = buffer_.get();
  const size_t start = pos_;
  const size_t limit = end_ - start < kMaxText ? end_ : start + kMaxText;
  size_t at = pos_;
  while (at < limit) {
    // Plain bytes are most of a text: a loop of their own, one bound.
    while (at < limit && kTextBytes[static_cast<unsigned char>(bytes[at])] == TextByte::plain) ++at;
    if (at == limit) break;
    const TextByte kind = kTextBytes[static_cast<unsigned char>(bytes[at])];
    if (kind == TextByte::lead) {
      at += at + 1 < end_ ? 2 : 1;
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
