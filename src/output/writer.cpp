// RTF byte rules: the walk behind rtf_printf and text_printf, writing straight
// into the output buffer, eight bytes of text at a time where it can.
#include "output/writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/sjis.h"
#include "output/plain.h"

namespace zek {

namespace {

// Eight bytes of text at a time: finds the first byte that the RTF byte rules
// do not write unchanged, so that runs of ordinary ASCII text are copied a
// block at a time.

// The eight bytes from `bytes` on.
uint64_t load_block(const unsigned char* bytes) {
  uint64_t block;
  std::memcpy(&block, bytes, 8);
  return block;
}

// Marks (bit 7) the bytes of `block` that may need a rule: control bytes,
// bytes 0x80 and above (lead bytes among them) and, while escaping, "\", "{"
// and "}". The first marked byte is exact; marks after it may be spurious.
uint64_t rule_marks(uint64_t block, bool escaping) {
  constexpr uint64_t kOnes = 0x0101010101010101;
  constexpr uint64_t kHigh = kOnes * 0x80;
  const auto zero_bytes = [](uint64_t bytes) { return (bytes - kOnes) & ~bytes & kHigh; };
  uint64_t marks = (block & kHigh) | ((block - kOnes * 0x20) & ~block & kHigh);
  if (escaping) {
    marks |= zero_bytes(block ^ (kOnes * '\\')) | zero_bytes(block ^ (kOnes * '{')) |
             zero_bytes(block ^ (kOnes * '}'));
  }
  return marks;
}

// Index (0 to 7) of the first marked byte; `marks` is not 0.
size_t first_marked(uint64_t marks) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<size_t>(std::countr_zero(marks)) / 8;
  } else {
    return static_cast<size_t>(std::countl_zero(marks)) / 8;
  }
}

// What the walk does with a byte.
enum Action : uint8_t {
  kCopy,      // written unchanged
  kPair,      // a lead byte: it and the byte after it, unchanged
  kHexPair,   // a lead byte under -X: it and the byte after it as \'XX\'XX
  kTab,       // "\tab "
  kDrop,      // a control byte, not written
  kEscape,    // "\", "{" or "}" while escaping is on: a backslash before it
  kStartRaw,  // 0x13 in escaped text: escaping off, not written
  kEndRaw,    // 0x11 in a raw region: escaping on, not written
};
using Actions = std::array<Action, 256>;

enum class Mode { rtf, escaped, raw };

constexpr Actions make_actions(Mode mode, bool hex_kanji) {
  Actions actions{};
  for (int byte = 0; byte < 256; ++byte) {
    Action action = kCopy;
    if (byte < 0x20 && byte != '\r' && byte != '\n') action = kDrop;
    if (byte == '\t') action = kTab;
    if (detail::kLeadTable[static_cast<size_t>(byte)]) action = hex_kanji ? kHexPair : kPair;
    if (mode == Mode::escaped && (byte == '\\' || byte == '{' || byte == '}')) action = kEscape;
    if (mode == Mode::escaped && byte == kRawOn) action = kStartRaw;
    if (mode == Mode::raw && byte == kRawOff) action = kEndRaw;
    actions[static_cast<size_t>(byte)] = action;
  }
  return actions;
}

// Indexed by [hex_kanji].
constexpr Actions kRtfActions[2] = {make_actions(Mode::rtf, false), make_actions(Mode::rtf, true)};
constexpr Actions kEscapedActions[2] = {make_actions(Mode::escaped, false),
                                        make_actions(Mode::escaped, true)};
constexpr Actions kRawActions[2] = {make_actions(Mode::raw, false), make_actions(Mode::raw, true)};

// The most bytes one input byte can become ("\tab "), and the slack for a
// double-byte character that starts at the last byte of a stretch (eight
// bytes under -X).
constexpr size_t kMaxGrowth = 5;
constexpr size_t kPairSlack = 8;
// Input bytes walked per request for buffer room.
constexpr size_t kStretch = 4096;

