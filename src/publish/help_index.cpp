// The help-wide tables of the first read.
#include "publish/help_index.h"

#include <algorithm>
#include <map>

#include "base/sjis.h"
#include "publish/help_reader.h"
#include "publish/page_names.h"
#include "publish/publish.h"

namespace zek {

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

}  // namespace

void HelpIndex::set_popup_contexts(std::unordered_set<std::string> keys) {
  popup_contexts_ = std::move(keys);
}

void HelpIndex::add(const Topic& topic, TopicLinks links) {
  const size_t index = topics_.size();
  TopicEntry entry;
  entry.title = topic.title;
  for (const std::string& context : topic.contexts) {
    if (by_context_.emplace(lookup_key(context), index).second) entry.contexts.push_back(context);
  }
  entry.page = entry.contexts.empty() ? anonymous_page_name(index) : page_name(entry.contexts[0]);
  most_contexts_ = std::max(most_contexts_, entry.contexts.size());
  std::string key;
  if (!topic.browse.empty()) {
    entry.in_browse = true;
    const size_t colon = mbs_strchr(topic.browse, ':');
    if (colon == std::string::npos) {
      key = topic.browse;
    } else {
      entry.browse_group = topic.browse.substr(0, colon);
      key = topic.browse.substr(colon + 1);
    }
  }
  for (const std::string& keyword : topic.keywords) {
    std::vector<size_t>& list = keyword_topics_[keyword];
    if (list.empty() || list.back() != index) list.push_back(index);
  }
  for_each_piece(topic, [&](const Piece& piece) {
    if (piece.kind == PieceKind::anchor) entry.inner.insert(lookup_key(topic.text_of(piece)));
  });
  if (links == TopicLinks::read) {
    for_each_index_link(
        topic, [this](LinkKind kind, std::string_view context) { add_link_target(kind, context); });
  }
  topics_.push_back(std::move(entry));
  browse_keys_.push_back(std::move(key));
}

void HelpIndex::add_link_target(LinkKind kind, std::string_view context) {
  auto& targets = kind == LinkKind::popup ? popup_targets_ : jump_targets_;
  if (!targets.contains(context)) targets.emplace(context);
}

std::optional<size_t> HelpIndex::find(std::string_view context) const {
  const auto found = by_context_.find(context);
  if (found == by_context_.end()) return std::nullopt;
  return found->second;
}

void HelpIndex::finish() {
  // Popups: opened by a .popup header, or reached by popup hot spots only.
  for (TopicEntry& entry : topics_) {
    bool popup_target = false;
    bool jump_target = false;
    bool header = false;
    for (const std::string& context : entry.contexts) {
      header = header || popup_contexts_.contains(lookup_key(context));
      popup_target = popup_target || popup_targets_.contains(context);
      jump_target = jump_target || jump_targets_.contains(context);
    }
    entry.popup = !entry.in_browse && (header || (popup_target && !jump_target));
  }
  first_topic_ = 0;
  for (size_t i = 0; i < topics_.size(); ++i) {
    if (!topics_[i].popup) {
      first_topic_ = i;
      break;
    }
  }
  // Browse sequences, each ordered by its sort string (source order on ties),
  // and the contents: topics in source order, a sequence as a book where its
  // first topic stands.
  std::map<std::string, std::vector<size_t>> groups;
  for (size_t i = 0; i < topics_.size(); ++i) {
    if (topics_[i].in_browse) groups[topics_[i].browse_group].push_back(i);
  }
  previous_.assign(topics_.size(), kNone);
  next_.assign(topics_.size(), kNone);
  std::map<std::string, bool> book_written;
  for (auto& [group, members] : groups) {
    std::stable_sort(members.begin(), members.end(),
                     [&](size_t a, size_t b) { return browse_keys_[a] < browse_keys_[b]; });
    for (size_t k = 0; k + 1 < members.size(); ++k) {
      next_[members[k]] = members[k + 1];
      previous_[members[k + 1]] = members[k];
    }
  }
  for (size_t i = 0; i < topics_.size(); ++i) {
    const TopicEntry& entry = topics_[i];
    if (entry.popup) continue;
    if (!entry.in_browse) {
      contents_.push_back(ContentsEntry{std::string(), {i}});
      continue;
    }
    if (book_written[entry.browse_group]) continue;
    book_written[entry.browse_group] = true;
    const std::string name = entry.browse_group.empty() ? std::string("-") : entry.browse_group;
    contents_.push_back(ContentsEntry{name, groups[entry.browse_group]});
  }
  // The keyword index, sorted by the keywords' bytes.
  keywords_.clear();
  for (auto& [keyword, list] : keyword_topics_) keywords_.push_back(KeywordEntry{keyword, list});
  std::sort(keywords_.begin(), keywords_.end(),
            [](const KeywordEntry& a, const KeywordEntry& b) { return a.keyword < b.keyword; });
  keyword_topics_.clear();
}

std::optional<size_t> HelpIndex::previous(size_t index) const {
  if (index >= previous_.size() || previous_[index] == kNone) return std::nullopt;
  return previous_[index];
}

std::optional<size_t> HelpIndex::next(size_t index) const {
  if (index >= next_.size() || next_[index] == kNone) return std::nullopt;
  return next_[index];
}

void HelpIndex::add_topics(RtfSource& source, size_t resume_every) {
  HelpReader reader(source, ReadFor::index);
  Topic topic;
  size_t stride = std::max<size_t>(resume_every, 1);
  while (reader.next_topic(topic)) {
    add(topic);
    if (topics_.size() % stride != 0) continue;
    if (places_.size() == kMaxResumePlaces) {
      // Every other place goes, those at odd multiples of the stride.
      for (size_t k = 1; k < places_.size(); k += 2) places_[k / 2] = std::move(places_[k]);
      places_.resize(places_.size() / 2);
      stride *= 2;
      if (topics_.size() % stride != 0) continue;
    }
    places_.push_back(reader.place(topics_.size()));
  }
  document_size_ = reader.offset();
}

HelpIndex index_help(const PublishJob& job) {
  std::optional<HelpIndex> early = job.early_index ? job.early_index() : std::nullopt;
  HelpIndex help = early ? std::move(*early) : HelpIndex();
  if (!early) help.add_topics(*job.open_rtf());
  help.set_popup_contexts(job.popup_contexts);
  help.finish();
  return help;
}

}  // namespace zek
