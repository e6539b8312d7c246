// The markup rules against a literal reference: sweep after sweep over a
// string, each sweep applying the first rule whose opening occurs, at its
// first occurrence. Random texts built from openings, braces, commas, marks
// and double-byte characters with awkward trail bytes must come out alike.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "base/sjis.h"
#include "output/plain.h"

namespace zek {
namespace {

size_t find_opening(const std::string& text, std::string_view opening) {
  for (size_t pos = 0; pos < text.size(); pos += char_length(text, pos)) {
    if (text.compare(pos, opening.size(), opening) == 0) return pos;
  }
  return std::string::npos;
}

size_t skip_spaces(const std::string& text, size_t pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  return pos;
}

// Replaces `count` bytes at `pos` by `with`.
void splice(std::string& text, size_t pos, size_t count, std::string_view with) {
  text = std::string(text, 0, pos).append(with).append(text, pos + count);
}

void apply_literally(std::string& text, int rule, size_t pos, size_t length) {
  constexpr auto npos = std::string::npos;
  const size_t after = pos + length;
  if (rule <= 1) {
    text.erase(pos, skip_spaces(text, after) - pos);
    const size_t close = mbs_strchr(text, '}', pos);
    if (close != npos) text.erase(close, 1);
  } else if (rule == 2) {
    const size_t close = mbs_strchr(text, '}', after);
    text.erase(pos, close == npos ? npos : close + 1 - pos);
  } else if (rule <= 4) {
    const size_t close = mbs_strchr(text, '}', after);
    if (close == npos) {
      text.resize(pos);
    } else {
      splice(text, pos, close + 1 - pos, "??");
    }
  } else if (rule == 5) {
    splice(text, pos, skip_spaces(text, after) - pos, "<");
    const size_t comma = mbs_strchr(text, ',', pos + 1);
    if (comma == npos) return;
    const size_t close = mbs_strchr(text, '}', comma);
    if (close == npos) {
      text.resize(comma);
    } else {
      splice(text, comma, close + 1 - comma, ">");
    }
  } else {
    const size_t text_start = skip_spaces(text, after);
    const size_t close = mbs_strchr(text, '}', text_start);
    text.erase(pos, (close == npos ? text_start : close + 1) - pos);
    if (pos > 0 && std::string_view("!#$+K").find(text[pos - 1]) != std::string_view::npos &&
        !is_trail_byte(text, pos - 1)) {
      text.erase(pos - 1, 1);
    }
  }
}

std::optional<std::string> strip_literally(std::string text) {
  static constexpr std::string_view kOpenings[] = {"{\\uldb", "{\\strike", "{\\v",       "{bm",
                                                   "{ew",     "{button",   "{\\footnote"};
  bool applied = false;
  for (bool again = true; again;) {
    again = false;
    for (int rule = 0; rule < 7 && !again; ++rule) {
      const size_t pos = find_opening(text, kOpenings[rule]);
      if (pos == std::string::npos) continue;
      apply_literally(text, rule, pos, kOpenings[rule].size());
      again = applied = true;
    }
  }
  if (!applied) return std::nullopt;
  return text;
}

TEST(MarkupRulesTest, AgreesWithLiteralSweeps) {
  // 0x83 0x7B, 0x83 0x7D, 0x83 0x4B, 0x95 0x5C: trail bytes "{", "}", "K", "\";
  // a lone 0x82 makes a double-byte character of whatever follows it.
  static const std::string kPieces[] = {
      "{\\uldb", "{\\strike", "{\\v",  "{bm",   "{ew",    "{button", "{\\footnote", "{", "}",
      ",",       " ",         "K",     "#",     "a",      "\\",      "uldb",        "v", "bm",
      "\r\n",    "\x83{",     "\x83}", "\x83K", "\x95\\", "\x82",    "\\u",         "ew"};
  std::mt19937 random(20240607);
  std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> count(0, 24);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int n = count(random); n > 0; --n) text += kPieces[piece(random)];
    ASSERT_EQ(strip_markup(text), strip_literally(text)) << "text: " << text;
  }
}

}  // namespace
}  // namespace zek
