// The topic commands. .topic, .topic2 and .popup are the headers that open a
// help topic: pass 1 registers the title in the NameTable; pass 2 ends the
// previous page and writes the footnotes the help compiler reads at the head
// of a topic. .search, .alias, .idx and .id add further keywords, names and
// context strings to the current topic, and the ID-file lines that connect
// menu identifiers (IDM_ names) to the help file. Both write the -V trace
// lines, the numbered context string of a name, the keyword footnote and the
// extra context string of an "@" name under -I@@.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/cat.h"
#include "base/sjis.h"
#include "commands/commands.h"
#include "commands/context.h"
#include "commands/paragraph.h"
#include "source/cursor.h"

namespace zek {

// What headers, aliases and the ID commands write in common.
namespace {

// Prints a -V trace line on standard output (in both passes).
void trace(Context& ctx, std::string_view line) {
  if (ctx.options.verbose) ctx.console.write_out(line);
}

// "#{\footnote #XX<n>}\r\n": the context string every hot spot for the name
// jumps to. A name without an entry (an empty alias) has the number -1,
// written as an unsigned number.
void put_context_number(Context& ctx, int32_t number) {
  ctx.writer.context_number(number);
}

// "K{\footnote K<keyword>}\r\n" and the trace line "search\t[<keyword>]".
void put_keyword(Context& ctx, std::string_view keyword,
                 KeywordSource source = KeywordSource::given) {
  ctx.writer.keywords(keyword, source);
  trace(ctx, cat("search\t[", keyword, "]\n"));
}

// Under -I@@, in pass 2: a name beginning with "@" gets the ID-file line
// "<name>:<sanitized name>" and a "#" footnote with the sanitized name, a
// context string that does not depend on the name's number.
void put_at_name_context(Context& ctx, const FileState& file, std::string_view name) {
  if (file.pass != Pass::write_output || !ctx.id_file.is_open()) return;
  if (ctx.options.id_mode != IdMode::at_names_and_topics || !name.starts_with('@')) return;
  ctx.id_file.put(cat(name, ':', sanitize_context_string(name), "\r\n"));
  ctx.writer.footnote('#', name);  // the footnote sanitizes "#" texts itself
}

}  // namespace

namespace {

struct HeaderArgument {
  std::string title;
  // After the first tab: the group target of a .topic, the window of a .topic2.
  std::optional<std::string> second_field;
};

// Cuts the argument at its first tab; the second field starts after the
// blanks and tabs that follow it. A .popup title keeps its tabs.
HeaderArgument split_argument(std::string_view argument, NameKind kind) {
  const size_t tab = kind == NameKind::popup ? std::string_view::npos : mbs_strchr(argument, '\t');
  if (tab == std::string_view::npos) return {std::string(argument), std::nullopt};
  std::string_view second = argument.substr(tab + 1);
  while (!second.empty() && (second.front() == ' ' || second.front() == '\t')) {
    second.remove_prefix(1);
  }
  return {std::string(argument.substr(0, tab)), std::string(second)};
}

void register_name(Context& ctx, NameKind kind, const HeaderArgument& argument) {
  switch (kind) {
    case NameKind::topic:
      ctx.names.add_topic(argument.title);
      break;
    case NameKind::topic2:
      ctx.names.add_topic2(argument.title, argument.second_field);
      break;
    case NameKind::popup:
      ctx.names.add_popup(argument.title);
      break;
    case NameKind::external:
      break;  // names of another help file come only from an ID file
  }
}

// The browse-sequence footnote "+{\footnote <name>:<nnn>}" of a .topic.
void put_browse_footnote(Context& ctx) {
  Modes& modes = ctx.modes;
  if (modes.browse_name.empty()) return;
  ++modes.browse_counter;
  ctx.writer.browse_footnote(modes.browse_name, zero_padded(modes.browse_counter, 3));
}

// The group-button macros of a .topic in group mode: DB without a group
// target, EB and a CBB that jumps to the target with one.
void put_group_footnotes(Context& ctx, const std::optional<std::string>& target) {
  if (!target) {
    ctx.writer.macro_footnote("DB(\"group\")", std::nullopt);
    return;
  }
  ctx.writer.macro_footnote("EB(\"group\")", std::nullopt);
  ctx.writer.macro_footnote(cat("CBB(\"group\",\"JI(`',`", *target, "')\")"), *target);
}

// The context string of a named header and, in search mode, its keyword.
void put_name_footnotes(Context& ctx, const std::string& title) {
  const int32_t number = ctx.names.find(title);
  put_context_number(ctx, number);
  trace(ctx, cat("link\tXX", static_cast<uint32_t>(number), '\n'));
  if (ctx.modes.search_mode) put_keyword(ctx, title);
}

void put_header(Context& ctx, FileState& file, Cursor& cursor, NameKind kind) {
  const HeaderArgument argument = split_argument(cursor.rest(), kind);
  cursor.consume();
  HeaderState& headers = ctx.headers;

  ctx.modes.id_name.clear();
  headers.header_index = static_cast<int32_t>(ctx.names.size());
  file.header_kind = kind;
  if (file.pass == Pass::collect_names) {
    register_name(ctx, kind, argument);
  } else {
    ctx.names.clear_link_marks();
  }
  if (!headers.header_name.empty()) end_page(ctx);
  reset_paragraph(ctx);

  const bool named = !argument.title.empty();
  const std::string title = named ? argument.title : cat("YY", headers.anonymous_counter++);
  ctx.writer.topic_title(title, kind == NameKind::popup);
  trace(ctx, cat("\x81\xA1", kind == NameKind::topic ? "topic" : "popup", "\t[", title,
                 "]\x81\xA1\n"));  // "■topic\t[title]■"
  if (kind == NameKind::topic) put_browse_footnote(ctx);
  if (named) put_name_footnotes(ctx, title);
  headers.header_name = title;
  if (kind == NameKind::topic) {
    if (ctx.modes.group_mode) put_group_footnotes(ctx, argument.second_field);
    put_at_name_context(ctx, file, title);
  }
  ctx.format.collapse_tabs = false;
}

}  // namespace

void cmd_topic2(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  put_header(ctx, file, cursor, NameKind::topic2);
}

void cmd_topic(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  put_header(ctx, file, cursor, NameKind::topic);
}

void cmd_popup(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  put_header(ctx, file, cursor, NameKind::popup);
}

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

void cmd_search(Context& ctx, FileState&, Cursor& cursor, std::string_view /*error_word*/) {
  const std::string argument = take_argument(cursor);
  reset_paragraph(ctx);
  if (argument.empty()) {
    put_keyword(ctx, ctx.headers.header_name, KeywordSource::empty_search);
  } else {
    put_keyword(ctx, argument);
  }
}

void cmd_alias(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  const std::string name = take_argument(cursor);
  if (file.pass == Pass::collect_names) ctx.names.add_alias(name, ctx.headers.header_index);
  const int32_t number = ctx.names.find(name);
  put_context_number(ctx, number);
  trace(ctx, cat("alias\t[", name, "]XX", static_cast<uint32_t>(number), '\n'));
  if (ctx.modes.search_mode) put_keyword(ctx, name);
  put_at_name_context(ctx, file, name);
}

void cmd_idx(Context& ctx, FileState&, Cursor& cursor, std::string_view /*error_word*/) {
  const std::string argument = take_argument(cursor);
  put_context_string(ctx, argument, "linkx");
  ctx.format.collapse_tabs = false;
}

void cmd_id(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  const std::string argument = take_argument(cursor);
  reset_paragraph(ctx);
  put_context_string(ctx, argument, "link");
  if (argument.starts_with(kMenuPrefix)) {
    put_menu_identifier(ctx, file, std::string_view(argument).substr(kMenuPrefix.size()));
  }
  ctx.format.collapse_tabs = false;
}

}  // namespace zek
