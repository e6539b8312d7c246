// The reader's text side: body text into pieces, hidden text into hot spots,
// paragraphs and tables into blocks, footnotes into topic properties, the
// escaped-brace forms ("\{bmc file.bmp\}", "\{button ...\}"), the font and
// colour tables, and the link targets that hidden text and button macros name.
#include <algorithm>
#include <string>
#include <string_view>

#include "base/sjis.h"
#include "io/paths.h"
#include "publish/help_reader.h"
#include "publish/model.h"

namespace zek {

namespace {

// Hot-spot targets: the forms the help compiler reads from hidden text
// ("ctx", "ctx>window", "ctx@file.hlp", "!Macro(...)", with a leading "%"
// or "*") and an authored button's macro.

// The text with spaces, tabs and line ends removed at both ends.
std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
                           text.front() == '\n')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                           text.back() == '\n')) {
    text.remove_suffix(1);
  }
  return text;
}

// The spans of the parts of a text that stands at `base` in a topic's
// bytes: each part is a view into the text.
class PartSpans {
 public:
  PartSpans(std::string_view whole, size_t base) : whole_(whole), base_(base) {}
  TextSpan operator()(std::string_view part) const {
    if (part.empty()) return TextSpan{base_, 0};
    return TextSpan{base_ + static_cast<size_t>(part.data() - whole_.data()), part.size()};
  }

 private:
  std::string_view whole_;
  size_t base_;
};

// One macro argument without its quotes ("x", `x' or 'x').
std::string_view unquote(std::string_view argument) {
  argument = trim_blanks(argument);
  if (argument.size() >= 2) {
    const char open = argument.front();
    const char close = argument.back();
    if ((open == '"' && close == '"') || (open == '`' && close == '\'') ||
        (open == '\'' && close == '\'')) {
      return argument.substr(1, argument.size() - 2);
    }
  }
  return argument;
}

// A jump that a macro text such as JI("file.hlp","ctx") or JumpId(...)
// makes; `target` is left a macro when the macro is anything else.
void read_jump_macro(std::string_view macro, const PartSpans& span, LinkTarget& target) {
  macro = trim_blanks(macro);
  const size_t open = mbs_strchr(macro, '(');
  if (open == std::string_view::npos || macro.back() != ')') return;
  const std::string_view name = trim_blanks(macro.substr(0, open));
  if (!equals_ignoring_case(name, "JI") && !equals_ignoring_case(name, "JumpId")) return;
  const std::string_view arguments = macro.substr(open + 1, macro.size() - open - 2);
  const size_t comma = mbs_strchr(arguments, ',');
  if (comma == std::string_view::npos) return;
  const std::string_view file = unquote(arguments.substr(0, comma));
  std::string_view context = unquote(arguments.substr(comma + 1));
  const size_t window = mbs_strchr(context, '>');
  if (window != std::string_view::npos) {
    target.window = span(context.substr(window + 1));
    context = context.substr(0, window);
  }
  if (context.empty()) return;
  target.kind = LinkKind::jump;
  target.file = span(file);
  target.context = span(context);
}

// The target a hot spot's hidden text names, into `target`, its parts as
// spans of the hidden text counted from `base`. `kind` is what the visible
// text's formatting says (jump or popup); a macro makes it a macro, and the
// macro JumpId/JI("file","ctx") becomes a jump into that file.
void read_link_target(std::string_view hidden, LinkKind kind, size_t base, LinkTarget& target) {
  const PartSpans span(hidden, base);
  target = LinkTarget{};
  target.kind = kind;
  hidden = trim_blanks(hidden);
  if (!hidden.empty() && hidden.front() == '%') {
    target.look = LinkLook::plain;
    hidden.remove_prefix(1);
  } else if (!hidden.empty() && hidden.front() == '*') {
    target.look = LinkLook::no_underline;
    hidden.remove_prefix(1);
  }
  if (!hidden.empty() && hidden.front() == '!') {
    target.kind = LinkKind::macro;
    target.macro = span(hidden.substr(1));
    read_jump_macro(hidden.substr(1), span, target);
    return;
  }
  // The first ">" names the window; the first "@" before it, the file. One
  // walk over the characters finds both.
  size_t window = std::string_view::npos;
  size_t at = std::string_view::npos;
  for (size_t i = 0; i < hidden.size(); i += is_lead_byte(hidden[i]) ? 2 : 1) {
    if (hidden[i] == '>') {
      window = i;
      break;
    }
    if (hidden[i] == '@' && at == std::string_view::npos) at = i;
  }
  if (window != std::string_view::npos) {
    target.window = span(trim_blanks(hidden.substr(window + 1)));
    hidden = hidden.substr(0, window);
  }
  if (at != std::string_view::npos) {
    target.file = span(trim_blanks(hidden.substr(at + 1)));
    hidden = hidden.substr(0, at);
  }
  target.context = span(trim_blanks(hidden));
}

