// Usage screen texts, byte for byte in code page 932.
#include "driver/usage.h"

namespace zek {

std::string_view usage_title() {
  // "ZEK -> RTF ファイル コンバータ Version 1.0 "
  return "ZEK -> RTF \x83t\x83@\x83"
         "C\x83\x8B \x83R\x83\x93\x83o\x81[\x83^ Version 1.0 ";
}

std::string_view usage_synopsis() {
  // "使い方:zek2rtf  zekファイル名  出力ファイル名\n"
  return "\x8Eg\x82\xA2\x95\xFB:zek2rtf  zek\x83t\x83@\x83"
         "C\x83\x8B\x96\xBC  \x8Fo\x97\xCD"
         "\x83t\x83@\x83"
         "C\x83\x8B\x96\xBC\n";
}

std::string_view usage_options() {
  return
      // "オプション:"
      "\x83I\x83v\x83V\x83\x87\x83\x93:\n"
      // "\t-I\t\tＩＤ作成 IDM_xxxxx"
      "\t-I\t\t\x82h\x82"
      "c\x8D\xEC\x90\xAC IDM_xxxxx\n"
      // "\t-I@\t\tＩＤ作成 IDM_xxxxx を @xxxxx"
      "\t-I@\t\t\x82h\x82"
      "c\x8D\xEC\x90\xAC IDM_xxxxx \x82\xF0 @xxxxx\n"
      // "\t-Jidfile\tＩＤ ファイル名"
      "\t-Jidfile\t\x82h\x82"
      "c \x83t\x83@\x83"
      "C\x83\x8B\x96\xBC\n"
      // "\t-Fhlpfile\t.hlp ファイル名"
      "\t-Fhlpfile\t.hlp \x83t\x83@\x83"
      "C\x83\x8B\x96\xBC\n"
      // "\t-R\t\t参照回数表示"
      "\t-R\t\t\x8EQ\x8F\xC6\x89\xF1\x90\x94\x95\\\x8E\xA6\n"
      // "\t-D\t\t#xxx を無視"
      "\t-D\t\t#xxx \x82\xF0\x96\xB3\x8E\x8B\n"
      // "\t-M\t\t.id IDM_xxx を @xxx で検索"
      "\t-M\t\t.id IDM_xxx \x82\xF0 @xxx \x82\xC5\x8C\x9F\x8D\xF5\n"
      // "\t-W\t\tHelpWorkShop 用"
      "\t-W\t\tHelpWorkShop \x97p\n"
      // "\t-K\t\ttxt出力時にリンクは【 】《  》でくくる"
      "\t-K\t\ttxt\x8Fo\x97\xCD\x8E\x9E\x82\xC9\x83\x8A\x83\x93\x83N\x82\xCD\x81y \x81z\x81s  "
      "\x81t\x82\xC5\x82\xAD\x82\xAD\x82\xE9\n"
      // "\t-X\t\t漢字を16進で出力"
      "\t-X\t\t\x8A\xBF\x8E\x9A\x82\xF0"
      "16\x90i\x82\xC5\x8Fo\x97\xCD\n"
      // "\t-3\t\t32bit mode"
      "\t-3\t\t32bit mode\n";
}

std::string_view help_text() {
  return "Usage: zek2rtf [options] [--] <source file> [<output file>]\n"
         "\n"
         "Converts a ZEK help source into RTF for the Windows Help compiler, or into\n"
         "the output that the output file's extension selects.\n"
         "\n"
         "Options (letters in either case; \"/\" may stand for \"-\"):\n"
         "  -I          write an ID file (IDM_ names and their context strings)\n"
         "  -I@         ID file with .id IDM_xxx written as @xxx:IDM_xxx\n"
         "  -I@@        as -I@, and topics and aliases named @... too\n"
         "  -J<idfile>  read another project's ID file (only together with -F)\n"
         "  -F<hlpfile> the help file that names read with -J jump into\n"
         "  -R          print how often each name was linked\n"
         "  -D          ignore #define, #undef, #text, #rtf and unknown # words\n"
         "  -M          .id IDM_xxx also gives the keyword @xxx\n"
         "  -W          write shortcut buttons for Help Workshop\n"
         "  -K          in text output, enclose links in brackets\n"
         "  -X          write double-byte characters as hexadecimal escapes\n"
         "  -3          32-bit build: keep #if32 and #32 lines, drop #if16\n"
         "  -V          print a trace line for every topic name and keyword\n"
         "  -U          read every source file as UTF-8\n"
         "  -C          warn about what the help compiler would reject\n"
         "  -$          \"$\" may be part of a linked name\n"
         "  -@          \"@\" may be part of a linked name\n"
         "  /           keep later arguments whole (file names with folders)\n"
         "  --          end of the options: every later argument is a file name\n"
         "  --help      print this help\n"
         "  --version   print the version\n"
         "\n"
         "An argument is cut before every \"/\" inside it: /R/D is -R and -D, and\n"
         "sub/in.zek is the file sub and the option /in.zek. Write file names with\n"
         "folders after a lone \"/\" or after \"--\", and names that begin with \"/\"\n"
         "after \"--\": zek2rtf -R -- /srv/help/in.zek /srv/help/out.rtf\n"
         "\n"
         "Output, by the output file's extension (in any letter case):\n"
         "  .TXT        plain text\n"
         "  .XTF        RTF with a listing line before the output of every source line\n"
         "  .HTM .HTML  one HTML page (UTF-8): every topic and popup, contents, index\n"
         "  .HHP        an HTML Help project: .hhp, .hhc, .hhk and a folder of pages\n"
         "  .ZEK        refused\n"
         "  other       RTF (without an output file: the source name with .RTF)\n"
         "With -I the ID file is the output name with the extension .ID.\n"
         "\n"
         "Exit status: 0 on success, after --help, --version and the usage screen;\n"
         "1 when an argument or the output name is refused, a file cannot be opened\n"
         "or written, or the source has an error.\n";
}

}  // namespace zek
