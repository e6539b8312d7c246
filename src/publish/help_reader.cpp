// The reader's token dispatch: groups, destinations and the control words
// of characters, paragraphs, breaks and tables.
#include "publish/help_reader.h"

#include <array>
#include <string_view>

namespace zek {

namespace {

// Groups deeper than this are read and dropped: a page has no use for them,
// and the reader keeps a bounded state on any input.
constexpr size_t kMaxDepth = 256;

// Destinations whose text is no part of the page.
constexpr std::array<std::string_view, 26> kSkippedDestinations = {
    "stylesheet", "info",      "pict",      "object",  "header",    "footer",
    "headerl",    "headerr",   "headerf",   "footerl", "footerr",   "footerf",
    "xe",         "tc",        "filetbl",   "revtbl",  "listtable", "listoverridetable",
    "rsidtbl",    "generator", "themedata", "fldinst", "datastore", "latentstyles",
    "bkmkstart",  "bkmkend",
};

bool is_skipped_destination(std::string_view word) {
  for (std::string_view skipped : kSkippedDestinations) {
    if (word == skipped) return true;
  }
  return false;
}

// A switch word: on without a number or with a non-zero one.
bool switch_on(bool has_number, int32_t number) {
  return !has_number || number != 0;
}

int32_t non_negative(int32_t value) {
  return value < 0 ? 0 : value;
}

}  // namespace

HelpReader::HelpReader(RtfSource& source) : tokenizer_(source) {
  groups_.emplace_back();
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
  topic = std::move(topic_);
  topic_ = Topic();
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

void HelpReader::close_group() {
  ignorable_ = false;
  if (groups_.size() == 1) return;  // an unbalanced "}" closes nothing
  const GroupState closed = groups_.back();
  groups_.pop_back();
  switch (closed.destination) {
    case Destination::footnote:
      if (state().destination != Destination::footnote) finish_footnote();
      break;
    case Destination::bitmap:
      if (state().destination != Destination::bitmap) {
        finish_bitmap(closed.bitmap_placement, closed.bitmap_transparent);
      }
      break;
    case Destination::font_table:
      if (font_started_) font_table_text(";");
      break;
    default:
      break;
  }
  if (closed.chr.hidden && !state().chr.hidden) finish_hidden();
}

void HelpReader::control_word(const RtfToken& token) {
  const bool ignorable = ignorable_;
  ignorable_ = false;
  const std::string& word = token.word;
  if (state().destination == Destination::skip) return;
  if (destination_word(word)) return;
  if (ignorable) {  // "{\*\unknown ...}": a destination this reader does not know
    state().destination = Destination::skip;
    return;
  }
  GroupState& group = state();
  if (group.destination == Destination::footnote) return;
  if (group.destination == Destination::font_table) {
    if (word == "f") {
      font_ = FontEntry();
      font_.number = token.number;
      font_started_ = true;
    } else if (word == "fcharset") {
      font_.charset = token.number;
    } else if (word.size() > 1 && word[0] == 'f' && !token.has_number) {
      font_.family = word.substr(1);
    }
    return;
  }
  if (group.destination == Destination::color_table) {
    const uint8_t value = static_cast<uint8_t>(token.number < 0 ? 0 : token.number & 0xFF);
    if (word == "red") color_.red = value;
    if (word == "green") color_.green = value;
    if (word == "blue") color_.blue = value;
    color_set_ = color_set_ || word == "red" || word == "green" || word == "blue";
    return;
  }
  if (character_word(word, token.has_number, token.number)) return;
  if (paragraph_word(word, token.has_number, token.number)) return;
  if (break_word(word)) return;
  table_word(word, token.number);
}

bool HelpReader::destination_word(const std::string& word) {
  GroupState& group = state();
  if (word == "fonttbl") {
    group.destination = Destination::font_table;
    font_started_ = false;
  } else if (word == "colortbl") {
    group.destination = Destination::color_table;
    tables_.colors.clear();
    color_ = Color();
    color_set_ = false;
  } else if (word == "footnote") {
    if (group.destination != Destination::body) {
      group.destination = Destination::skip;
      return true;
    }
    // The reference mark before the group is no text of the page.
    finish_hidden();
    footnote_mark_ = 0;
    if (!paragraph_.pieces.empty() && paragraph_.pieces.back().kind == PieceKind::text) {
      std::string& text = paragraph_.pieces.back().text;
      if (!text.empty() && static_cast<unsigned char>(text.back()) < 0x80) {
        footnote_mark_ = text.back();
        text.pop_back();
      }
      if (text.empty()) paragraph_.pieces.pop_back();
    }
    group.destination = Destination::footnote;
    footnote_.clear();
  } else if (word == "bmc" || word == "bml" || word == "bmr" || word == "bmct" || word == "bmlt" ||
             word == "bmrt") {
    if (group.destination != Destination::body) return true;
    group.destination = Destination::bitmap;
    group.bitmap_placement = word[2] == 'l'   ? BitmapPlacement::left
                             : word[2] == 'r' ? BitmapPlacement::right
                                              : BitmapPlacement::character;
    group.bitmap_transparent = word.size() == 4;
    bitmap_.clear();
  } else if (is_skipped_destination(word)) {
    group.destination = Destination::skip;
  } else {
    return false;
  }
  return true;
}

bool HelpReader::character_word(const std::string& word, bool has_number, int32_t number) {
  CharStyle& chr = state().chr;
  const bool on = switch_on(has_number, number);
  const bool was_hidden = chr.hidden;
  if (word == "plain") {
    chr = CharStyle();
  } else if (word == "b") {
    chr.bold = on;
  } else if (word == "i") {
    chr.italic = on;
  } else if (word == "ul") {
    chr.underline = on;
  } else if (word == "ulnone") {
    chr.underline = false;
    chr.double_underline = false;
  } else if (word == "uldb") {
    chr.double_underline = on;
  } else if (word == "strike") {
    chr.strike = on;
  } else if (word == "v") {
    chr.hidden = on;
  } else if (word == "scaps") {
    chr.small_caps = on;
  } else if (word == "caps") {
    chr.caps = on;
  } else if (word == "f") {
    chr.font = number;
  } else if (word == "fs") {
    chr.size = non_negative(number);
  } else if (word == "cf") {
    chr.color = non_negative(number);
  } else {
    return false;
  }
  if (was_hidden && !chr.hidden) finish_hidden();
  return true;
}

bool HelpReader::paragraph_word(const std::string& word, bool has_number, int32_t number) {
  ParaStyle& para = state().para;
  const bool on = switch_on(has_number, number);
  if (word == "pard") {
    para = ParaStyle();
  } else if (word == "li") {
    para.left_indent = number;
  } else if (word == "ri") {
    para.right_indent = number;
  } else if (word == "fi") {
    para.first_indent = number;
  } else if (word == "sb") {
    para.space_before = non_negative(number);
  } else if (word == "sa") {
    para.space_after = non_negative(number);
  } else if (word == "sl") {
    para.line_spacing = number;
  } else if (word == "ql" || word == "qr" || word == "qc" || word == "qj") {
    para.alignment = word[1] == 'l'   ? Alignment::left
                     : word[1] == 'r' ? Alignment::right
                     : word[1] == 'c' ? Alignment::center
                                      : Alignment::justify;
  } else if (word == "keep") {
    para.no_wrap = on;
  } else if (word == "keepn") {
    para.non_scroll = on;
  } else if (word == "intbl") {
    para.in_table = on;
  } else if (word == "box") {
    para.border_top = para.border_bottom = para.border_left = para.border_right = true;
  } else if (word == "brdrt" || word == "brdrb" || word == "brdrl" || word == "brdrr") {
    bool& side = word[4] == 't'   ? para.border_top
                 : word[4] == 'b' ? para.border_bottom
                 : word[4] == 'l' ? para.border_left
                                  : para.border_right;
    side = true;
  } else if (word == "brdrs" || word == "brdrdb" || word == "brdrth" || word == "brdrdot" ||
             word == "brdrsh") {
    para.border_line = word == "brdrdb"    ? BorderLine::double_line
                       : word == "brdrth"  ? BorderLine::thick
                       : word == "brdrdot" ? BorderLine::dotted
                       : word == "brdrsh"  ? BorderLine::shadow
                                           : BorderLine::single;
  } else if (word == "tx" || word == "tqr" || word == "tqc") {
    // "\tqr" and "\tqc" stand before the "\tx" of the stop they qualify.
    if (word == "tx") {
      if (para.tabs.size() < 64) para.tabs.push_back({non_negative(number), Alignment::left});
      if (pending_tab_ != Alignment::left && !para.tabs.empty()) {
        para.tabs.back().alignment = pending_tab_;
      }
      pending_tab_ = Alignment::left;
    } else {
      pending_tab_ = word == "tqr" ? Alignment::right : Alignment::center;
    }
  } else {
    return false;
  }
  return true;
}

bool HelpReader::break_word(const std::string& word) {
  if (word == "par") {
    end_paragraph();
  } else if (word == "line") {
    add_piece(Piece{PieceKind::line_break, state().chr});
  } else if (word == "tab") {
    add_piece(Piece{PieceKind::tab, state().chr});
  } else if (word == "page") {
    end_topic();
  } else if (word == "emdash" || word == "endash") {
    add_text("\x81\x5C");  // the dash of code page 932
  } else if (word == "bullet") {
    add_text("\x81\x45");  // the middle dot
  } else if (word == "lquote" || word == "rquote") {
    add_text(word == "lquote" ? "\x81\x65" : "\x81\x66");
  } else if (word == "ldblquote" || word == "rdblquote") {
    add_text(word == "ldblquote" ? "\x81\x67" : "\x81\x68");
  } else {
    return false;
  }
  return true;
}

bool HelpReader::table_word(const std::string& word, int32_t number) {
  if (word == "trowd") {
    row_ = TableRow();
  } else if (word == "cellx") {
    if (row_.cell_edges.size() < 64) row_.cell_edges.push_back(number);
  } else if (word == "trgaph") {
    row_.gap = non_negative(number);
  } else if (word == "trleft") {
    row_.left = number;
  } else if (word == "cell") {
    end_cell();
  } else if (word == "row") {
    end_row();
  } else {
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