// Bounds that keep the reader's memory small on any input.
constexpr size_t kMaxFootnote = 1 << 16;
constexpr size_t kMaxHidden = 4096;
constexpr size_t kMaxName = 1024;
constexpr size_t kMaxCells = 64;
constexpr size_t kMaxTableEntries = 4096;

void append_bounded(std::string& to, std::string_view bytes, size_t limit) {
  if (to.size() >= limit) return;
  to.append(bytes.substr(0, limit - to.size()));
}

bool is_link_style(const CharStyle& style) {
  return style.underline || style.double_underline || style.strike;
}

// The parts of `text` between ";" (at character boundaries), trimmed, the
// empty ones left out.
std::vector<std::string> split_list(std::string_view text) {
  std::vector<std::string> parts;
  while (!text.empty()) {
    const size_t semicolon = mbs_strchr(text, ';');
    const std::string_view part = trim_blanks(text.substr(0, semicolon));
    if (!part.empty()) parts.emplace_back(part);
    if (semicolon == std::string_view::npos) break;
    text.remove_prefix(semicolon + 1);
  }
  return parts;
}

}  // namespace

void HelpReader::text(std::string_view bytes) {
  if (in_braced_) {
    if (braced_.size() + bytes.size() > kMaxName) {
      abandon_braced();
    } else {
      braced_.append(bytes);
      return;
    }
  }
  switch (state().destination) {
    case Destination::skip:
      return;
    case Destination::font_table:
      font_table_text(bytes);
      return;
    case Destination::color_table:
      color_table_text(bytes);
      return;
    case Destination::footnote:
      append_bounded(footnote_, bytes, kMaxFootnote);
      return;
    case Destination::bitmap:
      append_bounded(bitmap_, bytes, kMaxName);
      return;
    case Destination::body:
      break;
  }
  body_text(bytes, state().chr);
}

void HelpReader::body_text(std::string_view bytes, const CharStyle& style) {
  if (style.hidden) {
    append_bounded(hidden_, bytes, kMaxHidden);
    hidden_seen_ = true;
    return;
  }
  add_text(bytes, style);
}

void HelpReader::add_text(std::string_view bytes, const CharStyle& style) {
  finish_hidden();
  if (!paragraph_.pieces.empty()) {
    Piece& last = paragraph_.pieces.back();
    if (last.kind == PieceKind::text && last.style == style) {
      last.text = extended(last.text, bytes);
      return;
    }
  }
  paragraph_.pieces.emplace_back(PieceKind::text, style, stored(bytes));
}

// The texts of `first` and `second`, two spans of the topic's bytes, as one:
// where they lie in a row, as they mostly do, that is both at once; else
// both are copied to the end of the bytes.
TextSpan HelpReader::joined(TextSpan first, TextSpan second) {
  if (first.end() == second.offset) return TextSpan{first.offset, first.size + second.size};
  TextSpan both = copied_to_end(first);
  both.size += copied_to_end(second).size;
  return both;
}

// The text of `span` copied to the end of the topic's bytes.
TextSpan HelpReader::copied_to_end(TextSpan span) {
  std::string& all = topic_.bytes;
  const TextSpan copy{all.size(), span.size};
  // Appending part of the string to itself is well defined, also when the
  // string grows.
  all.append(all, span.offset, span.size);
  return copy;
}

// `bytes` kept in the topic's bytes, after the texts before them.
TextSpan HelpReader::stored(std::string_view bytes) {
  const TextSpan span{topic_.bytes.size(), bytes.size()};
  topic_.bytes.append(bytes);
  return span;
}

// The text of `span` followed by `bytes`, which are not the topic's own.
// Text read in a row lies in a row: a span that ends where the bytes do
// grows in place, any other is copied to their end first.
TextSpan HelpReader::extended(TextSpan span, std::string_view bytes) {
  if (span.end() != topic_.bytes.size()) span = copied_to_end(span);
  topic_.bytes.append(bytes);
  span.size += bytes.size();
  return span;
}

