// Text of the document in a page: escaped for HTML text and attribute
// values, and in the page's character set. Escaping works on the document's
// code page 932 bytes and leaves only ASCII markup and whole, valid code page
// 932 characters; a page in UTF-8 is converted from that once it is composed.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zek {

// Appends `text` (code page 932) to `out` with "<", ">", "&", quotes and
// apostrophes as character references, control bytes dropped (a tab becomes
// a space), the reader's non-breaking space mark (0xA0) as "&#160;", and any
// byte that begins no valid character replaced by "?".
void append_escaped(std::string& out, std::string_view text);

inline std::string escaped(std::string_view text) {
  std::string out;
  append_escaped(out, text);
  return out;
}

// Converts code page 932 to UTF-8 (the platform's converter).
using Utf8Converter = std::function<std::string(std::string_view)>;

// Composed pages (escaped text and ASCII markup) in UTF-8. Each character
// is converted once by the platform's converter and then taken from a
// table: a help of any size holds a few thousand different characters, and
// the converter's cost per byte was the largest single part of writing a
// page. Any byte sequence that the converter leaves as no valid UTF-8 is
// replaced by U+FFFD; a lead byte whose pair has no character is converted
// alone and its trail byte as the start of the next character, as the
// converter itself reads a longer text.
class PageEncoder {
 public:
  explicit PageEncoder(Utf8Converter convert) : convert_(std::move(convert)) {}

  std::string encode(std::string_view page);
  // The same in a buffer of the encoder's, valid until its next use or
  // release_buffer().
  std::string_view encoded(std::string_view page);
  // Frees that buffer (as large as the largest page encoded).
  void release_buffer() {
    scratch_.reset();
    scratch_size_ = 0;
  }

 private:
  struct Encoded {
    bool known = false;   // converted already
    bool mapped = false;  // a pair: it is a character of code page 932
    uint8_t size = 0;
    std::array<char, 6> bytes{};
    std::string_view view() const { return std::string_view(bytes.data(), size); }
  };
  void single(unsigned char byte);
  void pair(unsigned char lead, unsigned char trail);
  void convert_into(Encoded& entry, std::string_view character);
  void reserve_scratch(size_t kept, size_t size);

  Utf8Converter convert_;
  std::vector<Encoded> singles_;  // by byte
  std::vector<Encoded> pairs_;    // by lead byte (0x81-0x9F, 0xE0-0xFC) and trail byte
  // Where encoded() writes; as large as the largest result so far needed,
  // and only what is written is ever touched.
  std::unique_ptr<char[]> scratch_;
  size_t scratch_size_ = 0;
};

// `page` in UTF-8 as a PageEncoder writes it; for a single text.
std::string to_page_utf8(std::string_view page, const Utf8Converter& convert);

// The length of the longest prefix of `text` that is valid UTF-8.
size_t valid_utf8_prefix(std::string_view text);

// Replaces every invalid UTF-8 sequence of `text` by U+FFFD.
std::string repair_utf8(std::string_view text);

}  // namespace zek
