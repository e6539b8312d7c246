// Footnotes, trace lines and ID-file lines shared by the topic commands.
#include "commands/topic_output.h"

#include "base/cat.h"
#include "base/sjis.h"
#include "checks/check_notes.h"

namespace zek {

namespace {}  // namespace

void trace(Context& ctx, std::string_view line) {
  if (ctx.options.verbose) ctx.console.write_out(line);
}

void put_context_number(Context& ctx, int32_t number) {
  ctx.writer.rtf(cat("#{\\footnote #XX", static_cast<uint32_t>(number), "}\r\n"));
  ctx.checks.note_context_number(number);
}

void put_keyword(Context& ctx, std::string_view keyword) {
  ctx.writer.footnote('K', keyword);
  ctx.checks.note_footnote('K', keyword);
  trace(ctx, cat("search\t[", keyword, "]\n"));
}

void put_at_name_context(Context& ctx, const FileState& file, std::string_view name) {
  if (file.pass != Pass::write_output || !ctx.id_file.is_open()) return;
  if (ctx.options.id_mode != IdMode::at_names_and_topics || !name.starts_with('@')) return;
  ctx.id_file.put(cat(name, ':', sanitize_context_string(name), "\r\n"));
  ctx.writer.footnote('#', name);  // the footnote sanitizes "#" texts itself
  ctx.checks.note_context_string(name);
}

}  // namespace zek
