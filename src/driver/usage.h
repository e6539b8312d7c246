// The usage screen and the fixed console texts of the driver (code page 932).
#pragma once

#include <string_view>

namespace zek {

// The version notice printed on the first line of the usage screen.
inline constexpr std::string_view kVersionNotice = "zek2rtf 1.0";

// The three writes of the usage screen.
std::string_view usage_title();  // "ZEK -> RTF ファイル コンバータ Version 1.0 " (notice follows)
std::string_view usage_synopsis();  // "使い方:zek2rtf  zekファイル名  出力ファイル名\n"
std::string_view usage_options();  // "オプション:\n" and the option lines

// The English help of --help (standard output): every option, the output
// modes by extension and the exit status.
std::string_view help_text();

// "ファイルネームが誤っています " (name and " \n" follow).
inline constexpr std::string_view kBadFileName =
    "\x83t\x83@\x83"
    "C\x83\x8B\x83l\x81[\x83\x80\x82\xAA\x8C\xEB\x82\xC1\x82\xC4\x82\xA2\x82\xDC"
    "\x82\xB7 ";

}  // namespace zek
