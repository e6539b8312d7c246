// The RTF tokenizer: one character at a time, Shift-JIS pairs as one.
#include "rtf/line_tokens.h"

#include "base/sjis.h"

namespace zek {

namespace {

bool is_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool is_hex_digit(char c) {
  return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

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
