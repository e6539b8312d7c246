// RTF byte rules: the walk behind rtf_printf and text_printf.
#include "output/writer.h"

#include "output/plain.h"
#include "output/sjis.h"

namespace zek {

namespace {
bool is_special(unsigned char byte, bool escaping) {
  if (byte < 0x20) return true;
  if (is_lead_byte(byte)) return true;
  return escaping && (byte == '\\' || byte == '{' || byte == '}');
}
constexpr char kHexDigits[] = "0123456789ABCDEF";
}  // namespace

void Writer::put_double_byte(char lead, char trail) {
  if (hex_kanji) {
    for (char byte : {lead, trail}) {
      auto value = static_cast<unsigned char>(byte);
      const char escape[4] = {'\\', '\'', kHexDigits[value >> 4], kHexDigits[value & 15]};
      out.put(std::string_view(escape, 4));
    }
  } else {
    out.put(lead);
    out.put(trail);
  }
  column += 2;
}

void Writer::walk(std::string_view text, bool escaping_default) {
  bool escaping = escaping_default;
  size_t pos = 0;
  const size_t size = text.size();
  while (pos < size) {
    // Ordinary bytes go out as one run.
    size_t run = pos;
    while (run < size && !is_special(static_cast<unsigned char>(text[run]), escaping)) ++run;
    if (run > pos) {
      out.put(text.substr(pos, run - pos));
      column += static_cast<uint32_t>(run - pos);
      pos = run;
      if (pos >= size) break;
    }
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte == '\t') {
      out.put("\\tab ");
      column += 5;
    } else if (byte == '\r' || byte == '\n') {
      out.put(static_cast<char>(byte));
      column += 1;
    } else if (byte < 0x20) {
      if (escaping_default && byte == kRawOn) escaping = false;
      if (escaping_default && byte == kRawOff) escaping = true;
    } else if (is_lead_byte(byte)) {
      if (pos + 1 < size) {
        put_double_byte(text[pos], text[pos + 1]);
        pos += 2;
        continue;
      }
      // A lead byte at the end of the text has no trail: write it alone.
      out.put(static_cast<char>(byte));
      column += 1;
    } else {  // an RTF special character while escaping is on
      out.put('\\');
      out.put(static_cast<char>(byte));
      column += 2;
    }
    ++pos;
  }
}

void Writer::rtf(std::string_view text) {
  if (!rtf_active()) return;
  walk(text, false);
}

void Writer::text(std::string_view text) {
  if (!rtf_active()) return;
  walk(text, true);
}

void Writer::debug(std::string_view text) {
  if (!out.is_open()) return;
  out.put(text);
}

void Writer::plain(std::string_view text) {
  if (!out.is_open()) return;
  write_plain(out, text);
}

void Writer::footnote(char mark, std::string_view text) {
  if (!rtf_active()) return;
  const char opening[] = {mark, '{', '\\', 'f', 'o', 'o', 't', 'n', 'o', 't', 'e', ' ', mark};
  rtf(std::string_view(opening, sizeof opening));
  if (mark == '#') {
    this->text(sanitize_context_string(text));
  } else {
    this->text(text);
  }
  rtf("}\r\n");
}

void Writer::group(std::string_view word, std::string_view text) {
  if (!rtf_active()) return;
  rtf("{\\");
  rtf(word);
  rtf(" ");
  this->text(text);
  rtf("}");
}

}  // namespace zek
