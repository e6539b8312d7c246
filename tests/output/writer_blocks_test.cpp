// The RTF writers against a byte-by-byte rendering of their rules, on texts
// built from the bytes that need a rule, placed at every offset of the
// eight-byte blocks, across the stretches of a long text, and in hot spots.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/sjis.h"
#include "output/writer.h"
#include "support/memory_environment.h"

namespace zek {
namespace {

struct Written {
  std::string bytes;
  uint32_t column = 0;
  friend bool operator==(const Written&, const Written&) = default;
};

void PrintTo(const Written& written, std::ostream* os) {
  *os << ::testing::PrintToString(written.bytes) << " column " << written.column;
}

// The byte rules, one byte at a time.
void render(Written& out, std::string_view text, bool escaped, bool hex) {
  constexpr char kHex[] = "0123456789ABCDEF";
  bool escaping = escaped;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '\t') {
      out.bytes += "\\tab ";
      out.column += 5;
    } else if (byte < 0x20 && byte != '\r' && byte != '\n') {
      if (escaped && byte == 0x13) escaping = false;
      if (escaped && byte == 0x11) escaping = true;
    } else if (is_lead_byte(byte) && i + 1 < text.size()) {
      const auto trail = static_cast<unsigned char>(text[++i]);
      if (hex) {
        for (unsigned char b : {byte, trail}) out.bytes += {'\\', '\'', kHex[b >> 4], kHex[b & 15]};
      } else {
        out.bytes += {static_cast<char>(byte), static_cast<char>(trail)};
      }
      out.column += 2;
    } else if (escaping && (byte == '\\' || byte == '{' || byte == '}')) {
      out.bytes += {'\\', static_cast<char>(byte)};
      out.column += 2;
    } else {
      out.bytes += static_cast<char>(byte);
      out.column += 1;
    }
  }
}

Written rendered(std::string_view text, bool escaped, bool hex) {
  Written out;
  render(out, text, escaped, hex);
  return out;
}

// What a fresh writer writes for `write(writer)`.
template <typename Write>
Written written_by(bool hex, Write write) {
  testing::StringStream stream;
  Writer writer;
  writer.out.attach(&stream);
  writer.hex_kanji = hex;
  write(writer);
  writer.out.flush();
  return {stream.bytes, writer.column};
}

// Bytes that need a rule, and ordinary ones, in both halves of the table.
constexpr char kAlphabet[] = {'a',    ' ',    '\\',   '{',    '}',    '\t',   '\r',   '\n',
                              '\x01', '\x13', '\x11', '\x7F', '\x80', '\x82', '\xA0', '\xB1',
                              '\x95', '\x5C', '\xE0', '\xFC', '\xFD', '@',    'Z',    '7'};

std::string random_text(std::mt19937& random, size_t size) {
  std::uniform_int_distribution<size_t> pick(0, sizeof kAlphabet - 1);
  std::string text;
  for (size_t i = 0; i < size; ++i) text += kAlphabet[pick(random)];
  return text;
}

TEST(WriterBlocksTest, MatchesTheByteRulesOnMixedTexts) {
  std::mt19937 random(2024);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = random_text(random, static_cast<size_t>(round % 40));
    for (bool hex : {false, true}) {
      EXPECT_EQ(written_by(hex, [&](Writer& w) { w.text(text); }), rendered(text, true, hex))
          << ::testing::PrintToString(text) << " hex " << hex;
      EXPECT_EQ(written_by(hex, [&](Writer& w) { w.rtf(text); }), rendered(text, false, hex))
          << ::testing::PrintToString(text) << " hex " << hex;
    }
  }
}

// One byte that needs a rule at every offset within and around a block of
// ordinary text, so that every cut of the eight-byte blocks is met.
TEST(WriterBlocksTest, RuleBytesAtEveryOffset) {
  for (const std::string special :
       {"\\", "{", "}", "\t", "\x01", "\x13{", "\x82\xA0", "\x95\\", "\xB1", "\x82"}) {
    for (size_t before = 0; before < 20; ++before) {
      for (size_t after : {0, 1, 7, 8, 9}) {
        const std::string text = std::string(before, 'x') + special + std::string(after, 'y');
        for (bool hex : {false, true}) {
          EXPECT_EQ(written_by(hex, [&](Writer& w) { w.text(text); }), rendered(text, true, hex))
              << ::testing::PrintToString(text);
        }
      }
    }
  }
}

// Texts far longer than one request for buffer room: a double-byte character
// and a raw region may straddle any boundary between stretches.
TEST(WriterBlocksTest, LongTextsAcrossStretches) {
  std::mt19937 random(7);
  for (size_t size : {4095u, 4096u, 4097u, 9000u, 70000u, 200000u}) {
    std::string text = random_text(random, size);
    for (size_t at : {4095u, 8191u}) {
      if (at + 1 < text.size()) text[at] = '\x82';  // a lead byte on the boundary
    }
    for (bool hex : {false, true}) {
      EXPECT_EQ(written_by(hex, [&](Writer& w) { w.text(text); }), rendered(text, true, hex))
          << size;
      EXPECT_EQ(written_by(hex, [&](Writer& w) { w.rtf(text); }), rendered(text, false, hex))
          << size;
    }
  }
  // Ordinary text only: blocks throughout, tabs at the largest growth.
  for (const std::string& text : {std::string(100000, 'a'), std::string(100000, '\t')}) {
    EXPECT_EQ(written_by(false, [&](Writer& w) { w.text(text); }), rendered(text, true, false));
  }
}

// A hot spot writes what the group and then the jump code would write, each
// walked on its own: a raw region of the name ends with it, and a lead byte
// at the end of the name stands alone.
TEST(WriterBlocksTest, HotSpotIsGroupThenCode) {
  std::mt19937 random(99);
  const std::string long_name(5000, 'n');
  for (int round = 0; round < 1500; ++round) {
    const std::string name = round == 0 ? long_name : random_text(random, round % 23);
    const std::string code = random_text(random, round % 17);
    for (const char* word : {"ul", "strike", "uldb", "a\tb", "\x82\xA0"}) {
      for (bool hex : {false, true}) {
        Written expected;
        render(expected, std::string("{\\") + word + " ", false, hex);
        render(expected, name, true, hex);
        render(expected, "}", false, hex);
        render(expected, code, false, hex);
        if (std::string_view(word) == "\x82\xA0") {  // not ASCII: opening in three pieces
          expected = {};
          for (std::string_view piece : {"{\\", word, " "}) render(expected, piece, false, hex);
          render(expected, name, true, hex);
          render(expected, "}", false, hex);
          render(expected, code, false, hex);
        }
        EXPECT_EQ(written_by(hex, [&](Writer& w) { w.hot_spot(word, name, code); }), expected)
            << ::testing::PrintToString(name) << " " << ::testing::PrintToString(code);
      }
    }
  }
}

TEST(WriterBlocksTest, HotSpotSilentInTextMode) {
  testing::StringStream stream;
  Writer writer;
  writer.out.attach(&stream);
  writer.text_mode = true;
  writer.hot_spot("ul", "Note", "{\\v XX1}");
  writer.out.flush();
  EXPECT_EQ(stream.bytes, "");
  EXPECT_EQ(writer.column, 0u);
}

}  // namespace
}  // namespace zek
