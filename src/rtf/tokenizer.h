// Tokenizers for the help compiler's RTF. Both are Shift-JIS aware: a lead
// byte and its trail byte always stay together as text, so a trail byte "{",
// "}" or "\" never opens a group or starts a control word, and an escaped
// "\{" is a symbol, not a group.
//
// RtfTokenizer reads a whole document from a byte source in chunks (a whole
// help can be larger than memory allows): groups, control words, control
// symbols, "\'hh" bytes and text runs. RtfLineTokenizer walks one piece of
// RTF held in memory (a raw line of the source) without copying, and keeps
// each token's bytes and place.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zek {

// Where the tokenizer's bytes come from.
class RtfSource {
 public:
  virtual ~RtfSource() = default;
  // Reads up to `size` bytes; 0 at the end (a read error ends the input too).
  virtual size_t read(char* buffer, size_t size) = 0;
};

// A source over bytes held in memory (tests, small documents).
class RtfStringSource : public RtfSource {
 public:
  explicit RtfStringSource(std::string_view bytes) : bytes_(bytes) {}
  size_t read(char* buffer, size_t size) override;

 private:
  std::string_view bytes_;
};

enum class RtfTokenKind {
  end,             // no more input
  group_open,      // "{"
  group_close,     // "}"
  control_word,    // "\word" with an optional number
  control_symbol,  // "\" and one character that is no letter ("\~", "\{", "\*")
  hex_byte,        // "\'hh": one byte of the document's code page
  text,            // bytes of text; a double-byte character is never split
};

struct RtfToken {
  RtfTokenKind kind = RtfTokenKind::end;
  // Control word: its letters (at most 32); text: its bytes. Points into the
  // tokenizer's buffer, valid until the next token is read.
  std::string_view word;
  bool has_number = false;  // control word: a number followed it
  int32_t number = 0;       // control word: its number, clamped to the int32 range
  char symbol = 0;          // control symbol: the character; hex byte: the byte
};

// A group of one control word, without a number, and plain text:
// "{\\strike Tools}", "{\\v XX12>main}", "{\\par }". The converter writes
// its hot spots and paragraph ends so, and a reader that knows what such a
// group does can take it whole instead of token by token.
struct RtfSimpleGroup {
  std::string_view word;  // the control word's letters
  std::string_view text;  // the text before the "}"; may be empty
};

class RtfTokenizer {
 public:
  explicit RtfTokenizer(RtfSource& source);

  // The next token; RtfTokenKind::end once the input is exhausted.
  // Line ends between tokens are not text and are passed over; "\" followed
  // by a line end is the paragraph mark "\par". The token is valid until the
  // next call (its text's memory is reused).
  const RtfToken& next();

  // Right after a group_open token: when the group is a simple one that
  // the buffer holds whole, reads it up to and with its "}". Else reads
  // nothing and returns false, and the group is read token by token. The
  // views are valid until the next call.
  bool take_simple_group(RtfSimpleGroup& group);
  // Reads a "{" that follows at once, as next() would have: groups often
  // stand one after another ("{\\strike Tools}{\\v XX12}"). False, with
  // nothing read, when the next byte is anything else.
  bool take_group_open() {
    fill_window();
    if (pos_ == end_ || buffer_[pos_] != '{') return false;
    ++pos_;
    return true;
  }

  // How many bytes of the source the tokens read so far took.
  uint64_t offset() const { return taken_ - (end_ - pos_); }

 private:
  // The most bytes of text handed out as one token, and the bytes a token
  // may read without checking for the buffer's end: a whole piece of text
  // and what decides where it ends. The buffer holds a NUL byte after its
  // last byte, which ends every run of letters, digits or text.
  static constexpr size_t kMaxText = 4096;
  static constexpr size_t kWindow = kMaxText + 2;
  // Makes at least `count` bytes available from pos_ when the input has them;
  // returns how many are available. For what may reach past the window.
  size_t ensure(size_t count) {
    if (end_ - pos_ >= count || exhausted_) return end_ - pos_;
    return refill(count);
  }
  size_t refill(size_t count);
  // Makes the window a token may read without checks available.
  void fill_window() {
    if (end_ - pos_ < kWindow && !exhausted_) refill(kWindow);
  }
  unsigned char peek(size_t offset = 0) const {
    return static_cast<unsigned char>(buffer_[pos_ + offset]);
  }
  void read_control(RtfToken& token);
  bool read_control_word_in_window(RtfToken& token);
  void read_control_word(RtfToken& token);
  void read_text(RtfToken& token);
  void read_text_across_line_ends(RtfToken& token, size_t line_end);
  void skip_bytes(size_t count);

  RtfSource& source_;
  std::unique_ptr<char[]> buffer_;
  size_t pos_ = 0;
  size_t end_ = 0;
  bool exhausted_ = false;
  uint64_t taken_ = 0;  // bytes read from the source
  RtfToken token_;
  std::array<char, 32> word_{};  // the letters of the last control word
  std::string joined_;           // text read across line ends, which are no part of it
};

// The tokens of a piece of RTF held in memory, as an RTF reader sees them:
// group braces, control words with their numeric parameters, control symbols
// and runs of text. A double-byte character is text as a whole.
enum class RtfLineTokenKind : uint8_t {
  group_open,      // "{"
  group_close,     // "}"
  control_word,    // "\fs24": name "fs", parameter 24
  control_symbol,  // "\{", "\\", "\~", "\'7b" and the like
  text,            // anything else, up to the next token
};

struct RtfLineToken {
  RtfLineTokenKind kind = RtfLineTokenKind::text;
  std::string_view name;             // a control word's letters; else the token's bytes
  std::optional<int32_t> parameter;  // a control word's number, if it has one
  size_t offset = 0;                 // where the token starts in the text
};

// Walks a piece of RTF token by token.
class RtfLineTokenizer {
 public:
  explicit RtfLineTokenizer(std::string_view rtf) : rtf_(rtf) {}
  // The next token; false at the end of the text.
  bool next(RtfLineToken& token);

 private:
  void read_control(RtfLineToken& token);
  std::string_view rtf_;
  size_t pos_ = 0;
};

}  // namespace zek
