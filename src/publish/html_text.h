// Text of the document in a page: escaped for HTML text and attribute
// values, and in the page's character set. Escaping works on the document's
// code page 932 bytes and leaves only ASCII markup and whole, valid code page
// 932 characters; a page in UTF-8 is converted from that once it is composed.
#pragma once

#include <functional>
#include <string>
#include <string_view>

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

// `page` (escaped text and ASCII markup) in UTF-8: converted by `convert`
// when it holds non-ASCII bytes, and any byte sequence that is still no
// valid UTF-8 afterwards replaced by U+FFFD.
std::string to_page_utf8(std::string_view page, const Utf8Converter& convert);

// The length of the longest prefix of `text` that is valid UTF-8.
size_t valid_utf8_prefix(std::string_view text);

// Replaces every invalid UTF-8 sequence of `text` by U+FFFD.
std::string repair_utf8(std::string_view text);

}  // namespace zek
