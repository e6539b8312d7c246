// Code page conversion on Windows through MultiByteToWideChar and
// WideCharToMultiByte with code page 932; nothing needs to be kept open.
// widen() serves the file names of file_system_win32.cpp too.
#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "base/sjis.h"
#include "io/code_page.h"

namespace zek {

namespace {

constexpr UINT kCodePage932 = 932;

// `wide` in `code_page`; false when a character has no form of its own there.
bool narrow(UINT code_page, const std::wstring& wide, std::string& text) {
  text.clear();
  if (wide.empty()) return true;
  const int length = static_cast<int>(wide.size());
  const bool utf8 = code_page == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL used_default = FALSE;
  BOOL* check = utf8 ? nullptr : &used_default;
  const int size =
      ::WideCharToMultiByte(code_page, flags, wide.data(), length, nullptr, 0, nullptr, check);
  if (size <= 0 || used_default) return false;
  text.resize(static_cast<size_t>(size));
  return ::WideCharToMultiByte(code_page, flags, wide.data(), length, text.data(), size, nullptr,
                               check) == size &&
         !used_default;
}

}  // namespace

bool widen(unsigned int code_page, unsigned long flags, std::string_view text, std::wstring& wide) {
  wide.clear();
  if (text.empty()) return true;
  const int length = static_cast<int>(text.size());
  const int size = ::MultiByteToWideChar(code_page, flags, text.data(), length, nullptr, 0);
  if (size <= 0) return false;
  wide.resize(static_cast<size_t>(size));
  return ::MultiByteToWideChar(code_page, flags, text.data(), length, wide.data(), size) == size;
}

struct CodePageConverter::Handles {};

CodePageConverter::CodePageConverter() : handles_(std::make_unique<Handles>()) {}
CodePageConverter::~CodePageConverter() = default;

std::string CodePageConverter::to_utf8(std::string_view text) {
  if (is_ascii(text)) return std::string(text);
  std::string out;
  std::wstring wide;
  std::string piece;
  // Character by character, so that a byte that does not convert is copied
  // as it is and the rest still converts.
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = char_length(text, pos);
    const std::string_view character = text.substr(pos, length);
    if (widen(kCodePage932, MB_ERR_INVALID_CHARS, character, wide) &&
        narrow(CP_UTF8, wide, piece)) {
      out.append(piece);
      pos += length;
    } else {
      out.push_back(text[pos]);
      ++pos;
    }
  }
  return out;
}

std::optional<std::string> CodePageConverter::to_cp932(std::string_view utf8) {
  if (is_ascii(utf8)) return std::string(utf8);
  std::wstring wide;
  std::string out;
  if (!widen(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, wide) || !narrow(kCodePage932, wide, out))
    return std::nullopt;
  if (to_utf8(out) != utf8) return std::nullopt;
  return out;
}

}  // namespace zek

#endif  // _WIN32
