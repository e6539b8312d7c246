// The per-file checks: open conditional sections and UTF-8 look.
#include "checks/source_file_watch.h"

#include <cstring>

namespace zek {

// UTF-8 validation as the standard defines it: no overlong forms, no
// surrogates, nothing above U+10FFFF.
namespace {

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// The length of the sequence a lead byte begins, 0 for no lead byte.
size_t sequence_length(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Whether the `length` bytes at `s` form one valid sequence.
bool valid_sequence(const unsigned char* s, size_t length) {
  uint32_t code = s[0] & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((s[i] & 0xC0) != 0x80) return false;
    code = (code << 6) | (s[i] & 0x3F);
  }
  if (length == 3) return code >= 0x800 && (code < 0xD800 || code > 0xDFFF);
  if (length == 4) return code >= 0x10000 && code <= 0x10FFFF;
  return true;
}

}  // namespace

Utf8Look classify_utf8(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t size = bytes.size();
  bool multi_byte = false;
  size_t i = 0;
  while (i < size) {
    if (size - i >= 8) {  // eight ASCII bytes at a time
      uint64_t block;
      std::memcpy(&block, s + i, 8);
      if ((block & kHighBits) == 0) {
        i += 8;
        continue;
      }
    }
    if (s[i] < 0x80) {
      ++i;
      continue;
    }
    const size_t length = sequence_length(s[i]);
    if (length == 0 || size - i < length || !valid_sequence(s + i, length)) {
      return Utf8Look::invalid;
    }
    multi_byte = true;
    i += length;
  }
  return multi_byte ? Utf8Look::utf8 : Utf8Look::ascii;
}

void SourceFileWatch::see_bytes(std::string_view line) {
  switch (classify_utf8(line)) {
    case Utf8Look::ascii:
      break;
    case Utf8Look::utf8:
      if (look_ == Look::ascii) first_utf8_line_ = checks_.place_here();
      look_ = Look::utf8;
      break;
    case Utf8Look::invalid:
      look_ = Look::not_utf8;
      first_utf8_line_.reset();
      break;
  }
}

// A section opens where a line enters one (#if32 or #if16; which one follows
// from whether its lines are kept and the build) and closes where a line
// leaves it.
void SourceFileWatch::section_changed(std::optional<bool> section_kept, bool mode32) {
  if (!section_kept) {
    section_.reset();
    return;
  }
  section_ = Section{checks_.place_here(), *section_kept == mode32};
}

void SourceFileWatch::end_file(bool in_section) {
  if (!on_) return;
  if (in_section && section_) {
    checks_.add_finding(Finding::open_section, section_->place, section_->if32 ? "#if32" : "#if16");
  }
  if (look_ == Look::utf8 && first_utf8_line_) {
    checks_.add_finding(Finding::utf8_look, *first_utf8_line_);
  }
}

}  // namespace zek
