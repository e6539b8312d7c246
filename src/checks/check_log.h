// The record that -C keeps of pass 2: every topic, context string, footnote
// and jump the help compiler will read, each with the source place that wrote
// it, so that problems can be reported at the source line after the run.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace zek {

// A source line, and the order in which pass 2 reached it (records of one
// run are numbered as they are made, so warnings come out in source order
// across included files).
struct SourcePlace {
  std::string file;
  uint32_t line = 0;
  uint32_t sequence = 0;
};

// A page that a .topic, .topic2 or .popup header opened.
struct TopicRecord {
  std::string title;  // the "$" title; "YY<n>" for an anonymous header
  bool popup = false;
  SourcePlace place;
};

// A context string defined by a "#" footnote.
struct ContextRecord {
  std::string context_string;     // the bytes the help compiler reads
  std::string name;               // the header or alias name behind XX<n>
  bool numbered = false;          // XX<n> of a name, composed by the converter
  bool from_application = false;  // .id, .idx or an "@" name: reached by name
  int32_t topic = -1;             // index into CheckLog::topics; -1 before any header
  SourcePlace place;
};

// A "$", "K", "+" or "!" footnote.
struct FootnoteRecord {
  char mark = 0;
  std::string text;
  int32_t topic = -1;
  SourcePlace place;
};

// A hidden jump code the author wrote in raw RTF.
struct JumpRecord {
  std::string context_string;
  SourcePlace place;
};

struct CheckLog {
  std::vector<TopicRecord> topics;
  std::vector<ContextRecord> contexts;
  std::vector<FootnoteRecord> footnotes;
  std::vector<JumpRecord> raw_jumps;
  // Context strings (upper case) that a hot spot or a group button jumps to.
  std::unordered_set<std::string> jump_targets;
  uint32_t next_sequence = 0;

  int32_t current_topic() const { return static_cast<int32_t>(topics.size()) - 1; }
};

}  // namespace zek