void HelpReader::add_piece(const Piece& piece) {
  finish_hidden();
  paragraph_.pieces.push_back(piece);
}

// Hidden text ended: the text pieces just before it that carry a hot-spot
// formatting are the hot spot's visible text.
void HelpReader::finish_hidden() {
  if (!hidden_seen_) return;
  hidden_seen_ = false;
  std::vector<Piece>& pieces = paragraph_.pieces;
  size_t first = pieces.size();
  while (first > 0 && pieces[first - 1].kind == PieceKind::text &&
         is_link_style(pieces[first - 1].style)) {
    --first;
  }
  if (first != pieces.size()) {  // else hidden text with nothing to click on
    // The first of the pieces becomes the hot spot, with the text of all.
    // (An index read keeps only where it leads.)
    Piece& spot = pieces[first];
    if (purpose_ == ReadFor::pages) {
      for (size_t i = first + 1; i < pieces.size(); ++i) {
        spot.text = joined(spot.text, pieces[i].text);
      }
    }
    spot.kind = PieceKind::hot_spot;
    const LinkKind kind =
        spot.style.strike || spot.style.double_underline ? LinkKind::jump : LinkKind::popup;
    if (purpose_ == ReadFor::index) {
      note_index_link(kind);
    } else {
      const size_t base = topic_.bytes.size();
      topic_.bytes.append(hidden_);
      read_link_target(hidden_, kind, base, new_target(spot));
    }
    pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(first) + 1, pieces.end());
  }
  hidden_.clear();
}

// An index read's hot spot: its target read from the hidden text, and
// recorded when it leads to a topic of this help.
void HelpReader::note_index_link(LinkKind kind) {
  LinkTarget target;
  read_link_target(hidden_, kind, 0, target);
  if (target.kind == LinkKind::macro || target.file.size != 0) return;
  const std::string_view context =
      std::string_view(hidden_).substr(target.context.offset, target.context.size);
  topic_.index_links.push_back(IndexLink{target.kind, std::string(context)});
}

// The target of hot spot or button `piece`, new in the topic's list.
LinkTarget& HelpReader::new_target(Piece& piece) {
  piece.target = topic_.targets.size();
  return topic_.targets.emplace_back();
}

// The pieces read since the last paragraph end. The reader goes on with an
// emptied list from a topic already handed out: its capacity saves growing
// a fresh list, which moved each piece several times.
Paragraph HelpReader::take_paragraph() {
  Paragraph paragraph;
  paragraph.pieces.swap(paragraph_.pieces);
  if (!spare_pieces_.empty()) {
    paragraph_.pieces.swap(spare_pieces_.back());
    spare_pieces_.pop_back();
  }
  return paragraph;
}

// Empties a topic handed back, keeping the piece lists of its paragraphs
// for the paragraphs to come: a few of them, of a modest size, so that the
// spares never hold much more than one ordinary topic. The topic keeps its
// lists of blocks and targets and the storage of its bytes, unless an
// uncommonly long topic grew them.
void HelpReader::recycle(Topic& topic) {
  constexpr size_t kMaxSpares = 64;
  constexpr size_t kMaxSpareCapacity = 16;
  constexpr size_t kMaxKeptTargets = 1024;
  constexpr size_t kMaxKeptBytes = size_t{1} << 16;
  for (std::vector<Block>* list : {&topic.non_scrolling, &topic.blocks}) {
    for (Block& block : *list) {
      std::vector<Piece>& pieces = block.paragraph.pieces;
      if (block.is_table || spare_pieces_.size() == kMaxSpares || pieces.capacity() == 0 ||
          pieces.capacity() > kMaxSpareCapacity) {
        continue;
      }
      pieces.clear();
      spare_pieces_.push_back(std::move(pieces));
    }
  }
  std::vector<Block> blocks = std::move(topic.blocks);
  std::vector<LinkTarget> targets = std::move(topic.targets);
  std::string bytes = std::move(topic.bytes);
  std::vector<IndexLink> links = std::move(topic.index_links);
  blocks.clear();
  targets.clear();
  if (targets.capacity() > kMaxKeptTargets) targets = std::vector<LinkTarget>();
  bytes.clear();
  if (bytes.capacity() > kMaxKeptBytes) bytes = std::string();
  links.clear();
  topic = Topic();
  topic.blocks = std::move(blocks);
  topic.targets = std::move(targets);
  topic.bytes = std::move(bytes);
  topic.index_links = std::move(links);
}

