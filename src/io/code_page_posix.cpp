// Code page conversion on POSIX through iconv(3). The C library's "CP932"
// (also known as "WINDOWS-31J") is the Microsoft table the help compiler uses.
#ifndef _WIN32

#include <iconv.h>

#include <cerrno>

#include "io/code_page.h"

namespace zek {

namespace {

// iconv_open's failure value, (iconv_t)-1 by its definition.
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)

// A converter between UTF-8 and code page 932, under either of the names the
// C libraries know the code page by; kNoConverter when there is none.
iconv_t open_cp932(bool to_utf8) {
  for (const char* name : {"CP932", "WINDOWS-31J"}) {
    iconv_t cd = to_utf8 ? ::iconv_open("UTF-8", name) : ::iconv_open(name, "UTF-8");
    if (cd != kNoConverter) return cd;
  }
  return kNoConverter;
}

// Converts `in` with `cd`, appending to `out`. A byte sequence that does not
// convert is copied byte by byte when `copy_bad` is set; otherwise the
// conversion fails.
bool run_converter(iconv_t cd, std::string_view in, std::string& out, bool copy_bad) {
  if (cd == kNoConverter) {
    if (!copy_bad) return false;
    out.append(in);
    return true;
  }
  ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* source = const_cast<char*>(in.data());
  size_t source_left = in.size();
  size_t used = out.size();
  while (source_left > 0) {
    out.resize(used + source_left * 4 + 16);
    char* target = out.data() + used;
    size_t target_left = out.size() - used;
    const size_t result = ::iconv(cd, &source, &source_left, &target, &target_left);
    used = out.size() - target_left;
    if (result != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) continue;
    if (!copy_bad) {
      out.resize(used);
      return false;
    }
    out.resize(used);
    out.push_back(*source);  // EILSEQ, or EINVAL for a lead byte at the end
    ++source;
    --source_left;
    ++used;
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(used);
  return true;
}

}  // namespace

struct CodePageConverter::Handles {
  iconv_t to_utf8 = open_cp932(true);
  iconv_t to_cp932 = open_cp932(false);
  Handles() = default;
  ~Handles() {
    if (to_utf8 != kNoConverter) ::iconv_close(to_utf8);
    if (to_cp932 != kNoConverter) ::iconv_close(to_cp932);
  }
  Handles(const Handles&) = delete;
  Handles& operator=(const Handles&) = delete;
};

CodePageConverter::CodePageConverter() = default;
CodePageConverter::~CodePageConverter() = default;

// Opened on first use: most runs convert nothing but ASCII, and loading the
// system's converters costs more than many a small conversion.
CodePageConverter::Handles& CodePageConverter::handles() {
  if (!handles_) handles_ = std::make_unique<Handles>();
  return *handles_;
}

std::string CodePageConverter::to_utf8(std::string_view text) {
  if (is_ascii(text)) return std::string(text);
  std::string out;
  run_converter(handles().to_utf8, text, out, true);
  return out;
}

std::optional<std::string> CodePageConverter::to_cp932(std::string_view utf8) {
  if (is_ascii(utf8)) return std::string(utf8);
  std::string out;
  if (!run_converter(handles().to_cp932, utf8, out, false)) return std::nullopt;
  // A character that comes back as another one was given a look-alike.
  if (to_utf8(out) != utf8) return std::nullopt;
  return out;
}

}  // namespace zek

#endif  // !_WIN32
