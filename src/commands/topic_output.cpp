// Footnotes, trace lines and ID-file lines shared by the topic commands.
#include "commands/topic_output.h"

#include "base/cat.h"
#include "base/sjis.h"

namespace zek {

void trace(Context& ctx, std::string_view line) {
  if (ctx.options.verbose) ctx.console.write_out(line);
}

void put_context_number(Context& ctx, int32_t number) {
  ctx.writer.context_number(number);
}

void put_keyword(Context& ctx, std::string_view keyword, KeywordSource source) {
  ctx.writer.keywords(keyword, source);
  trace(ctx, cat("search\t[", keyword, "]\n"));
}

void put_at_name_context(Context& ctx, const FileState& file, std::string_view name) {
  if (file.pass != Pass::write_output || !ctx.id_file.is_open()) return;
  if (ctx.options.id_mode != IdMode::at_names_and_topics || !name.starts_with('@')) return;
  ctx.id_file.put(cat(name, ':', sanitize_context_string(name), "\r\n"));
  ctx.writer.footnote('#', name);  // the footnote sanitizes "#" texts itself
}

}  // namespace zek
