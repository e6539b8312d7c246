// Scanning raw RTF for hidden jump codes, one character at a time so that a
// trail byte is never taken for a brace or a backslash.
#include "names/jump_codes.h"

#include "base/sjis.h"
#include "output/writer.h"

namespace zek {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

bool is_ascii_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool is_ascii_letter_or_digit(char c) {
  return is_ascii_letter(c) || (c >= '0' && c <= '9');
}

// Where the code of a hidden group begins when the "{" before `pos` opens
// "{\v"; npos when it opens anything else ("{\viewkind", "{\v0").
size_t hidden_code_start(std::string_view rtf, size_t pos) {
  if (rtf.substr(pos, 2) != "\\v") return std::string_view::npos;
  const size_t after = pos + 2;
  if (after >= rtf.size()) return std::string_view::npos;
  if (rtf[after] == ' ') return after + 1;
  if (is_ascii_letter_or_digit(rtf[after]) || rtf[after] == '-') return std::string_view::npos;
  return after;
}

// The position of the "}" that closes a plain code starting at `start`, or
// npos when the group holds a control word or group, or is not closed.
size_t plain_code_end(std::string_view rtf, size_t start) {
  for (size_t pos = start; pos < rtf.size(); pos += char_length(rtf, pos)) {
    if (rtf[pos] == '}') return pos;
    if (rtf[pos] == '{' || rtf[pos] == '\\') return std::string_view::npos;
  }
  return std::string_view::npos;
}

// Whether the letters `word` are a picture's word: bmc, bml, bmr, and the
// same with a "t" after them, in either case.
bool is_bitmap_word(std::string_view word) {
  if (word.size() != 3 && word.size() != 4) return false;
  auto lower = [](char c) { return static_cast<char>(c | 0x20); };
  const char place = lower(word[2]);
  return lower(word[0]) == 'b' && lower(word[1]) == 'm' &&
         (place == 'c' || place == 'l' || place == 'r') &&
         (word.size() == 3 || lower(word[3]) == 't');
}

}  // namespace

std::string jump_context_string(std::string_view code) {
  code = trim_blanks(code);
  if (!code.empty() && (code.front() == '%' || code.front() == '*')) code.remove_prefix(1);
  if (code.empty() || code.front() == '!') return {};
  if (mbs_strchr(code, '@') != std::string_view::npos) return {};
  if (const size_t window = mbs_strchr(code, '>'); window != std::string_view::npos) {
    code = code.substr(0, window);
  }
  return std::string(trim_blanks(code));
}

std::vector<std::string> hidden_jump_targets(std::string_view rtf) {
  std::vector<std::string> targets;
  size_t pos = 0;
  while (pos < rtf.size()) {
    const char c = rtf[pos];
    if (c == '\\') {  // a control symbol such as "\{" is no group
      ++pos;
      if (pos < rtf.size()) pos += char_length(rtf, pos);
      continue;
    }
    if (c == '{') {
      const size_t start = hidden_code_start(rtf, pos + 1);
      const size_t end = start == std::string_view::npos ? start : plain_code_end(rtf, start);
      if (end != std::string_view::npos) {
        std::string target = jump_context_string(rtf.substr(start, end - start));
        if (!target.empty()) targets.push_back(std::move(target));
        pos = end + 1;
        continue;
      }
    }
    pos += char_length(rtf, pos);
  }
  return targets;
}

std::vector<std::string_view> raw_regions(std::string_view body) {
  std::vector<std::string_view> regions;
  // 0x13 is below every lead and trail byte, so a plain byte search finds
  // whether the line has a region at all; most lines have none.
  if (body.find(kRawOn) == std::string_view::npos) return regions;
  size_t start = std::string_view::npos;
  for (size_t pos = 0; pos < body.size(); pos += char_length(body, pos)) {
    if (body[pos] == kRawOn && start == std::string_view::npos) {
      start = pos + 1;
    } else if (body[pos] == kRawOff && start != std::string_view::npos) {
      regions.push_back(body.substr(start, pos - start));
      start = std::string_view::npos;
    }
  }
  if (start != std::string_view::npos) regions.push_back(body.substr(start));
  return regions;
}

std::vector<std::string_view> bitmap_names(std::string_view text) {
  std::vector<std::string_view> names;
  for (size_t i = 0; i < text.size(); i += char_length(text, i)) {
    if (text[i] != '{') continue;
    size_t word = i + 1;
    if (word < text.size() && text[word] == '\\') ++word;
    size_t end = word;
    while (end < text.size() && is_ascii_letter(text[end])) ++end;
    if (!is_bitmap_word(text.substr(word, end - word))) continue;
    size_t close = end;
    while (close < text.size() && text[close] != '}') close += char_length(text, close);
    if (close >= text.size()) continue;
    std::string_view name = text.substr(end, close - end);
    if (!name.empty() && name.back() == '\\')
      name.remove_suffix(1);  // the "\}" of the escaped form
    name = trim_blanks(name);
    if (!name.empty()) names.push_back(name);
    i = close;
  }
  return names;
}

}  // namespace zek
