// The -C checks: run after pass 2 over the record it kept, each group adding
// its warnings for one kind of record (context strings, footnote lengths,
// jumps and reach, what the running checks found); the warnings are then
// written in source order.
#include "checks/checks.h"

#include <algorithm>
#include <unordered_map>

#include "base/cat.h"
#include "base/sjis.h"
#include "names/context_strings.h"

namespace zek {

namespace {

// Context-string checks: the help compiler rejects a context string defined
// twice, one with characters it does not accept or longer than 255 bytes, and
// two different ones whose hashes are equal.

void check_written_form(const ContextRecord& record, std::vector<CheckWarning>& warnings) {
  if (record.numbered) return;  // XX<n> is always well formed
  const std::string& text = record.context_string;
  if (text.empty()) {
    warnings.push_back({record.place, "empty context string"});
    return;
  }
  if (!has_only_context_string_chars(text)) {
    warnings.push_back({record.place, cat("invalid context string ", text)});
  }
  if (text.size() > kMaxContextStringBytes) {
    warnings.push_back(
        {record.place, cat("context string of ", text.size(), " bytes, longer than 255")});
  }
}

CheckWarning duplicate_warning(const ContextRecord& first, const ContextRecord& later) {
  if (first.numbered && later.numbered && !later.name.empty()) {
    return {later.place, cat("duplicate name ", later.name), first.place};
  }
  return {later.place, cat("duplicate context string ", later.context_string), first.place};
}

bool takes_part_in_hashing(const ContextRecord& record) {
  return has_only_context_string_chars(record.context_string);
}

// Duplicate, invalid, over-long and hash-clashing context strings.
void check_context_strings(const CheckLog& log, std::vector<CheckWarning>& warnings) {
  std::unordered_map<std::string, const ContextRecord*> first_by_key;
  std::unordered_map<uint32_t, const ContextRecord*> first_by_hash;
  for (const ContextRecord& record : log.contexts) {
    check_written_form(record, warnings);
    const std::string key = context_key(record.context_string);
    const auto [known, added] = first_by_key.try_emplace(key, &record);
    if (!added) {
      warnings.push_back(duplicate_warning(*known->second, record));
      continue;
    }
    if (!takes_part_in_hashing(record)) continue;
    const auto [clash, first] =
        first_by_hash.try_emplace(help_context_hash(record.context_string), &record);
    if (!first) {
      const ContextRecord& earlier = *clash->second;
      warnings.push_back({record.place,
                          cat("context string ", record.context_string, " has the same hash as ",
                              earlier.context_string),
                          earlier.place});
    }
  }
}

// Length checks of the footnote texts: the help compiler takes titles of at
// most 127 bytes, keywords of at most 255 and footnotes of at most 1023.

constexpr size_t kMaxTitleBytes = 127;
constexpr size_t kMaxKeywordBytes = 255;
constexpr size_t kMaxFootnoteBytes = 1023;

void check_length(const FootnoteRecord& record, size_t length, std::string_view what, size_t limit,
                  std::vector<CheckWarning>& warnings) {
  if (length <= limit) return;
  warnings.push_back({record.place, cat(what, " of ", length, " bytes, longer than ", limit)});
}

// Each keyword of a "K" footnote: semicolons separate them.
void check_keywords(const FootnoteRecord& record, std::vector<CheckWarning>& warnings) {
  const std::string_view text = record.text;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = mbs_strchr(text, ';', start);
    if (end == std::string_view::npos) end = text.size();
    check_length(record, end - start, "keyword", kMaxKeywordBytes, warnings);
    start = end + 1;
  }
}

// Titles, keywords and footnotes longer than the help compiler takes.
void check_footnote_lengths(const CheckLog& log, std::vector<CheckWarning>& warnings) {
  for (const FootnoteRecord& record : log.footnotes) {
    if (record.mark == '$') {
      check_length(record, record.text.size(), "title", kMaxTitleBytes, warnings);
      continue;
    }
    if (record.mark == 'K') check_keywords(record, warnings);
    check_length(record, record.text.size(), "footnote", kMaxFootnoteBytes, warnings);
  }
}

// Jump checks: a raw jump must name a context string the project defines, and
// every topic must be reachable. A topic counts as reached by a hot spot or a
// jump to one of its context strings, by a keyword or a browse footnote, by a
// context string the application knows (.id, .idx, an "@" name), and, for the
// first topic, by being the help file's contents topic.

void mark(std::vector<bool>& reached, int32_t topic) {
  if (topic >= 0 && static_cast<size_t>(topic) < reached.size()) {
    reached[static_cast<size_t>(topic)] = true;
  }
}

// The topic of each defined context string (its first definition).
std::unordered_map<std::string, int32_t> topics_by_key(const CheckLog& log) {
  std::unordered_map<std::string, int32_t> topics;
  for (const ContextRecord& record : log.contexts) {
    topics.try_emplace(context_key(record.context_string), record.topic);
  }
  return topics;
}

void mark_named_and_indexed(const CheckLog& log, std::vector<bool>& reached) {
  if (!reached.empty()) reached[0] = true;
  for (const FootnoteRecord& record : log.footnotes) {
    if (record.mark == 'K' || record.mark == '+') mark(reached, record.topic);
  }
  for (const ContextRecord& record : log.contexts) {
    if (record.from_application) mark(reached, record.topic);
  }
}

// Raw jumps to undefined context strings, and topics nothing reaches.
void check_jumps_and_reach(const CheckLog& log, std::vector<CheckWarning>& warnings) {
  const std::unordered_map<std::string, int32_t> defined = topics_by_key(log);
  std::vector<bool> reached(log.topics.size(), false);
  mark_named_and_indexed(log, reached);
  for (const std::string& key : log.jump_targets) {
    if (auto it = defined.find(key); it != defined.end()) mark(reached, it->second);
  }
  for (size_t number = 0; number < log.hot_spot_entries.size(); ++number) {
    if (!log.hot_spot_entries[number]) continue;
    if (auto it = defined.find(cat("XX", number)); it != defined.end()) mark(reached, it->second);
  }
  for (const JumpRecord& jump : log.raw_jumps) {
    auto it = defined.find(context_key(jump.context_string));
    if (it == defined.end()) {
      warnings.push_back(
          {jump.place, cat("jump to undefined context string ", jump.context_string)});
    } else {
      mark(reached, it->second);
    }
  }
  for (size_t i = 0; i < log.topics.size(); ++i) {
    if (reached[i]) continue;
    const TopicRecord& topic = log.topics[i];
    warnings.push_back(
        {topic.place, cat("unreachable ", topic.popup ? "popup " : "topic ", topic.title)});
  }
}

// The warnings of what the running checks found: open sections, the ends of
// the document, raw groups, macros, UTF-8 look and formatting that leaks.

std::string groups(uint32_t count) {
  return cat(count, count == 1 ? " group" : " groups");
}

std::string message(const FindingRecord& finding) {
  const std::string& detail = finding.detail;
  switch (finding.kind) {
    case Finding::open_section:
      return cat(detail, " section still open at the end of the file");
    case Finding::no_start:
      return "no .start before the first output";
    case Finding::no_end:
      return "no .end at the end of the source";
    case Finding::output_after_end:
      return "output after .end";
    case Finding::raw_group_open:
      return "raw RTF group not closed in its topic";
    case Finding::raw_group_open_before_topics:
      return "raw RTF group not closed before the first topic";
    case Finding::raw_group_close:
      return "raw RTF } without a matching {";
    case Finding::document_open:
      return cat("document ends with ", groups(finding.count), " open");
    case Finding::document_overclosed:
      return cat("document closes ", groups(finding.count), " more than it opens");
    case Finding::blank_in_macro_name:
      return cat("macro name \"", detail, "\" holds a blank");
    case Finding::macro_redefined:
      return cat("macro ", detail, " defined again with a different body");
    case Finding::utf8_look:
      return "file looks like UTF-8: use -U or a byte order mark";
    case Finding::format_leak:
      return cat(detail, finding.count > 1 ? " carry" : " carries", " into the next topic");
    case Finding::unused_macro:
      return cat("macro ", detail, " never expanded");
    case Finding::empty_keyword:
      return "keyword left empty by macro expansion";
  }
  return {};
}

// What the checks found while the document was written: sections, the ends
// of the document, raw groups, macros, encodings and formatting that leaks.
void check_findings(const CheckLog& log, std::vector<CheckWarning>& warnings) {
  for (const FindingRecord& finding : log.findings) {
    warnings.push_back({finding.place, message(finding), finding.first});
  }
}

// Each place that names a picture the pages show as its name.
void check_bitmaps(const CheckLog& log, std::vector<CheckWarning>& warnings) {
  if (log.bitmaps_not_shown.empty()) return;
  const BitmapRecord* last = nullptr;  // a line that names a picture twice is warned once
  for (const BitmapRecord& record : log.bitmaps) {
    if (!log.bitmaps_not_shown.contains(record.name)) continue;
    if (last && last->name == record.name && last->place.line == record.place.line &&
        last->place.file == record.place.file) {
      continue;
    }
    warnings.push_back({record.place, cat("bitmap ", record.name, " is shown as its name")});
    last = &record;
  }
}

// File names go to the console as they are; the rest is console text.
void write_warning(const Console& console, const CheckWarning& warning) {
  console.write_err_name(warning.place.file);
  console.write_err(cat(' ', warning.place.line, ": warning ", warning.message));
  if (warning.first) {
    console.write_err(", first at ");
    console.write_err_name(warning.first->file);
    console.write_err(cat(' ', warning.first->line));
  }
  console.write_err("\n");
}

}  // namespace

std::vector<CheckWarning> find_check_warnings(const CheckLog& log) {
  std::vector<CheckWarning> warnings;
  check_context_strings(log, warnings);
  check_footnote_lengths(log, warnings);
  check_jumps_and_reach(log, warnings);
  check_findings(log, warnings);
  check_bitmaps(log, warnings);
  std::stable_sort(warnings.begin(), warnings.end(), [](const auto& a, const auto& b) {
    return a.place.sequence < b.place.sequence;
  });
  return warnings;
}

void report_checks(const CheckLog& log, const Console& console) {
  for (const CheckWarning& warning : find_check_warnings(log)) write_warning(console, warning);
}

}  // namespace zek