size_t room_for(size_t input_size) {
  return input_size * kMaxGrowth + kPairSlack;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

// One walk over one text: the output position advances as bytes are written;
// `hex_pairs` counts the -X escapes, which are 8 bytes long but count 2 columns.
class ByteWalk {
 public:
  ByteWalk(std::string_view text, bool escaped, bool hex_kanji)
      : in_(reinterpret_cast<const unsigned char*>(text.data())),
        size_(text.size()),
        hex_(hex_kanji ? 1 : 0),
        actions_(escaped ? &kEscapedActions[hex_] : &kRtfActions[hex_]),
        escaping_(escaped) {}

  bool done() const { return pos_ >= size_; }
  size_t remaining() const { return size_ - pos_; }
  uint32_t hex_pairs() const { return hex_pairs_; }

  // Walks on until `count` more input bytes are taken (one more when a
  // double-byte character straddles the end), writing at `out`, which has
  // room_for(count) bytes; returns the output position after the bytes written.
  char* run(char* out, size_t count) {
    const size_t stop = pos_ + std::min(count, remaining());
    while (pos_ < stop) {
      if (stop - pos_ >= 8) {
        // Eight bytes that need no rule go out as one block. The block is
        // stored whole, which the room always allows, and the output
        // position moves past the bytes before the first that needs a rule.
        const uint64_t block = load_block(in_ + pos_);
        std::memcpy(out, &block, 8);
        const uint64_t marks = rule_marks(block, escaping_);
        const size_t plain = marks == 0 ? 8 : first_marked(marks);
        out += plain;
        pos_ += plain;
        if (plain == 8) continue;
      } else {
        while (pos_ < stop && (*actions_)[in_[pos_]] == kCopy)
          *out++ = static_cast<char>(in_[pos_++]);
        if (pos_ == stop) break;
      }
      out = step(out, stop);
    }
    return out;
  }

 private:
  // Takes the character at the current position, and with it the run of
  // non-ASCII characters written unchanged that it starts.
  char* step(char* out, size_t stop) {
    const unsigned char byte = in_[pos_];
    switch ((*actions_)[byte]) {
      case kCopy:
      case kPair:
        return copy_non_ascii(out, stop);
      case kHexPair:
        if (pos_ + 1 >= size_) {
          *out++ = static_cast<char>(byte);
          break;
        }
        out = put_hex(put_hex(out, byte), in_[++pos_]);
        ++hex_pairs_;
        break;
      case kTab:
        // the output buffer holds bytes, not a C string: no terminator
        std::memcpy(out, "\\tab ", 5);  // NOLINT(bugprone-not-null-terminated-result)
        out += 5;
        break;
      case kDrop:
        break;
      case kEscape:
        out[0] = '\\';
        out[1] = static_cast<char>(byte);
        out += 2;
        break;
      case kStartRaw:
        actions_ = &kRawActions[hex_];
        escaping_ = false;
        break;
      case kEndRaw:
        actions_ = &kEscapedActions[hex_];
        escaping_ = true;
        break;
    }
    ++pos_;
    return out;
  }

  // Double-byte characters and other bytes from 0x80 up that go out
  // unchanged, as long as they follow one another.
  char* copy_non_ascii(char* out, size_t stop) {
    do {
      const unsigned char byte = in_[pos_];
      if ((*actions_)[byte] != kCopy && pos_ + 1 < size_) {  // a lead byte and its trail
        out[0] = static_cast<char>(byte);
        out[1] = static_cast<char>(in_[pos_ + 1]);
        out += 2;
        pos_ += 2;
      } else {  // a single byte, or a lead byte at the end of the text, which has no trail
        *out++ = static_cast<char>(byte);
        ++pos_;
      }
    } while (pos_ < stop && in_[pos_] >= 0x80 && (*actions_)[in_[pos_]] <= kPair);
    return out;
  }

  static char* put_hex(char* out, unsigned char byte) {
    out[0] = '\\';
    out[1] = '\'';
    out[2] = kHexDigits[byte >> 4];
    out[3] = kHexDigits[byte & 15];
    return out + 4;
  }

  const unsigned char* in_;
  size_t size_;
  size_t pos_ = 0;
  int hex_;
  const Actions* actions_;
  bool escaping_;
  uint32_t hex_pairs_ = 0;
};

// Bytes written and columns counted by walks into one stretch of buffer.
struct Stretch {
  char* begin;
  char* end;
  uint32_t hex_pairs = 0;

  // Walks a whole text that fits the room asked for.
  void walk(std::string_view text, bool escaped, bool hex_kanji) {
    ByteWalk walk(text, escaped, hex_kanji);
    end = walk.run(end, text.size());
    hex_pairs += walk.hex_pairs();
  }
  // Copies a text that no byte rule changes (is_plain).
  void copy_plain(std::string_view text) {
    if (text.empty()) return;  // an empty view may have no data to copy from
    std::memcpy(end, text.data(), text.size());
    end += text.size();
  }
  uint32_t columns() const { return static_cast<uint32_t>(end - begin) - 6 * hex_pairs; }
};

// Whether the RTF byte rules write `text` unchanged: printable ASCII only.
bool is_plain(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

// "{\" + word + " " in one piece for the short plain words of the hot spots.
constexpr size_t kShortWord = 16;
bool is_short_plain(std::string_view word) {
  return word.size() <= kShortWord && is_plain(word);
}

}  // namespace

void Writer::walk(std::string_view text, bool escaped) {
  ByteWalk walk(text, escaped, hex_kanji);
  while (!walk.done()) {
    const size_t count = std::min(walk.remaining(), kStretch);
    const uint32_t hex_pairs_before = walk.hex_pairs();
    Stretch stretch{out.room(room_for(count)), nullptr};
    stretch.end = walk.run(stretch.begin, count);
    stretch.hex_pairs = walk.hex_pairs() - hex_pairs_before;
    column += stretch.columns();
    out.commit(stretch.end);
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

void Writer::write_footnote(char mark, std::string_view text) {
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

void Writer::hot_spot(std::string_view word, std::string_view text, std::string_view code) {
  if (!rtf_active()) return;
  if (!is_short_plain(word) || text.size() + code.size() > kStretch) {
    rtf("{\\");
    rtf(word);
    rtf(" ");
    this->text(text);
    rtf("}");
    rtf(code);
    return;
  }
  char* const begin = out.room(room_for(word.size() + 3) + room_for(text.size()) + room_for(1) +
                               room_for(code.size()));
  Stretch stretch{begin, begin};
  // "{\word ", the text, "}" and the code; the pieces the converter composes
  // go out as they are when no byte rule applies to them.
  *stretch.end++ = '{';
  *stretch.end++ = '\\';
  stretch.copy_plain(word);
  *stretch.end++ = ' ';
  stretch.walk(text, true, hex_kanji);
  *stretch.end++ = '}';
  if (is_plain(code)) {
    stretch.copy_plain(code);
  } else {
    stretch.walk(code, false, hex_kanji);
  }
  column += stretch.columns();
  out.commit(stretch.end);
}

}  // namespace zek
