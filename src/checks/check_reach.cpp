// Jump checks: a raw jump must name a context string the project defines, and
// every topic must be reachable. A topic counts as reached by a hot spot or a
// jump to one of its context strings, by a keyword or a browse footnote, by a
// context string the application knows (.id, .idx, an "@" name), and, for the
// first topic, by being the help file's contents topic.
#include <unordered_map>

#include "base/cat.h"
#include "checks/check_rules.h"
#include "names/context_strings.h"

namespace zek {

namespace {

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

}  // namespace

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

}  // namespace zek
