// The document model a help is read into: topics with their properties (the
// footnotes), paragraphs of pieces (text, tabs, breaks, hot spots, bitmaps),
// tables, and the document's font and colour tables. Text is held as the
// document's code page 932 bytes. The model knows no output format: the page
// writers decide how each piece looks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zek {

// Character formatting, as the help compiler reads it.
struct CharStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;         // \ul: also the popup hot-spot mark
  bool double_underline = false;  // \uldb: a jump hot spot
  bool strike = false;            // \strike: a jump hot spot
  bool hidden = false;            // \v: a hot spot's target
  bool small_caps = false;
  bool caps = false;
  int32_t font = -1;  // index into the font table; -1 the default font
  int32_t size = 0;   // half-points; 0 the default size
  int32_t color = 0;  // index into the colour table; 0 the automatic colour
  bool operator==(const CharStyle&) const = default;
};

enum class Alignment { left, right, center, justify };
enum class BorderLine { single, double_line, thick, dotted, shadow };

struct TabStop {
  int32_t position = 0;                   // twips from the left margin
  Alignment alignment = Alignment::left;  // left, right or center
  bool operator==(const TabStop&) const = default;
};

// Paragraph formatting; measures in twips.
struct ParaStyle {
  int32_t left_indent = 0;
  int32_t right_indent = 0;
  int32_t first_indent = 0;  // relative to the left indent; negative hangs
  int32_t space_before = 0;
  int32_t space_after = 0;
  int32_t line_spacing = 0;
  Alignment alignment = Alignment::left;
  bool no_wrap = false;     // \keep: one line, no wrapping
  bool non_scroll = false;  // \keepn
  bool in_table = false;    // \intbl
  bool border_top = false;
  bool border_bottom = false;
  bool border_left = false;
  bool border_right = false;
  BorderLine border_line = BorderLine::single;
  std::vector<TabStop> tabs;
  bool operator==(const ParaStyle&) const = default;
};

enum class LinkKind : uint8_t {
  jump,   // to a topic, in this help or another
  popup,  // a topic shown over the page
  macro,  // runs a help macro: shown as inert text
};

enum class LinkLook : uint8_t {
  normal,        // underlined and coloured
  plain,         // "%": neither underlined nor coloured
  no_underline,  // "*": coloured, not underlined
};

// A stretch of the bytes a topic holds its texts in (Topic::bytes): the
// text of a piece, or a part of where a hot spot leads. A topic's texts lie
// side by side in the order they were read, in one string the topic keeps
// for the next topic read into it.
struct TextSpan {
  size_t offset = 0;
  size_t size = 0;
  size_t end() const { return offset + size; }
};

// Where a hot spot leads, read from its hidden text: its parts as spans of
// the topic's bytes (Topic::target_of gives them as text).
struct LinkTarget {
  LinkKind kind = LinkKind::jump;
  LinkLook look = LinkLook::normal;
  TextSpan context;  // the context string (jump, popup)
  TextSpan file;     // "ctx@file.hlp": the other help file; empty for this help
  TextSpan window;   // "ctx>window": the window it opens in
  TextSpan macro;    // "!Macro(...)": the macro text without "!"
};

// A hot spot's target with its parts as text.
struct TargetText {
  LinkKind kind = LinkKind::jump;
  LinkLook look = LinkLook::normal;
  std::string_view context;
  std::string_view file;
  std::string_view window;
  std::string_view macro;
};

enum class BitmapPlacement : uint8_t { character, left, right };

enum class PieceKind : uint8_t {
  text,        // `text` in `style`
  tab,         // \tab
  line_break,  // \line
  anchor,      // a "#" footnote inside the text: `text` is the context string
  hot_spot,    // `text` shown in `style`, leading to its target
  bitmap,      // `text` is the file name
  button,      // an authored button: `text` the label, its target its macro
};

// A run of text or one of the things a paragraph holds besides text: a
// plain value, whose text and target its topic holds.
struct Piece {
  static constexpr size_t kNoTarget = SIZE_MAX;

  Piece() = default;
  Piece(PieceKind kind_, const CharStyle& style_, TextSpan text_ = TextSpan())
      : kind(kind_), style(style_), text(text_) {}

  bool has_target() const { return target != kNoTarget; }

  PieceKind kind = PieceKind::text;
  BitmapPlacement placement = BitmapPlacement::character;  // bitmap
  bool transparent = false;                                // bitmap: bmct, bmlt, bmrt
  CharStyle style;
  TextSpan text;  // of the topic's bytes (Topic::text_of)
  // Where a hot spot or button leads: an entry of its topic's `targets`,
  // which holds them apart from the pieces and side by side.
  size_t target = kNoTarget;
};

struct Paragraph {
  ParaStyle style;
  std::vector<Piece> pieces;
};

struct TableCell {
  std::vector<Paragraph> paragraphs;
};

struct TableRow {
  std::vector<int32_t> cell_edges;  // \cellx: each cell's right edge in twips
  int32_t left = 0;                 // \trleft
  int32_t gap = 0;                  // \trgaph
  std::vector<TableCell> cells;
};

// A paragraph or a table: the blocks a topic's text is made of.
struct Block {
  bool is_table = false;
  Paragraph paragraph;         // when not a table
  std::vector<TableRow> rows;  // when a table
};

// A hot spot that leads to a topic of this help, as a read for the help-wide
// index records it (jump or popup; no other file, no macro).
struct IndexLink {
  LinkKind kind = LinkKind::jump;
  std::string context;
};

struct Topic {
  std::string title;                  // "$"
  std::vector<std::string> contexts;  // "#", in the order they stand
  std::vector<std::string> keywords;  // "K", split at ";"
  std::string browse;                 // "+"
  std::vector<std::string> macros;    // "!", split at ";"
  std::string window;                 // ">"
  std::vector<Block> non_scrolling;   // the leading \keepn paragraphs
  std::vector<Block> blocks;          // the scrolling text
  // Where the hot spots and buttons of the text lead (Piece::target).
  std::vector<LinkTarget> targets;
  // The texts of the pieces and the targets (TextSpan).
  std::string bytes;
  // Only from a read for the index, whose hot-spot pieces keep no target.
  std::vector<IndexLink> index_links;

  std::string_view text(TextSpan span) const {
    return std::string_view(bytes).substr(span.offset, span.size);
  }
  std::string_view text_of(const Piece& piece) const { return text(piece.text); }
  // Where `piece` leads; a piece that leads nowhere has an empty target.
  TargetText target_of(const Piece& piece) const {
    if (piece.target >= targets.size()) return TargetText{};
    const LinkTarget& target = targets[piece.target];
    return TargetText{target.kind,       target.look,         text(target.context),
                      text(target.file), text(target.window), text(target.macro)};
  }
};

struct FontEntry {
  int32_t number = 0;
  std::string name;
  std::string family;  // "roman", "swiss", "modern", "script", "decor", "tech", "nil"
  int32_t charset = 0;
};

struct Color {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool automatic = false;  // the empty first entry
};

// What is read once for the whole document.
struct DocumentTables {
  std::vector<FontEntry> fonts;
  std::vector<Color> colors;
  // Counts the changes to the tables (raw RTF may bring a table of its own
  // anywhere), so that what was made from them can tell it is out of date.
  uint64_t changes = 0;
  const FontEntry* find_font(int32_t number) const {
    for (const FontEntry& font : fonts) {
      if (font.number == number) return &font;
    }
    return nullptr;
  }
};

}  // namespace zek