// Text read after a topic's "\page" but before the topic was handed out
// (the rest of a group such as "{\page text}") belongs to the next topic:
// the pieces not yet in a topic get their texts and targets from `ended`
// anew, in the next topic's bytes.
void HelpReader::carry_pieces(const Topic& ended) {
  const auto carry = [this, &ended](std::vector<Piece>& pieces) {
    for (Piece& piece : pieces) {
      piece.text = stored(ended.text(piece.text));
      if (!piece.has_target()) continue;
      const LinkTarget old = ended.targets.at(piece.target);
      LinkTarget& target = new_target(piece);
      target.kind = old.kind;
      target.look = old.look;
      target.context = stored(ended.text(old.context));
      target.file = stored(ended.text(old.file));
      target.window = stored(ended.text(old.window));
      target.macro = stored(ended.text(old.macro));
    }
  };
  const auto carry_cells = [&carry](std::vector<TableCell>& cells) {
    for (TableCell& cell : cells) {
      for (Paragraph& paragraph : cell.paragraphs) carry(paragraph.pieces);
    }
  };
  carry(paragraph_.pieces);
  for (Paragraph& paragraph : cell_.paragraphs) carry(paragraph.pieces);
  carry_cells(row_.cells);
  for (TableRow& row : table_.rows) carry_cells(row.cells);
}

// An index read keeps of a paragraph only the anchors, all in one
// paragraph of the topic (apart from its tables, which it keeps).
void HelpReader::keep_index_pieces() {
  for (const Piece& piece : paragraph_.pieces) {
    if (piece.kind != PieceKind::anchor) continue;
    if (topic_.non_scrolling.empty()) topic_.non_scrolling.emplace_back();
    topic_.non_scrolling.front().paragraph.pieces.push_back(piece);
  }
  paragraph_.pieces.clear();
}

void HelpReader::end_paragraph() {
  finish_hidden();
  if (in_braced_) abandon_braced();
  if (!state().para.in_table) {
    ++topic_blocks_;
    topic_has_text_ = topic_has_text_ || !paragraph_.pieces.empty();
    if (purpose_ == ReadFor::index) {
      keep_index_pieces();
      close_table();
      return;
    }
  }
  Paragraph paragraph = take_paragraph();
  paragraph.style = state().para;
  if (paragraph.style.in_table) {
    if (cell_.paragraphs.size() < kMaxTableEntries)
      cell_.paragraphs.push_back(std::move(paragraph));
    return;
  }
  close_table();
  Block block;
  block.paragraph = std::move(paragraph);
  const bool non_scrolling = block.paragraph.style.non_scroll && topic_.blocks.empty();
  (non_scrolling ? topic_.non_scrolling : topic_.blocks).push_back(std::move(block));
}

void HelpReader::end_cell() {
  finish_hidden();
  if (!paragraph_.pieces.empty()) {
    Paragraph paragraph = take_paragraph();
    paragraph.style = state().para;
    paragraph.style.in_table = true;
    cell_.paragraphs.push_back(std::move(paragraph));
  }
  if (row_.cells.size() < kMaxCells) row_.cells.push_back(std::move(cell_));
  cell_ = TableCell();
}

void HelpReader::end_row() {
  if (!cell_.paragraphs.empty() || !paragraph_.pieces.empty()) end_cell();
  if (!table_open_) {
    table_ = Block();
    table_.is_table = true;
    table_open_ = true;
  }
  if (table_.rows.size() < kMaxTableEntries) table_.rows.push_back(row_);
  row_.cells.clear();  // the row's definition holds for the next row too
}

void HelpReader::close_table() {
  if (!cell_.paragraphs.empty() || !row_.cells.empty()) end_row();
  if (!table_open_) return;
  table_open_ = false;
  ++topic_blocks_;
  topic_has_text_ = true;
  topic_.blocks.push_back(std::move(table_));
  table_ = Block();
}

bool HelpReader::topic_has_content() const {
  return !topic_.contexts.empty() || !topic_.title.empty() || !topic_.keywords.empty() ||
         !topic_.browse.empty() || !topic_.macros.empty() || topic_has_text_;
}

void HelpReader::end_topic() {
  finish_hidden();
  if (in_braced_) abandon_braced();
  if (!paragraph_.pieces.empty()) end_paragraph();
  close_table();
  if (topic_has_content()) {
    topic_ready_ = true;
  } else {
    recycle(topic_);
    topic_blocks_ = 0;
  }
}

