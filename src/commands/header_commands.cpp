// .topic, .topic2 and .popup: the headers that open a help topic. Pass 1
// registers the title in the NameTable; pass 2 ends the previous page and
// writes the footnotes the help compiler reads at the head of a topic.
#include <optional>
#include <string>

#include "base/cat.h"
#include "base/sjis.h"
#include "commands/commands.h"
#include "commands/paragraph.h"
#include "commands/topic_output.h"

namespace zek {

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

void cmd_topic2(Context& ctx, FileState& file, Cursor& cursor) {
  put_header(ctx, file, cursor, NameKind::topic2);
}

void cmd_topic(Context& ctx, FileState& file, Cursor& cursor) {
  put_header(ctx, file, cursor, NameKind::topic);
}

void cmd_popup(Context& ctx, FileState& file, Cursor& cursor) {
  put_header(ctx, file, cursor, NameKind::popup);
}

}  // namespace zek
