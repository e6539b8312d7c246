// The record that -C keeps of pass 2: every topic, context string, footnote
// and jump the help compiler will read, each with the source place that wrote
// it, so that problems can be reported at the source line after the run.
#pragma once

#include <cstdint>
#include <optional>
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

// A picture the text names in the help compiler's text form ("\{bmc
// file.bmp\}", bml, bmr and their transparent forms) or as a "{\bmc ...}"
// group of raw RTF.
struct BitmapRecord {
  std::string name;
  SourcePlace place;
};

// What the checks that follow the document as it is written found on the
// way: unbalanced sections and groups, a document without its ends, macros,
// source encodings and formatting that leaks (the messages are composed by
// checks.cpp).
enum class Finding : uint8_t {
  open_section,                  // detail: "#if32" or "#if16"
  no_start,                      // output before any .start
  no_end,                        // the source ends without .end
  output_after_end,              // output after .end
  raw_group_open,                // a raw "{" its topic does not close
  raw_group_open_before_topics,  // a raw "{" not closed before the first header
  raw_group_close,               // a raw "}" that closes no raw group of its topic
  document_open,                 // count: groups the document leaves open
  document_overclosed,           // count: groups the document closes beyond its own
  blank_in_macro_name,           // detail: the name
  macro_redefined,               // detail: the name; first: the definition it replaces
  utf8_look,                     // a code page 932 source that reads as UTF-8
  format_leak,                   // detail: the settings that carry on
  unused_macro,                  // detail: the name
  empty_keyword,                 // a K keyword that macro expansion emptied
};

struct FindingRecord {
  Finding kind = Finding::no_end;
  std::string detail;
  uint32_t count = 0;
  SourcePlace place;
  std::optional<SourcePlace> first = std::nullopt;
};

struct CheckLog {
  std::vector<TopicRecord> topics;
  std::vector<ContextRecord> contexts;
  std::vector<FootnoteRecord> footnotes;
  std::vector<JumpRecord> raw_jumps;
  // Context strings (upper case) that a hot spot or a group button jumps to.
  std::unordered_set<std::string> jump_targets;
  // NameTable entries (by number) that a hot spot jumps to.
  std::vector<bool> hot_spot_entries;
  std::vector<FindingRecord> findings;
  std::vector<BitmapRecord> bitmaps;
  // Pictures a page could not show (missing, or of a kind other than BMP or
  // PNG): known only once the pages are written.
  std::unordered_set<std::string> bitmaps_not_shown;
  uint32_t next_sequence = 0;

  int32_t current_topic() const { return static_cast<int32_t>(topics.size()) - 1; }
};

}  // namespace zek
