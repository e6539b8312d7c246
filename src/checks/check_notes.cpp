// Recording pass 2 for -C: each note copies what was written and the source
// line that wrote it into the run's CheckLog.
#include "checks/check_notes.h"

#include "names/context_rules.h"
#include "names/jump_codes.h"
#include "base/cat.h"
#include "base/sjis.h"

namespace zek {

namespace {

bool recording(const Context& ctx) {
  return ctx.options.check && ctx.writer.is_open();
}

SourcePlace current_place(Context& ctx) {
  return {ctx.diag.current_file_name, ctx.diag.current_line_number, ctx.checks.next_sequence++};
}

void add_raw_jumps(Context& ctx, std::string_view rtf) {
  for (std::string& target : hidden_jump_targets(rtf)) {
    ctx.checks.raw_jumps.push_back({std::move(target), current_place(ctx)});
  }
}

}  // namespace

void note_topic(Context& ctx, std::string_view title, bool popup) {
  if (!recording(ctx)) return;
  ctx.checks.topics.push_back({std::string(title), popup, current_place(ctx)});
  note_footnote(ctx, '$', title);
}

void note_footnote(Context& ctx, char mark, std::string_view text) {
  if (!recording(ctx)) return;
  CheckLog& log = ctx.checks;
  log.footnotes.push_back({mark, std::string(text), log.current_topic(), current_place(ctx)});
}

void note_context_number(Context& ctx, int32_t number) {
  if (!recording(ctx)) return;
  CheckLog& log = ctx.checks;
  ContextRecord record;
  record.context_string = cat("XX", static_cast<uint32_t>(number));
  if (number >= 0 && static_cast<size_t>(number) < ctx.names.size()) {
    record.name = ctx.names[static_cast<size_t>(number)].name;
  }
  record.numbered = true;
  record.topic = log.current_topic();
  record.place = current_place(ctx);
  log.contexts.push_back(std::move(record));
}

void note_context_string(Context& ctx, std::string_view text) {
  if (!recording(ctx)) return;
  CheckLog& log = ctx.checks;
  ContextRecord record;
  record.context_string = sanitize_context_string(text);
  record.from_application = true;
  record.topic = log.current_topic();
  record.place = current_place(ctx);
  log.contexts.push_back(std::move(record));
}

void note_hot_spot(Context& ctx, size_t entry) {
  if (!recording(ctx)) return;
  const NameEntry& target = ctx.names[entry];
  if (target.kind == NameKind::external) return;  // a jump into the other help file
  ctx.checks.jump_targets.insert(cat("XX", static_cast<uint32_t>(target.number)));
}

void note_group_jump(Context& ctx, std::string_view context_string) {
  if (!recording(ctx)) return;
  ctx.checks.jump_targets.insert(context_key(context_string));
}

void note_raw_rtf(Context& ctx, std::string_view rtf) {
  if (recording(ctx)) add_raw_jumps(ctx, rtf);
}

void note_raw_regions(Context& ctx, std::string_view body) {
  if (!recording(ctx)) return;
  for (std::string_view region : raw_regions(body)) add_raw_jumps(ctx, region);
}

}  // namespace zek
