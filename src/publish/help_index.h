// What is help-wide, collected as the document is read (a project's first
// read, or the single page's one read, topic by topic): every topic's
// title, page name and context strings, which topics are popups, the browse
// sequences in their order, and the keyword index. A project's page writers
// read it while the second read hands them one topic at a time; the single
// page's assembly writes with it what its draft left open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "publish/help_reader.h"
#include "publish/model.h"
#include "publish/page_names.h"
#include "rtf/tokenizer.h"

namespace zek {

struct TopicEntry {
  std::string title;
  std::string page;                       // page name: of its first context string
  std::vector<std::string> contexts;      // "#" footnotes it defines first
  std::unordered_set<std::string> inner;  // keys of those that stand inside its text
  std::string browse_group;               // "" when in no browse sequence
  bool in_browse = false;
  bool popup = false;
};

struct KeywordEntry {
  std::string keyword;
  std::vector<size_t> topics;  // in source order
};

// An entry of the contents: a topic, or a browse sequence shown as a book.
struct ContentsEntry {
  std::string book;            // the browse group's name; empty for a topic
  std::vector<size_t> topics;  // one topic, or the book's topics in order
};

class HelpIndex {
 public:
  // Context strings that a header opened as a popup (known to the
  // converter); other topics are popups when only popup hot spots lead there.
  void set_popup_contexts(std::unordered_set<std::string> keys);

  // Whether add() looks for the hot spots of a topic, or the caller tells
  // where they lead with add_link_target().
  enum class TopicLinks : uint8_t { read, told };

  // First read: one call per topic, in document order; or every topic of
  // the document `source` holds, read for the index only.
  void add(const Topic& topic, TopicLinks links = TopicLinks::read);
  // A hot spot of kind `kind` leads to `context` (a jump or popup within
  // this help), for topics added with TopicLinks::told.
  void add_link_target(LinkKind kind, std::string_view context);
  // Reading the document keeps a place to resume at every `resume_every`
  // topics, and fewer, evenly spread, in a longer help (resume_places()).
  void add_topics(RtfSource& source, size_t resume_every = kResumeEvery);
  // After the first read: decides popups, orders browse sequences, sorts keywords.
  void finish();

  size_t size() const { return topics_.size(); }
  const TopicEntry& topic(size_t index) const { return topics_[index]; }
  // The topic that defines `context` (letter case ignored); none when no topic does.
  std::optional<size_t> find(std::string_view context) const;
  std::optional<size_t> previous(size_t index) const;
  std::optional<size_t> next(size_t index) const;
  const std::vector<KeywordEntry>& keywords() const { return keywords_; }
  const std::vector<ContentsEntry>& contents() const { return contents_; }
  // The most context strings any topic defines (for the page's anchor rules).
  size_t most_contexts() const { return most_contexts_; }
  // The first topic that is no popup (the help's default topic); 0 when all are.
  size_t first_topic() const { return first_topic_; }

  // Places between topics where a pages read can resume, in document order
  // (from add_topics()); at most kMaxResumePlaces of them.
  const std::vector<ReaderPlace>& resume_places() const { return places_; }
  // The length of the document add_topics() read, in bytes.
  uint64_t document_size() const { return document_size_; }

  static constexpr size_t kResumeEvery = 16;
  static constexpr size_t kMaxResumePlaces = 64;

 private:
  std::vector<TopicEntry> topics_;
  std::vector<std::string> browse_keys_;
  std::unordered_map<std::string, size_t, ContextKeyHash, ContextKeyEqual> by_context_;
  std::unordered_set<std::string> popup_contexts_;
  // Context strings hot spots lead to, as first spelt (found in any spelling).
  std::unordered_set<std::string, ContextKeyHash, ContextKeyEqual> popup_targets_;
  std::unordered_set<std::string, ContextKeyHash, ContextKeyEqual> jump_targets_;
  std::unordered_map<std::string, std::vector<size_t>> keyword_topics_;
  std::vector<KeywordEntry> keywords_;
  std::vector<ContentsEntry> contents_;
  std::vector<size_t> previous_;
  std::vector<size_t> next_;
  size_t most_contexts_ = 0;
  size_t first_topic_ = 0;
  std::vector<ReaderPlace> places_;
  uint64_t document_size_ = 0;
};

// Calls `visit` for every piece of a list of blocks, tables included.
template <typename Visit>
void for_each_piece(const std::vector<Block>& list, Visit&& visit) {
  for (const Block& block : list) {
    if (!block.is_table) {
      for (const Piece& piece : block.paragraph.pieces) visit(piece);
      continue;
    }
    for (const TableRow& row : block.rows) {
      for (const TableCell& cell : row.cells) {
        for (const Paragraph& paragraph : cell.paragraphs) {
          for (const Piece& piece : paragraph.pieces) visit(piece);
        }
      }
    }
  }
}

// Calls `visit` for every piece of a topic: its non-scrolling region, then its text.
template <typename Visit>
void for_each_piece(const Topic& topic, Visit&& visit) {
  for_each_piece(topic.non_scrolling, visit);
  for_each_piece(topic.blocks, visit);
}

// Calls `visit(kind, context)` for every hot spot of a topic that leads to
// a topic of this help: a jump or popup, into no other file. A read for the
// index records them apart; a read for the pages keeps them in the pieces.
template <typename Visit>
void for_each_index_link(const Topic& topic, Visit&& visit) {
  for (const IndexLink& link : topic.index_links) visit(link.kind, link.context);
  for_each_piece(topic, [&visit, &topic](const Piece& piece) {
    if (piece.kind != PieceKind::hot_spot || !piece.has_target()) return;
    const TargetText target = topic.target_of(piece);
    if (target.kind != LinkKind::macro && target.file.empty()) visit(target.kind, target.context);
  });
}

}  // namespace zek