void HelpReader::finish_footnote() {
  // The footnote's text usually repeats its reference mark ("#{\footnote
  // #XX1}"); the browse footnote does not ("+{\footnote main:001}").
  std::string_view text = trim_blanks(footnote_);
  char mark = footnote_mark_;
  if (mark == 0 && !text.empty()) mark = text.front();
  if (!text.empty() && text.front() == mark) text.remove_prefix(1);
  const std::string_view rest = trim_blanks(text);
  switch (mark) {
    case '#': {
      if (rest.empty()) break;
      const bool inside = topic_blocks_ != 0 || !paragraph_.pieces.empty();
      topic_.contexts.emplace_back(rest);
      if (inside) add_piece(Piece{PieceKind::anchor, state().chr, stored(rest)});
      break;
    }
    case '$':
      topic_.title = std::string(rest);
      break;
    case 'K':
      for (std::string& keyword : split_list(rest)) topic_.keywords.push_back(std::move(keyword));
      break;
    case '+':
      topic_.browse = std::string(rest);
      break;
    case '!':
      for (std::string& macro : split_list(rest)) topic_.macros.push_back(std::move(macro));
      break;
    case '>':
      topic_.window = std::string(rest);
      break;
    default:  // "A" keywords, "*" build tags, "@" comments: nothing a page shows
      break;
  }
}

void HelpReader::finish_bitmap(BitmapPlacement placement, bool transparent) {
  const std::string_view name = trim_blanks(bitmap_);
  if (name.empty()) return;
  Piece piece{PieceKind::bitmap, state().chr, stored(name)};
  piece.placement = placement;
  piece.transparent = transparent;
  add_piece(piece);
}

// "\{" ... "\}" ended: a bitmap, an authored button, an embedded window
// (which a page cannot show), or just braces in the text.
void HelpReader::finish_braced() {
  in_braced_ = false;
  const std::string_view content = braced_;
  size_t word_end = 0;
  while (word_end < content.size() && ((content[word_end] >= 'a' && content[word_end] <= 'z') ||
                                       (content[word_end] >= 'A' && content[word_end] <= 'Z'))) {
    ++word_end;
  }
  const std::string_view word = content.substr(0, word_end);
  const std::string_view argument = trim_blanks(content.substr(word_end));
  const auto is = [word](std::string_view name) { return equals_ignoring_case(word, name); };
  if (is("bmc") || is("bml") || is("bmr") || is("bmct") || is("bmlt") || is("bmrt")) {
    const char side = static_cast<char>(word[2] | 0x20);
    bitmap_.assign(argument);
    finish_bitmap(side == 'l'   ? BitmapPlacement::left
                  : side == 'r' ? BitmapPlacement::right
                                : BitmapPlacement::character,
                  word.size() == 4);
    bitmap_.clear();
  } else if (is("button")) {
    const size_t comma = mbs_strchr(argument, ',');
    Piece piece{PieceKind::button, state().chr, stored(trim_blanks(argument.substr(0, comma)))};
    TextSpan macro;
    if (comma != std::string_view::npos) macro = stored(trim_blanks(argument.substr(comma + 1)));
    LinkTarget& target = new_target(piece);
    target.kind = LinkKind::macro;
    target.macro = macro;
    add_piece(piece);
  } else if (is("ewc") || is("ewl") || is("ewr")) {
    // A window from a DLL: nothing a page can show.
  } else {
    // Just braces in the text: added in three parts, which join as one.
    add_text("{");
    add_text(content);
    add_text("}");
  }
  braced_.clear();
}

void HelpReader::abandon_braced() {
  in_braced_ = false;
  add_text("{");
  add_text(braced_);
  braced_.clear();
}

void HelpReader::font_table_text(std::string_view bytes) {
  for (const char c : bytes) {
    if (c != ';') {
      if (font_started_ && font_.name.size() < 256) font_.name.push_back(c);
      continue;
    }
    if (font_started_ && tables_.fonts.size() < kMaxTableEntries) {
      font_.name = std::string(trim_blanks(font_.name));
      tables_.fonts.push_back(font_);
      ++tables_.changes;
    }
    font_started_ = false;
    font_ = FontEntry();
  }
}

void HelpReader::color_table_text(std::string_view bytes) {
  for (const char c : bytes) {
    if (c != ';') continue;
    color_.automatic = !color_set_;
    if (tables_.colors.size() < kMaxTableEntries) {
      tables_.colors.push_back(color_);
      ++tables_.changes;
    }
    color_ = Color();
    color_set_ = false;
  }
}

}  // namespace zek
