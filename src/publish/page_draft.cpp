// The single page's draft: topics written with marks where the index decides.
#include "publish/page_draft.h"

#include <array>
#include <utility>

#include "base/cat.h"
#include "publish/help_reader.h"
#include "publish/page_names.h"

namespace zek {

namespace {

// The draft is written out once this much of it is composed.
constexpr size_t kFlushSize = size_t{1} << 16;

// The number of `name` in `numbers`, given to it at its first use.
template <typename Numbers>
uint32_t number_of(Numbers& numbers, std::vector<std::string>& names, std::string_view name) {
  const auto found = numbers.find(name);
  if (found != numbers.end()) return found->second;
  const auto number = static_cast<uint32_t>(names.size());
  names.emplace_back(name);
  numbers.emplace(names.back(), number);
  return number;
}

constexpr uint8_t kReachedByPopup = 1;
constexpr uint8_t kReachedByJump = 2;

}  // namespace

char link_digit(LinkKind kind, LinkLook look) {
  const int look_number = look == LinkLook::plain ? 1 : look == LinkLook::no_underline ? 2 : 0;
  return static_cast<char>('0' + (kind == LinkKind::popup ? 3 : 0) + look_number);
}

LinkKind link_kind_of(char digit) {
  return digit >= '3' ? LinkKind::popup : LinkKind::jump;
}

LinkLook link_look_of(char digit) {
  switch ((digit - '0') % 3) {
    case 1:
      return LinkLook::plain;
    case 2:
      return LinkLook::no_underline;
    default:
      return LinkLook::normal;
  }
}

PageDrafter::PageDrafter(Utf8Converter to_utf8, bool link_brackets) : html_(*this, tables_) {
  html_.set_link_brackets(link_brackets);
  draft_.text = std::make_unique<TemporaryBytes>();
  draft_.encoder = PageEncoder(std::move(to_utf8));
}

void PageDrafter::set_tables(const DocumentTables& tables) {
  if (tables.changes != tables_.changes) tables_ = tables;
}

void PageDrafter::topic(const Topic& topic) {
  // The hot spots are told to the index as the draft meets them.
  draft_.index.add(topic, HelpIndex::TopicLinks::told);
  TopicDraftInfo info;
  info.has_non_scrolling = !topic.non_scrolling.empty();
  const bool has_anchor = !draft_.index.topic(draft_.index.size() - 1).inner.empty();
  if (has_anchor) {
    for_each_piece(topic.blocks, [&info, &topic](const Piece& piece) {
      if (piece.kind == PieceKind::anchor) {
        info.landing_keys.push_back(lookup_key(topic.text_of(piece)));
      }
    });
  }
  draft_.topics.push_back(std::move(info));

  append(out_, kDraftMark, 'T');
  html_.begin_topic(topic);
  if (topic.title.empty()) {
    append(out_, kDraftMark, 'C');
  } else {
    append_caption(out_, topic.title);
  }
  append_entry_macros(out_, topic);
  // A jump may land inside the text: the region is named for the landing rule.
  const char region_mark[] = {kDraftMark, 'N', '\0'};
  append_topic_text(out_, topic, html_, has_anchor ? region_mark : "");
  append(out_, kDraftMark, 'E');
  if (out_.size() >= kFlushSize) flush();
}

void PageDrafter::link_open(std::string& out, const TargetText& target, std::string_view window) {
  const uint32_t context = context_numbers_.number(target.context, draft_.contexts);
  if (context == reached_.size()) reached_.push_back(0);
  reached_[context] |= target.kind == LinkKind::popup ? kReachedByPopup : kReachedByJump;
  const uint32_t window_number = window.empty() ? 0 : number_of_window(window) + 1;
  std::array<char, 3 + 2 * kMarkNumberWidth> mark{kDraftMark, 'L',
                                                  link_digit(target.kind, target.look)};
  put_mark_number(mark.data() + 3, context);
  put_mark_number(mark.data() + 3 + kMarkNumberWidth, window_number);
  out.append(mark.data(), mark.size());
}

// Hot spots that open in a window mostly name the one the last named.
uint32_t PageDrafter::number_of_window(std::string_view window) {
  if (last_window_number_ == 0 || draft_.windows[last_window_number_ - 1] != window) {
    last_window_number_ = number_of(window_numbers_, draft_.windows, window) + 1;
  }
  return last_window_number_ - 1;
}

void PageDrafter::link_close(std::string& out) {
  append(out, kDraftMark, 'l');
}

void PageDrafter::bitmap(std::string& out, BitmapPlacement placement, std::string_view name) {
  const char side = placement == BitmapPlacement::left    ? 'l'
                    : placement == BitmapPlacement::right ? 'r'
                                                          : 'c';
  std::array<char, 3 + kMarkNumberWidth> mark{kDraftMark, 'B', side};
  put_mark_number(mark.data() + 3, number_of(bitmap_numbers_, draft_.bitmaps, name));
  out.append(mark.data(), mark.size());
}

void PageDrafter::flush() {
  if (!draft_.text->append(draft_.encoder.encoded(out_))) draft_.failed = true;
  out_.clear();
}

PageDraft PageDrafter::finish() {
  flush();
  draft_.encoder.release_buffer();
  for (size_t context = 0; context < reached_.size(); ++context) {
    if ((reached_[context] & kReachedByPopup) != 0) {
      draft_.index.add_link_target(LinkKind::popup, draft_.contexts[context]);
    }
    if ((reached_[context] & kReachedByJump) != 0) {
      draft_.index.add_link_target(LinkKind::jump, draft_.contexts[context]);
    }
  }
  draft_.text->close();
  return std::move(draft_);
}

PageDraft draft_page(RtfSource& source, Utf8Converter to_utf8, bool link_brackets) {
  HelpReader reader(source);
  PageDrafter drafter(std::move(to_utf8), link_brackets);
  Topic topic;
  while (reader.next_topic(topic)) {
    drafter.set_tables(reader.tables());
    drafter.topic(topic);
  }
  return drafter.finish();
}

}  // namespace zek
