// Plain-text writer: the markup rules, then the byte rules. Most texts hold no
// "{" and so no markup; they skip the rules, and runs of ordinary bytes go out
// in one piece.
#include "output/plain.h"

#include <string>

#include "base/sjis.h"
#include "output/markup_rules.h"
#include "output/writer.h"

namespace zek {

namespace {

bool is_dropped_control(unsigned char byte) {
  return byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n';
}

// End of the run of bytes from `pos` that go out unchanged; a double-byte
// character counts whole, so its trail byte is never taken for "{", "}" or "\".
size_t run_end(std::string_view text, size_t pos, bool raw) {
  while (pos < text.size()) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (is_lead_byte(byte)) {
      pos += char_length(text, pos);
      continue;
    }
    if (is_dropped_control(byte)) break;
    if (raw && (byte == '{' || byte == '}' || byte == '\\')) break;
    ++pos;
  }
  return pos;
}

// Position after a control word of a raw region (the backslash at `pos` up to
// the next space or control byte) and after the spaces and tabs behind it.
size_t skip_control_word(std::string_view text, size_t pos) {
  ++pos;
  while (pos < text.size() && text[pos] != ' ' && static_cast<unsigned char>(text[pos]) >= 0x20) {
    pos += char_length(text, pos);
  }
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  return pos;
}

}  // namespace

void write_plain_bytes(Sink& out, std::string_view text) {
  bool raw = false;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = run_end(text, pos, raw);
    if (end > pos) {
      out.put(text.substr(pos, end - pos));
      pos = end;
      continue;
    }
    const char byte = text[pos];
    if (byte == '\\') {  // only a raw region stops a run at a backslash
      pos = skip_control_word(text, pos);
      continue;
    }
    if (byte == kRawOn) raw = true;
    if (byte == kRawOff) raw = false;
    ++pos;  // a brace of a raw region or a control byte: dropped
  }
}

void write_plain(Sink& out, std::string_view text) {
  if (text.find('{') == std::string_view::npos) {
    write_plain_bytes(out, text);
    return;
  }
  const std::optional<std::string> stripped = strip_markup(text);
  if (!stripped) {
    write_plain_bytes(out, text);
  } else if (*stripped != "\r\n") {
    write_plain_bytes(out, *stripped);
  }
}

}  // namespace zek
