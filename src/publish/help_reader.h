// Reads the help compiler's RTF into the document model, one topic at a
// time: "\page" ends a topic, footnotes become its properties, formatted
// text followed by hidden text becomes a hot spot. What a page cannot show
// (unknown control words, skipped destinations) is dropped, never shown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "publish/model.h"
#include "rtf/tokenizer.h"

namespace zek {

enum class ReaderWord : uint8_t;  // the control words the reader knows

// What a read is for. The pages need every piece of every topic; the
// help-wide index needs only a topic's properties, the anchors inside its
// text and where its hot spots lead, so an index read keeps no text
// paragraphs: a topic's `non_scrolling` then holds one paragraph of just
// its anchors, `blocks` its tables, and `index_links` the hot spots that
// lead within this help.
// Both reads find the same topics.
enum class ReadFor : uint8_t { pages, index };

// Everything a read carries from one topic into the next: the font and
// colour tables, the open groups with their formatting and destinations,
// a table row's definition, text not yet finished. A copy taken between two
// topics lets another read resume there (ReaderPlace).
struct HelpReaderCarry {
  enum class Destination { body, skip, font_table, color_table, footnote, bitmap };

  struct GroupState {
    CharStyle chr;
    ParaStyle para;
    Destination destination = Destination::body;
    BitmapPlacement bitmap_placement = BitmapPlacement::character;
    bool bitmap_transparent = false;
  };

  DocumentTables tables_;
  std::vector<GroupState> groups_;
  size_t skipped_depth_ = 0;  // groups too deep to keep, read and dropped
  bool ignorable_ = false;    // "\*" came before the next control word

  Topic topic_;
  bool topic_ready_ = false;     // a "\page" ended a topic with something in it
  size_t topic_blocks_ = 0;      // paragraphs and tables the topic's text holds
  bool topic_has_text_ = false;  // one of them is a table or has pieces
  Paragraph paragraph_;
  std::string hidden_;  // hidden text since the last visible piece
  bool hidden_seen_ = false;
  std::string footnote_;    // the text of the footnote being read
  char footnote_mark_ = 0;  // the reference mark before it
  std::string bitmap_;      // the file name of a {\bmc name} group
  std::string braced_;      // text after "\{" until "\}"
  bool in_braced_ = false;

  bool table_open_ = false;
  Block table_;
  TableRow row_;
  TableCell cell_;

  Alignment pending_tab_ = Alignment::left;  // \tqr or \tqc before a \tx

  FontEntry font_;  // the font table entry being read
  bool font_started_ = false;
  Color color_;
  bool color_set_ = false;
};

// A place between two topics where a read can resume: the byte offset of
// the document from which it goes on, how many topics came before, and the
// carry of the read that stood there.
struct ReaderPlace {
  uint64_t offset = 0;
  size_t topic = 0;
  HelpReaderCarry carry;
};

class HelpReader : private HelpReaderCarry {
 public:
  explicit HelpReader(RtfSource& source, ReadFor purpose = ReadFor::pages);
  // Resumes at `place` (taken by any read of the same document); `source`
  // gives the document's bytes from the place's offset on.
  HelpReader(RtfSource& source, const ReaderPlace& place, ReadFor purpose = ReadFor::pages);

  // Reads the next topic into `topic` (replacing what it held); false when
  // the document holds no further topic.
  bool next_topic(Topic& topic);

  // The font and colour tables read so far.
  const DocumentTables& tables() const { return tables_; }

  // Where the read stands now, after `topics` topics; meaningful between
  // two calls of next_topic().
  ReaderPlace place(size_t topics) const;
  // The offset of the next byte the read takes.
  uint64_t offset() const { return base_offset_ + tokenizer_.offset(); }

 private:
  GroupState& state() { return groups_.back(); }
  void handle(const RtfToken& token);
  void open_group();
  bool read_simple_group();
  void close_group();
  void control_word(const RtfToken& token);
  bool character_word(ReaderWord word, bool has_number, int32_t number);
  static bool apply_character_word(CharStyle& chr, ReaderWord word, bool has_number,
                                   int32_t number);
  bool paragraph_word(ReaderWord word, bool has_number, int32_t number);
  bool break_word(ReaderWord word);
  bool table_word(ReaderWord word, int32_t number);
  bool destination_word(ReaderWord word);
  void begin_footnote();
  void control_symbol(char symbol);
  void text(std::string_view bytes);

  // Body text: hidden text gathers for a hot spot, the rest is shown.
  void body_text(std::string_view bytes, const CharStyle& style);
  // Text shown, in the current character formatting or in `style`.
  void add_text(std::string_view bytes) { add_text(bytes, state().chr); }
  void add_text(std::string_view bytes, const CharStyle& style);
  void add_piece(const Piece& piece);
  TextSpan stored(std::string_view bytes);
  TextSpan extended(TextSpan span, std::string_view bytes);
  TextSpan joined(TextSpan first, TextSpan second);
  TextSpan copied_to_end(TextSpan span);
  void finish_hidden();
  void note_index_link(LinkKind kind);
  LinkTarget& new_target(Piece& piece);
  Paragraph take_paragraph();
  void recycle(Topic& topic);
  void carry_pieces(const Topic& ended);
  void end_paragraph();
  void end_cell();
  void end_row();
  void close_table();
  void end_topic();
  bool topic_has_content() const;
  void keep_index_pieces();

  void finish_footnote();
  void finish_bitmap(BitmapPlacement placement, bool transparent);
  void finish_braced();
  void abandon_braced();
  void font_table_text(std::string_view bytes);
  void color_table_text(std::string_view bytes);

  RtfTokenizer tokenizer_;
  ReadFor purpose_;
  // Emptied piece lists of topics already handed out, for paragraphs to come.
  std::vector<std::vector<Piece>> spare_pieces_;
  uint64_t base_offset_ = 0;  // where the source's first byte stands in the document
};

}  // namespace zek
