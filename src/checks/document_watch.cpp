// The running document checks: the bounds .start and .end set, raw braces
// matched within their topic, and character settings compared header to
// header.
#include "checks/document_watch.h"

#include <algorithm>

#include "base/cat.h"
#include "rtf/tokenizer.h"

namespace zek {

namespace {

constexpr int32_t kNotGiven = -1;

// "a", "a and b", "a, b and c".
std::string join_words(const std::vector<std::string>& words) {
  std::string text;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += i + 1 == words.size() ? " and " : ", ";
    text += words[i];
  }
  return text;
}

}  // namespace

void DocumentWatch::add(Finding kind, const SourcePlace& place, uint32_t count) {
  FindingRecord record;
  record.kind = kind;
  record.count = count;
  record.place = place;
  findings_.push_back(std::move(record));
}

void DocumentWatch::output(const SourcePlace& place) {
  if (!started_ && !reported_no_start_) {
    reported_no_start_ = true;
    add(Finding::no_start, place);
  }
  if (ended_ && !reported_after_end_) {
    reported_after_end_ = true;
    add(Finding::output_after_end, place);
  }
}

void DocumentWatch::start() {
  started_ = true;
  ++depth_;
}

void DocumentWatch::end() {
  close_segment();
  ended_ = true;
  --depth_;
}

// Each raw "{" still open when its topic (or the part before the first
// header) ends is reported once per source line.
void DocumentWatch::close_segment() {
  const Finding kind = in_topics_ ? Finding::raw_group_open : Finding::raw_group_open_before_topics;
  uint32_t last_sequence = UINT32_MAX;
  for (const SourcePlace& place : open_raw_) {
    if (place.sequence == last_sequence) continue;
    last_sequence = place.sequence;
    add(kind, place);
  }
  open_raw_.clear();
}

void DocumentWatch::topic() {
  close_segment();
  if (in_topics_) report_leak();
  in_topics_ = true;
  for (size_t i = 0; i < kAttributes; ++i) at_header_[i] = now_[i].value;
}

void DocumentWatch::page() {
  close_segment();
}

// Once per topic: the settings whose value at this header differs from the
// one at the topic's own header, at the place of the earliest of them.
void DocumentWatch::report_leak() {
  std::vector<std::string> words;
  const SourcePlace* first = nullptr;
  for (size_t i = 0; i < kAttributes; ++i) {
    const CharacterSetting& setting = now_[i];
    if (setting.value == at_header_[i]) continue;
    if (std::find(words.begin(), words.end(), setting.words) == words.end()) {
      words.push_back(setting.words);
    }
    if (first == nullptr || setting.place.sequence < first->sequence) first = &setting.place;
  }
  if (first == nullptr) return;
  FindingRecord record;
  record.kind = Finding::format_leak;
  record.detail = join_words(words);
  record.count = static_cast<uint32_t>(words.size());
  record.place = *first;
  findings_.push_back(std::move(record));
}

void DocumentWatch::set(Attribute attribute, std::optional<int32_t> value, std::string words,
                        const SourcePlace& place) {
  now_[attribute] = CharacterSetting{value, std::move(words), place};
}

void DocumentWatch::font_and_size(int32_t font, int32_t size, bool in_group,
                                  const SourcePlace& place) {
  if (in_group || !open_raw_.empty()) return;
  if (font != kNotGiven) set(kFont, font, cat(".font ", static_cast<uint32_t>(font)), place);
  if (size != kNotGiven) {
    set(kSize, static_cast<int32_t>(static_cast<uint32_t>(size) * 2u),
        cat(".size ", static_cast<uint32_t>(size)), place);
  }
}

// \f, \fs and \cf outside any group set the document's font, size and
// colour; \plain sets all three back to the defaults; \deff names the
// default font.
void DocumentWatch::raw_control_word(std::string_view name, std::optional<int32_t> parameter,
                                     const SourcePlace& place) {
  const std::string words = parameter ? cat('\\', name, *parameter) : cat('\\', name);
  if (name == "f") {
    set(kFont, parameter.value_or(0), words, place);
  } else if (name == "fs") {
    set(kSize, parameter.value_or(24), words, place);
  } else if (name == "cf") {
    set(kColour, parameter.value_or(0), words, place);
  } else if (name == "deff") {
    default_font_ = parameter.value_or(0);
    if (now_[kFont].words.empty()) now_[kFont].value = default_font_;
  } else if (name == "plain") {
    set(kFont, default_font_, words, place);
    set(kSize, 24, words, place);
    set(kColour, 0, words, place);
  }
}

void DocumentWatch::raw(std::string_view rtf, bool in_group, const SourcePlace& place) {
  RtfLineTokenizer tokens(rtf);
  RtfLineToken token;
  bool reported_close = false;
  while (tokens.next(token)) {
    switch (token.kind) {
      case RtfLineTokenKind::group_open:
        open_raw_.push_back(place);
        ++depth_;
        break;
      case RtfLineTokenKind::group_close:
        --depth_;
        if (!open_raw_.empty()) {
          open_raw_.pop_back();
        } else if (!reported_close) {
          reported_close = true;
          add(Finding::raw_group_close, place);
        }
        break;
      case RtfLineTokenKind::control_word:
        if (!in_group && open_raw_.empty()) raw_control_word(token.name, token.parameter, place);
        break;
      case RtfLineTokenKind::control_symbol:
      case RtfLineTokenKind::text:
        break;
    }
  }
}

void DocumentWatch::source_end(const SourcePlace& place, uint32_t open_groups) {
  close_segment();
  if (!ended_) add(Finding::no_end, place);
  // The document as a whole, when neither of its ends is missing.
  if (!ended_ || !started_ || reported_no_start_) return;
  const int64_t depth = depth_ + open_groups;
  if (depth > 0) add(Finding::document_open, place, static_cast<uint32_t>(depth));
  if (depth < 0) add(Finding::document_overclosed, place, static_cast<uint32_t>(-depth));
}

}  // namespace zek
