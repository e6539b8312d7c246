// Turns the UTF-8 text of the guide's examples into the code page 932 bytes
// that help sources and outputs hold. Only the few Japanese characters that
// the examples use are known; an unknown one is reported, not guessed.
#pragma once

#include <string>
#include <utility>

namespace zek::testing {

struct Cp932Result {
  std::string bytes;
  std::string unknown;  // the first character that has no entry, as UTF-8
};

inline Cp932Result utf8_to_cp932(const std::string& text) {
  static const std::pair<const char*, const char*> kCharacters[] = {
      {"\xE3\x80\x90", "\x81\x79"},  // 【 jump bracket (text output, -K)
      {"\xE3\x80\x91", "\x81\x7A"},  // 】
      {"\xE3\x80\x8A", "\x81\x73"},  // 《 popup bracket
      {"\xE3\x80\x8B", "\x81\x74"},  // 》
      {"\xE2\x94\x81", "\x84\xAA"},  // ━ page separator of text output
      {"\xE2\x96\xA0", "\x81\xA1"},  // ■ -V trace mark
      {"\xE3\x80\x8C", "\x81\x75"},  // 「
      {"\xE3\x80\x8D", "\x81\x76"},  // 」
      {"\xE3\x81\x82", "\x82\xA0"},  // あ
      {"\xE3\x81\xBE", "\x82\xDC"},  // ま
      {"\xE3\x81\x9A", "\x82\xB8"},  // ず
      {"\xE3\x82\x92", "\x82\xF0"},  // を
      {"\xE3\x82\x80", "\x82\xDE"},  // む
      {"\xE3\x82\xA2", "\x83\x41"},  // ア
      {"\xE8\xA1\xA8", "\x95\x5C"},  // 表 (its trail byte is a backslash)
      {"\xE8\xA8\xAD", "\x90\xDD"},  // 設
      {"\xE5\xAE\x9A", "\x92\xE8"},  // 定
      {"\xE8\xAA\xAD", "\x93\xC7"},  // 読
      {"\xE5\x8F\x82", "\x8E\x51"},  // 参 (-R report heading)
      {"\xE7\x85\xA7", "\x8F\xC6"},  // 照
      {"\xE5\x9B\x9E", "\x89\xF1"},  // 回
      {"\xE6\x95\xB0", "\x90\x94"},  // 数
      {"\xE5\x90\x8D", "\x96\xBC"},  // 名
      {"\xE5\x89\x8D", "\x91\x4F"},  // 前
  };
  Cp932Result result;
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      result.bytes += text[i++];
      continue;
    }
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    const std::string character = text.substr(i, length);
    i += length;
    bool found = false;
    for (const auto& [utf8, cp932] : kCharacters) {
      if (character == utf8) {
        result.bytes += cp932;
        found = true;
        break;
      }
    }
    if (!found && result.unknown.empty()) result.unknown = character;
  }
  return result;
}

}  // namespace zek::testing
