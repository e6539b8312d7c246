// Follows the RTF document as pass 2 writes it, for -C: whether output stays
// between .start and .end, whether the braces of raw RTF balance within each
// topic, and whether character formatting set outside any group carries from
// one topic into the next.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checks/check_log.h"

namespace zek {

// A character setting that holds until it is changed: its value and the
// source words and place that set it.
struct CharacterSetting {
  std::optional<int32_t> value;
  std::string words;  // ".font 1", "\fs20"
  SourcePlace place;
};

class DocumentWatch {
 public:
  explicit DocumentWatch(std::vector<FindingRecord>& findings) : findings_(findings) {}

  // Bytes other than .start's were written at `place`.
  void output(const SourcePlace& place);
  // .start wrote "{\rtf1 \ansi"; .end wrote its closing "}".
  void start();
  void end();
  // A header opened a topic; a page ended ("{\page }" of a header, .page
  // or .end).
  void topic();
  void page();
  // Raw RTF written at `place`; `in_group` when the converter has a group of
  // its own open around it (an indent, a non-scrolling region, a framed line).
  void raw(std::string_view rtf, bool in_group, const SourcePlace& place);
  // .font or .size written without a group around it (kUnset when not given).
  void font_and_size(int32_t font, int32_t size, bool in_group, const SourcePlace& place);
  // The top source file ended at `place`, with `open_groups` groups of the
  // converter's own (indents, a non-scrolling region) still open.
  void source_end(const SourcePlace& place, uint32_t open_groups);

 private:
  enum Attribute { kFont, kSize, kColour, kAttributes };

  void add(Finding kind, const SourcePlace& place, uint32_t count = 0);
  void close_segment();
  void set(Attribute attribute, std::optional<int32_t> value, std::string words,
           const SourcePlace& place);
  void raw_control_word(std::string_view name, std::optional<int32_t> parameter,
                        const SourcePlace& place);
  void report_leak();

  std::vector<FindingRecord>& findings_;
  // .start and .end.
  bool started_ = false;
  bool ended_ = false;
  bool reported_no_start_ = false;
  bool reported_after_end_ = false;
  // Raw "{" not yet closed in the current topic, and the document's depth:
  // .start and .end, and every raw brace.
  std::vector<SourcePlace> open_raw_;
  bool in_topics_ = false;
  int64_t depth_ = 0;
  // Character settings now, and as they were at the current topic's header.
  // The defaults: the document's font (\deff), 12 points, the automatic
  // colour.
  int32_t default_font_ = 0;
  std::array<CharacterSetting, kAttributes> now_ = {
      CharacterSetting{0, {}, {}}, CharacterSetting{24, {}, {}}, CharacterSetting{0, {}, {}}};
  std::array<std::optional<int32_t>, kAttributes> at_header_{};
};

}  // namespace zek
