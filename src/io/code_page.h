// Conversion between code page 932 (Shift-JIS, the help format's own
// character set) and UTF-8, through the platform's converter: iconv on POSIX,
// the Windows code page functions on Windows. One converter serves many texts,
// so its platform handles are set up once. On Windows the text the API
// takes, UTF-16, is made here from any code page too.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zek {

class CodePageConverter {
 public:
  CodePageConverter();
  ~CodePageConverter();
  CodePageConverter(const CodePageConverter&) = delete;
  CodePageConverter& operator=(const CodePageConverter&) = delete;

  // `text` in UTF-8. A byte that begins no code page 932 character (or a lead
  // byte without its trail byte) is copied as it is.
  std::string to_utf8(std::string_view text);

  // The code page 932 form of `utf8`, which must be valid UTF-8; none when a
  // character has no code page 932 form of its own (a look-alike substitute
  // such as "\" for the yen sign is never taken).
  std::optional<std::string> to_cp932(std::string_view utf8);

  struct Handles;  // the platform's conversion state

 private:
  Handles& handles();
  std::unique_ptr<Handles> handles_;
};

// Whether every byte of `text` is ASCII, which both character sets share.
inline bool is_ascii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

#ifdef _WIN32
// `text` as UTF-16 in `code_page`; false when some bytes do not convert
// (with MB_ERR_INVALID_CHARS among the flags) or the conversion fails. The
// parameters are the API's UINT and DWORD.
bool widen(unsigned int code_page, unsigned long flags, std::string_view text, std::wstring& wide);
#endif

}  // namespace zek
