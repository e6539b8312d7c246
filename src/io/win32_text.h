// Text in the Windows API's UTF-16, converted from a code page.
#pragma once
#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#include <string_view>

namespace zek {

// `text` as UTF-16 in `code_page`; false when some bytes do not convert
// (with MB_ERR_INVALID_CHARS among the flags) or the conversion fails.
inline bool widen(UINT code_page, DWORD flags, std::string_view text, std::wstring& wide) {
  wide.clear();
  if (text.empty()) return true;
  const int length = static_cast<int>(text.size());
  const int size = ::MultiByteToWideChar(code_page, flags, text.data(), length, nullptr, 0);
  if (size <= 0) return false;
  wide.resize(static_cast<size_t>(size));
  return ::MultiByteToWideChar(code_page, flags, text.data(), length, wide.data(), size) == size;
}

}  // namespace zek

#endif  // _WIN32
