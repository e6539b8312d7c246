// .search, .alias, .idx and .id: further keywords, names and context strings
// of the current topic, and the ID-file lines that connect menu identifiers
// (IDM_ names) to the help file.
#include <string>

#include "base/cat.h"
#include "commands/commands.h"
#include "commands/paragraph.h"
#include "commands/topic_output.h"

namespace zek {

namespace {

constexpr std::string_view kMenuPrefix = "IDM_";

// The argument of a keyword command: the rest of the line, which it consumes.
std::string take_argument(Cursor& cursor) {
  std::string argument(cursor.rest());
  cursor.consume();
  return argument;
}

// "#{\footnote #<argument>}" with "@" and "$" sanitized.
void put_context_string(Context& ctx, std::string_view argument, std::string_view trace_word) {
  ctx.writer.footnote('#', argument);
  trace(ctx, cat(trace_word, "\t[", argument, "]\n"));
}

// The ID-file line and the -M keyword of an IDM_ name.
void put_menu_identifier(Context& ctx, const FileState& file, std::string_view rest) {
  if (file.pass == Pass::write_output && ctx.id_file.is_open()) {
    const char* prefix = ctx.options.id_mode == IdMode::names ? "" : "@";
    ctx.id_file.put(cat(prefix, rest, ":IDM_", rest, "\r\n"));
  }
  if (ctx.options.id_keyword) put_keyword(ctx, cat('@', rest));
  ctx.modes.id_name = std::string(rest);
}

}  // namespace

void cmd_search(Context& ctx, FileState&, Cursor& cursor) {
  const std::string argument = take_argument(cursor);
  reset_paragraph(ctx);
  if (argument.empty()) {
    put_keyword(ctx, ctx.headers.header_name, KeywordSource::empty_search);
  } else {
    put_keyword(ctx, argument);
  }
}

void cmd_alias(Context& ctx, FileState& file, Cursor& cursor) {
  const std::string name = take_argument(cursor);
  if (file.pass == Pass::collect_names) ctx.names.add_alias(name, ctx.headers.header_index);
  const int32_t number = ctx.names.find(name);
  put_context_number(ctx, number);
  trace(ctx, cat("alias\t[", name, "]XX", static_cast<uint32_t>(number), '\n'));
  if (ctx.modes.search_mode) put_keyword(ctx, name);
  put_at_name_context(ctx, file, name);
}

void cmd_idx(Context& ctx, FileState&, Cursor& cursor) {
  const std::string argument = take_argument(cursor);
  put_context_string(ctx, argument, "linkx");
  ctx.format.collapse_tabs = false;
}

void cmd_id(Context& ctx, FileState& file, Cursor& cursor) {
  const std::string argument = take_argument(cursor);
  reset_paragraph(ctx);
  put_context_string(ctx, argument, "link");
  if (argument.starts_with(kMenuPrefix)) {
    put_menu_identifier(ctx, file, std::string_view(argument).substr(kMenuPrefix.size()));
  }
  ctx.format.collapse_tabs = false;
}

}  // namespace zek
