// Telling UTF-8 from code page 932 bytes.
#include "checks/source_file_watch.h"

#include <gtest/gtest.h>

#include <string>

namespace zek {
namespace {

TEST(Utf8LookTest, ValidMultiByteUtf8Only) {
  const struct {
    std::string bytes;
    Utf8Look look;
  } cases[] = {
      {"", Utf8Look::ascii},
      {"plain ASCII text, longer than eight bytes\r\n", Utf8Look::ascii},
      {"Caf\xC3\xA9", Utf8Look::utf8},
      {"\xE3\x81\x82\xF0\x9F\x98\x80 end of a long line", Utf8Look::utf8},
      {"\x83\x65\x83\x58\x83\x67", Utf8Look::invalid},  // "テスト" in code page 932
      {"\x82\xA0", Utf8Look::invalid},                  // "あ" in code page 932
      {"\xC0\xAF", Utf8Look::invalid},                  // overlong "/"
      {"\xE0\x80\xAF", Utf8Look::invalid},              // overlong, three bytes
      {"\xED\xA0\x80", Utf8Look::invalid},              // a surrogate
      {"\xF4\x90\x80\x80", Utf8Look::invalid},          // above U+10FFFF
      {"ok \xE3\x81", Utf8Look::invalid},               // cut short at the end
      {"\xC3\xA9\x83", Utf8Look::invalid},
  };
  for (const auto& c : cases) EXPECT_EQ(classify_utf8(c.bytes), c.look) << c.bytes;
}

}  // namespace
}  // namespace zek
