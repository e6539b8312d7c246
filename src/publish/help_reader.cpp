// The reader's token dispatch: groups, destinations and the control words
// of characters, paragraphs, breaks and tables.
#include "publish/help_reader.h"

#include <array>
#include <string_view>
#include <utility>

namespace zek {

// Every control word the reader acts on. A word is looked up once, in a
// hash table built at compile time, and then dispatched by a switch: the
// converter's RTF holds several control words per line, and comparing each
// with every known word cost more than all the rest of the reading.
// clang-format off
enum class ReaderWord : uint8_t {
  unknown,
  // destinations
  fonttbl, colortbl, footnote, bmc, bml, bmr, bmct, bmlt, bmrt,
  stylesheet, info, pict, object, header, footer, headerl, headerr, headerf, footerl, footerr,
  footerf, xe, tc, filetbl, revtbl, listtable, listoverridetable, rsidtbl, generator, themedata,
  fldinst, datastore, latentstyles, bkmkstart, bkmkend,
  // the font and colour tables
  fcharset, red, green, blue,
  // characters
  plain, b, i, ul, ulnone, uldb, strike, v, scaps, caps, f, fs, cf,
  // paragraphs
  pard, li, ri, fi, sb, sa, sl, ql, qr, qc, qj, keep, keepn, intbl, box, brdrt, brdrb, brdrl,
  brdrr, brdrs, brdrdb, brdrth, brdrdot, brdrsh, tx, tqr, tqc,
  // breaks and special characters
  par, line, tab, page, emdash, endash, bullet, lquote, rquote, ldblquote, rdblquote,
  // tables
  trowd, cellx, trgaph, trleft, cell, row,
  count
};
// clang-format on

namespace {

// Groups deeper than this are read and dropped: a page has no use for them,
// and the reader keeps a bounded state on any input.
constexpr size_t kMaxDepth = 256;

// The words' names, in the order of ReaderWord.
// clang-format off
constexpr std::array<std::string_view, static_cast<size_t>(ReaderWord::count)> kWordNames = {
    "",
    "fonttbl", "colortbl", "footnote", "bmc", "bml", "bmr", "bmct", "bmlt", "bmrt",
    "stylesheet", "info", "pict", "object", "header", "footer", "headerl", "headerr", "headerf",
    "footerl", "footerr", "footerf", "xe", "tc", "filetbl", "revtbl", "listtable",
    "listoverridetable", "rsidtbl", "generator", "themedata", "fldinst", "datastore",
    "latentstyles", "bkmkstart", "bkmkend",
    "fcharset", "red", "green", "blue",
    "plain", "b", "i", "ul", "ulnone", "uldb", "strike", "v", "scaps", "caps", "f", "fs", "cf",
    "pard", "li", "ri", "fi", "sb", "sa", "sl", "ql", "qr", "qc", "qj", "keep", "keepn", "intbl",
    "box", "brdrt", "brdrb", "brdrl", "brdrr", "brdrs", "brdrdb", "brdrth", "brdrdot", "brdrsh",
    "tx", "tqr", "tqc",
    "par", "line", "tab", "page", "emdash", "endash", "bullet", "lquote", "rquote", "ldblquote",
    "rdblquote",
    "trowd", "cellx", "trgaph", "trleft", "cell", "row",
};
// clang-format on

constexpr size_t kWordSlots = 512;  // a power of two, well over twice the words

// The length and the first two and the last letter tell the known words
// nearly apart, without a walk over every letter.
constexpr size_t word_hash(std::string_view word) {
  if (word.empty()) return 0;
  const size_t first = static_cast<unsigned char>(word.front());
  const size_t second = word.size() > 1 ? static_cast<unsigned char>(word[1]) : 0;
  const size_t last = static_cast<unsigned char>(word.back());
  return word.size() * 97 + first * 31 + second * 7 + last * 131;
}

// Open addressing with linear probing; an empty slot holds ReaderWord::unknown.
constexpr std::array<ReaderWord, kWordSlots> make_word_slots() {
  std::array<ReaderWord, kWordSlots> slots{};
  for (size_t w = 1; w < kWordNames.size(); ++w) {
    size_t slot = word_hash(kWordNames[w]) & (kWordSlots - 1);
    while (slots[slot] != ReaderWord::unknown) slot = (slot + 1) & (kWordSlots - 1);
    slots[slot] = static_cast<ReaderWord>(w);
  }
  return slots;
}
constexpr std::array<ReaderWord, kWordSlots> kWordTable = make_word_slots();

constexpr ReaderWord classify(std::string_view word) {
  size_t slot = word_hash(word) & (kWordSlots - 1);
  for (;;) {
    const ReaderWord found = kWordTable[slot];
    if (found == ReaderWord::unknown || kWordNames[static_cast<size_t>(found)] == word)
      return found;
    slot = (slot + 1) & (kWordSlots - 1);
  }
}

// Every name finds its own word (and so no two words share a name).
constexpr bool every_word_found() {
  for (size_t w = 1; w < kWordNames.size(); ++w) {
    if (kWordNames[w].empty() || classify(kWordNames[w]) != static_cast<ReaderWord>(w))
      return false;
  }
  return true;
}
static_assert(every_word_found());
static_assert(kWordNames.back() == "row");

// A switch word: on without a number or with a non-zero one.
bool switch_on(bool has_number, int32_t number) {
  return !has_number || number != 0;
}

int32_t non_negative(int32_t value) {
  return value < 0 ? 0 : value;
}

}  // namespace

HelpReader::HelpReader(RtfSource& source, ReadFor purpose) : tokenizer_(source), purpose_(purpose) {
  groups_.emplace_back();
}

HelpReader::HelpReader(RtfSource& source, const ReaderPlace& place, ReadFor purpose)
    : HelpReaderCarry(place.carry),
      tokenizer_(source),
      purpose_(purpose),
      base_offset_(place.offset) {}

ReaderPlace HelpReader::place(size_t topics) const {
  return ReaderPlace{offset(), topics, static_cast<const HelpReaderCarry&>(*this)};
}

bool HelpReader::next_topic(Topic& topic) {
  topic_ready_ = false;
  for (;;) {
    const RtfToken& token = tokenizer_.next();
    if (token.kind == RtfTokenKind::end) {
      if (in_braced_) abandon_braced();
      end_topic();  // a document without a final "\page" (or without ".end")
      if (!topic_ready_) return false;
      break;
    }
    handle(token);
    if (topic_ready_) break;
  }
  std::swap(topic, topic_);
  recycle(topic_);
  carry_pieces(topic);
  topic_blocks_ = 0;
  topic_has_text_ = false;
  return true;
}

void HelpReader::handle(const RtfToken& token) {
  if (skipped_depth_ != 0) {
    if (token.kind == RtfTokenKind::group_open) ++skipped_depth_;
    if (token.kind == RtfTokenKind::group_close) --skipped_depth_;
    return;
  }
  if (in_braced_ && !(token.kind == RtfTokenKind::text || token.kind == RtfTokenKind::hex_byte ||
                      token.kind == RtfTokenKind::control_symbol)) {
    abandon_braced();
  }
  switch (token.kind) {
    case RtfTokenKind::group_open:
      // Simple groups one after another are taken without their tokens.
      while (read_simple_group()) {
        if (topic_ready_ || !tokenizer_.take_group_open()) return;
        if (in_braced_) abandon_braced();
      }
      open_group();
      break;
    case RtfTokenKind::group_close:
      close_group();
      break;
    case RtfTokenKind::control_word:
      control_word(token);
      break;
    case RtfTokenKind::control_symbol:
      control_symbol(token.symbol);
      break;
    case RtfTokenKind::hex_byte:
      text(std::string_view(&token.symbol, 1));
      break;
    case RtfTokenKind::text:
      text(token.word);
      break;
    case RtfTokenKind::end:
      break;
  }
}

void HelpReader::open_group() {
  if (groups_.size() >= kMaxDepth) {
    skipped_depth_ = 1;
    return;
  }
  groups_.push_back(groups_.back());
  ignorable_ = false;
}

// A group of one control word and plain text, taken whole: what its tokens
// would do, without the group's state pushed and popped for a hot spot's
// visible or hidden text. Other words go the tokens' way, in one call each.
bool HelpReader::read_simple_group() {
  if (state().destination != Destination::body || groups_.size() >= kMaxDepth) return false;
  RtfSimpleGroup group;
  if (!tokenizer_.take_simple_group(group)) return false;
  ignorable_ = false;
  const ReaderWord word = classify(group.word);
  CharStyle style = state().chr;
  if (apply_character_word(style, word, false, 0)) {
    const bool outer_hidden = state().chr.hidden;
    if (outer_hidden && !style.hidden) finish_hidden();  // as the word does
    if (!group.text.empty()) body_text(group.text, style);
    if (style.hidden && !outer_hidden) finish_hidden();  // as the group's end does
    return true;
  }
  // A break inside a group breaks as it does outside ("{\par }").
  if (group.text.empty() && break_word(word)) return true;
  open_group();
  RtfToken token;
  token.kind = RtfTokenKind::control_word;
  token.word = group.word;
  control_word(token);
  if (!group.text.empty()) text(group.text);
  close_group();
  return true;
}

void HelpReader::close_group() {
  ignorable_ = false;
  if (groups_.size() == 1) return;  // an unbalanced "}" closes nothing
  // What the closed group leaves to do, taken before it goes.
  const GroupState& top = groups_.back();
  const Destination destination = top.destination;
  const BitmapPlacement placement = top.bitmap_placement;
  const bool transparent = top.bitmap_transparent;
  const bool was_hidden = top.chr.hidden;
  groups_.pop_back();
  switch (destination) {
    case Destination::footnote:
      if (state().destination != Destination::footnote) finish_footnote();
      break;
    case Destination::bitmap:
      if (state().destination != Destination::bitmap) finish_bitmap(placement, transparent);
      break;
    case Destination::font_table:
      if (font_started_) font_table_text(";");
      break;
    default:
      break;
  }
  if (was_hidden && !state().chr.hidden) finish_hidden();
}

void HelpReader::control_word(const RtfToken& token) {
  const bool ignorable = ignorable_;
  ignorable_ = false;
  const std::string_view word = token.word;
  if (state().destination == Destination::skip) return;
  const ReaderWord known = classify(word);
  if (destination_word(known)) return;
  if (ignorable) {  // "{\*\unknown ...}": a destination this reader does not know
    state().destination = Destination::skip;
    return;
  }
  GroupState& group = state();
  if (group.destination == Destination::footnote) return;
  if (group.destination == Destination::font_table) {
    if (known == ReaderWord::f) {
      font_ = FontEntry();
      font_.number = token.number;
      font_started_ = true;
    } else if (known == ReaderWord::fcharset) {
      font_.charset = token.number;
    } else if (word.size() > 1 && word[0] == 'f' && !token.has_number) {
      font_.family = std::string(word.substr(1));
    }
    return;
  }
  if (group.destination == Destination::color_table) {
    const uint8_t value = static_cast<uint8_t>(token.number < 0 ? 0 : token.number & 0xFF);
    if (known == ReaderWord::red) color_.red = value;
    if (known == ReaderWord::green) color_.green = value;
    if (known == ReaderWord::blue) color_.blue = value;
    color_set_ = color_set_ || known == ReaderWord::red || known == ReaderWord::green ||
                 known == ReaderWord::blue;
    return;
  }
  if (known == ReaderWord::unknown) return;
  if (character_word(known, token.has_number, token.number)) return;
  if (paragraph_word(known, token.has_number, token.number)) return;
  if (break_word(known)) return;
  table_word(known, token.number);
}

bool HelpReader::destination_word(ReaderWord word) {
  GroupState& group = state();
  switch (word) {
    case ReaderWord::fonttbl:
      group.destination = Destination::font_table;
      font_started_ = false;
      return true;
    case ReaderWord::colortbl:
      group.destination = Destination::color_table;
      tables_.colors.clear();
      ++tables_.changes;
      color_ = Color();
      color_set_ = false;
      return true;
    case ReaderWord::footnote:
      begin_footnote();
      return true;
    case ReaderWord::bmc:
    case ReaderWord::bml:
    case ReaderWord::bmr:
    case ReaderWord::bmct:
    case ReaderWord::bmlt:
    case ReaderWord::bmrt:
      if (group.destination != Destination::body) return true;
      group.destination = Destination::bitmap;
      group.bitmap_placement =
          word == ReaderWord::bml || word == ReaderWord::bmlt   ? BitmapPlacement::left
          : word == ReaderWord::bmr || word == ReaderWord::bmrt ? BitmapPlacement::right
                                                                : BitmapPlacement::character;
      group.bitmap_transparent =
          word == ReaderWord::bmct || word == ReaderWord::bmlt || word == ReaderWord::bmrt;
      bitmap_.clear();
      return true;
    default:
      break;
  }
  // The destinations whose text is no part of the page.
  if (word >= ReaderWord::stylesheet && word <= ReaderWord::bkmkend) {
    group.destination = Destination::skip;
    return true;
  }
  return false;
}

void HelpReader::begin_footnote() {
  GroupState& group = state();
  if (group.destination != Destination::body) {
    group.destination = Destination::skip;
    return;
  }
  // The reference mark before the group is no text of the page.
  finish_hidden();
  footnote_mark_ = 0;
  if (!paragraph_.pieces.empty() && paragraph_.pieces.back().kind == PieceKind::text) {
    TextSpan& text = paragraph_.pieces.back().text;
    const char last = text.size == 0 ? '\0' : topic_.bytes[text.end() - 1];
    if (text.size != 0 && static_cast<unsigned char>(last) < 0x80) {
      footnote_mark_ = last;
      if (text.end() == topic_.bytes.size()) topic_.bytes.pop_back();
      --text.size;
    }
    if (text.size == 0) paragraph_.pieces.pop_back();
  }
  group.destination = Destination::footnote;
  footnote_.clear();
}

bool HelpReader::character_word(ReaderWord word, bool has_number, int32_t number) {
  CharStyle& chr = state().chr;
  const bool was_hidden = chr.hidden;
  if (!apply_character_word(chr, word, has_number, number)) return false;
  if (was_hidden && !chr.hidden) finish_hidden();
  return true;
}

bool HelpReader::apply_character_word(CharStyle& chr, ReaderWord word, bool has_number,
                                      int32_t number) {
  const bool on = switch_on(has_number, number);
  switch (word) {
    case ReaderWord::plain:
      chr = CharStyle();
      break;
    case ReaderWord::b:
      chr.bold = on;
      break;
    case ReaderWord::i:
      chr.italic = on;
      break;
    case ReaderWord::ul:
      chr.underline = on;
      break;
    case ReaderWord::ulnone:
      chr.underline = false;
      chr.double_underline = false;
      break;
    case ReaderWord::uldb:
      chr.double_underline = on;
      break;
    case ReaderWord::strike:
      chr.strike = on;
      break;
    case ReaderWord::v:
      chr.hidden = on;
      break;
    case ReaderWord::scaps:
      chr.small_caps = on;
      break;
    case ReaderWord::caps:
      chr.caps = on;
      break;
    case ReaderWord::f:
      chr.font = number;
      break;
    case ReaderWord::fs:
      chr.size = non_negative(number);
      break;
    case ReaderWord::cf:
      chr.color = non_negative(number);
      break;
    default:
      return false;
  }
  return true;
}

bool HelpReader::paragraph_word(ReaderWord word, bool has_number, int32_t number) {
  ParaStyle& para = state().para;
  const bool on = switch_on(has_number, number);
  switch (word) {
    case ReaderWord::pard:
      para = ParaStyle();
      break;
    case ReaderWord::li:
      para.left_indent = number;
      break;
    case ReaderWord::ri:
      para.right_indent = number;
      break;
    case ReaderWord::fi:
      para.first_indent = number;
      break;
    case ReaderWord::sb:
      para.space_before = non_negative(number);
      break;
    case ReaderWord::sa:
      para.space_after = non_negative(number);
      break;
    case ReaderWord::sl:
      para.line_spacing = number;
      break;
    case ReaderWord::ql:
      para.alignment = Alignment::left;
      break;
    case ReaderWord::qr:
      para.alignment = Alignment::right;
      break;
    case ReaderWord::qc:
      para.alignment = Alignment::center;
      break;
    case ReaderWord::qj:
      para.alignment = Alignment::justify;
      break;
    case ReaderWord::keep:
      para.no_wrap = on;
      break;
    case ReaderWord::keepn:
      para.non_scroll = on;
      break;
    case ReaderWord::intbl:
      para.in_table = on;
      break;
    case ReaderWord::box:
      para.border_top = para.border_bottom = para.border_left = para.border_right = true;
      break;
    case ReaderWord::brdrt:
      para.border_top = true;
      break;
    case ReaderWord::brdrb:
      para.border_bottom = true;
      break;
    case ReaderWord::brdrl:
      para.border_left = true;
      break;
    case ReaderWord::brdrr:
      para.border_right = true;
      break;
    case ReaderWord::brdrs:
      para.border_line = BorderLine::single;
      break;
    case ReaderWord::brdrdb:
      para.border_line = BorderLine::double_line;
      break;
    case ReaderWord::brdrth:
      para.border_line = BorderLine::thick;
      break;
    case ReaderWord::brdrdot:
      para.border_line = BorderLine::dotted;
      break;
    case ReaderWord::brdrsh:
      para.border_line = BorderLine::shadow;
      break;
    case ReaderWord::tx:
      // "\tqr" and "\tqc" stand before the "\tx" of the stop they qualify.
      if (para.tabs.size() < 64) para.tabs.push_back({non_negative(number), Alignment::left});
      if (pending_tab_ != Alignment::left && !para.tabs.empty()) {
        para.tabs.back().alignment = pending_tab_;
      }
      pending_tab_ = Alignment::left;
      break;
    case ReaderWord::tqr:
      pending_tab_ = Alignment::right;
      break;
    case ReaderWord::tqc:
      pending_tab_ = Alignment::center;
      break;
    default:
      return false;
  }
  return true;
}

bool HelpReader::break_word(ReaderWord word) {
  switch (word) {
    case ReaderWord::par:
      end_paragraph();
      break;
    case ReaderWord::line:
      add_piece(Piece{PieceKind::line_break, state().chr});
      break;
    case ReaderWord::tab:
      add_piece(Piece{PieceKind::tab, state().chr});
      break;
    case ReaderWord::page:
      end_topic();
      break;
    case ReaderWord::emdash:
    case ReaderWord::endash:
      add_text("\x81\x5C");  // the dash of code page 932
      break;
    case ReaderWord::bullet:
      add_text("\x81\x45");  // the middle dot
      break;
    case ReaderWord::lquote:
      add_text("\x81\x65");
      break;
    case ReaderWord::rquote:
      add_text("\x81\x66");
      break;
    case ReaderWord::ldblquote:
      add_text("\x81\x67");
      break;
    case ReaderWord::rdblquote:
      add_text("\x81\x68");
      break;
    default:
      return false;
  }
  return true;
}

bool HelpReader::table_word(ReaderWord word, int32_t number) {
  switch (word) {
    case ReaderWord::trowd:
      row_ = TableRow();
      break;
    case ReaderWord::cellx:
      if (row_.cell_edges.size() < 64) row_.cell_edges.push_back(number);
      break;
    case ReaderWord::trgaph:
      row_.gap = non_negative(number);
      break;
    case ReaderWord::trleft:
      row_.left = number;
      break;
    case ReaderWord::cell:
      end_cell();
      break;
    case ReaderWord::row:
      end_row();
      break;
    default:
      return false;
  }
  return true;
}

void HelpReader::control_symbol(char symbol) {
  switch (symbol) {
    case '*':
      ignorable_ = true;
      break;
    case '\\':
      text("\\");
      break;
    case '{':
      if (in_braced_) {
        abandon_braced();
        text("{");
      } else if (state().destination == Destination::body && !state().chr.hidden) {
        in_braced_ = true;
        braced_.clear();
      } else {
        text("{");
      }
      break;
    case '}':
      if (in_braced_) {
        finish_braced();
      } else {
        text("}");
      }
      break;
    case '~':
      text("\xA0");  // the reader's mark for a non-breaking space
      break;
    case '_':
      text("-");
      break;
    default:  // "\-" optional hyphen, "\|", "\:" and the rest: nothing to show
      break;
  }
}

}  // namespace zek
