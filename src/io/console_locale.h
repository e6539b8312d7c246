// Which character set the console shows: code page 932, the help format's
// own, or UTF-8 when the locale says so.
#pragma once

#include <string_view>

namespace zek {

enum class ConsoleCharset { cp932, utf8 };

// Whether a locale name such as "ja_JP.UTF-8", "C.utf8" or "UTF-8" names the
// UTF-8 character set.
bool names_utf8_locale(std::string_view locale);

// The console's character set by the locale variables as POSIX reads them:
// the first of LC_ALL, LC_CTYPE and LANG that is set and not empty decides.
// Null stands for a variable that is not set.
ConsoleCharset console_charset(const char* lc_all, const char* lc_ctype, const char* lang);

// The character set of this process's console. A Windows console keeps code
// page 932.
ConsoleCharset host_console_charset();

}  // namespace zek
