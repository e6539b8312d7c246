// The line loop: reads each line, lists it in trace mode, trims it, expands
// macros and dispatches it by its first character. An included file is
// looked for as named, then beside the file that includes it.
#include "convert/line_loop.h"

#include "base/cat.h"
#include "checks/check_notes.h"
#include "checks/source_file_watch.h"
#include "commands/body_line.h"
#include "commands/commands.h"
#include "commands/paragraph.h"
#include "io/console.h"
#include "io/environment.h"
#include "io/line_reader.h"
#include "io/paths.h"
#include "io/utf8_source.h"
#include "source/cursor.h"
#include "source/directives.h"

namespace zek {

namespace {

constexpr int kMaxIncludeDepth = 5;

// For the -C watch: none outside a section, else whether its lines are kept.
std::optional<bool> section_kept(Condition condition) {
  if (condition == Condition::outside) return std::nullopt;
  return condition == Condition::kept;
}

// Removes a final LF and then a final CR, so that a line ending in LF alone
// reads as its CR LF twin: a lone LF is an empty line.
void trim_line_end(std::string& line) {
  if (!line.empty() && line.back() == '\n') line.pop_back();
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

void dispatch_dot_command(Context& ctx, FileState& file, Cursor& cursor) {
  if (file.condition == Condition::skipped) {
    cursor.consume();
    return;
  }
  cursor.command_start = cursor.pos;
  for (const CommandEntry& entry : command_table()) {
    if (match_keyword(cursor, entry.keyword, entry.rule)) {
      entry.handler(ctx, file, cursor, entry.error_word);
      return;
    }
  }
  report_bad_command(ctx, cursor);
}

// A raw RTF line (apostrophe) or raw RTF text with a line end (backquote).
void raw_line(Context& ctx, FileState& file, Cursor& cursor, bool with_line_end) {
  if (file.condition == Condition::skipped) {
    cursor.consume();
    return;
  }
  std::string text(cursor.rest());
  cursor.consume();
  if (ctx.modes.tab_conversion) expand_tabs(text);  // the mark is column 0
  std::string_view after_mark = std::string_view(text).substr(1);
  const FormatState& state = ctx.format.state;
  const bool in_group = state.indent_depth != 0 || state.noscroll_open != 0;
  if (with_line_end) {
    ctx.writer.raw_rtf(after_mark, in_group);
    end_line(ctx, ctx.format.line_end);
  } else {
    ctx.writer.raw_rtf_line(after_mark, in_group);
  }
}

void dispatch(Context& ctx, FileState& file, Cursor& cursor) {
  while (!cursor.at_end()) {
    switch (cursor.peek()) {
      case '"':
        cursor.advance();
        write_body_line(ctx, file, cursor);
        break;
      case '#':
        if (handle_directive({ctx.options, ctx.macros, ctx.diag, &ctx.checks}, file, cursor) ==
            DirectiveOutcome::rest_is_new_line) {
          ctx.format.state.unset_pending();
        }
        break;
      case '\'':
        raw_line(ctx, file, cursor, false);
        break;
      case '`':
        raw_line(ctx, file, cursor, true);
        break;
      case '.':
        dispatch_dot_command(ctx, file, cursor);
        break;
      case ';':
        cursor.consume();
        break;
      default:
        write_body_line(ctx, file, cursor);
        break;
    }
  }
}

void write_listing_line(Context& ctx, const FileState& file, uint32_t line_number,
                        const std::string& raw_line) {
  if (!ctx.options.trace_mode || !ctx.writer.is_open()) return;
  ctx.writer.debug(cat(space_padded(line_number, 4), ':', hex_padded(ctx.writer.column, 4), ':',
                       file.condition == Condition::skipped ? "!" : "", raw_line));
}

void process_line(Context& ctx, FileState& file, std::string& line) {
  trim_line_end(line);
  if (ctx.format.paragraph_reset) ctx.format.line_end = LineEnd::paragraph;
  if (line.empty()) {
    if (file.condition != Condition::skipped) end_line(ctx, ctx.format.line_end);
    return;
  }
  if (line[0] != '#') {
    const bool trace = ctx.options.trace_mode && ctx.writer.is_open();
    const bool kept = ctx.macros.expand(line, [&](std::string_view expanded) {
      if (trace) ctx.writer.debug(cat("DDDD:", expanded, "\r\n"));
    });
    if (!kept) {
      ctx.diag.report_error("buffer overflow");
      return;
    }
    // The source side of -C: whether what this line writes came out of a
    // macro, which the writer's events cannot tell.
    ctx.checks.note_line_expanded(ctx.macros.line_changed());
  } else {
    ctx.checks.note_line_expanded(false);
  }
  ctx.format.state.unset_pending();
  Cursor cursor{line};
  dispatch(ctx, file, cursor);
}

void process_file(Context& ctx, InputStream& input, const std::string& name, Pass pass) {
  FileState file;
  file.pass = pass;
  file.name = name;
  LineReader reader(input);
  SourceDecoder decoder(ctx.options.utf8_sources);
  std::string line;
  uint32_t line_number = 0;
  SourceFileWatch watch(ctx.checks);
  while (reader.read_line(line)) {
    ++line_number;
    ctx.diag.current_file_name = name;
    ctx.diag.current_line_number = line_number;
    ctx.names.origin_file = ctx.diag.current_file_name;
    ctx.names.origin_line = line_number;
    // A UTF-8 source becomes code page 932 before anything looks at it.
    const std::string problem = decoder.decode(line, line_number == 1);
    file.utf8_source = decoder.is_utf8();
    if (!file.utf8_source) watch.see_cp932_line(line);
    if (!problem.empty()) ctx.diag.report_error(problem);
    // A line's text ends at its first NUL byte.
    if (const size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    write_listing_line(ctx, file, line_number, line);
    process_line(ctx, file, line);
    // A source line ends here, which the writer does not know: -C asks
    // whether the line wrote anything (outside .start and .end).
    ctx.checks.note_output(ctx.writer.column);
    watch.after_line(section_kept(file.condition), ctx.options.mode32);
  }
  watch.end_file(file.condition != Condition::outside);
  if (ctx.include_depth == 1) {
    const FormatState& state = ctx.format.state;
    ctx.checks.note_source_end(name, line_number,
                               static_cast<uint32_t>(state.indent_depth + state.noscroll_open),
                               ctx.macros.expanded_rows());
  }
}

// A source file opened for reading, and the name it was opened by.
struct OpenedSource {
  std::unique_ptr<InputStream> input;
  std::string name;
};

// Opens `name` in the current folder or, failing that, beside the file that
// includes it. Reports, messages and checks then name the file as opened.
OpenedSource open_source(Context& ctx, const std::string& name, std::string_view includer) {
  if (std::unique_ptr<InputStream> input = ctx.env->open_input(name))
    return {std::move(input), name};
  std::optional<std::string> beside = name_beside(includer, name);
  if (!beside) return {};
  std::unique_ptr<InputStream> input = ctx.env->open_input(*beside);
  if (!input) return {};
  return {std::move(input), std::move(*beside)};
}

// Reads one source file, `includer` being the name of the file whose
// `.include` names it (empty for the top file).
bool read_source(Context& ctx, const std::string& name, std::string_view includer, Pass pass) {
  if (ctx.include_depth >= kMaxIncludeDepth) {
    ctx.diag.failure_flag = true;
    return false;
  }
  const OpenedSource source = open_source(ctx, name, includer);
  if (!source.input) {
    ctx.diag.report_cannot_open(name);
    ctx.diag.failure_flag = true;
    return false;
  }
  ++ctx.include_depth;
  process_file(ctx, *source.input, source.name, pass);
  --ctx.include_depth;
  return !ctx.diag.failure_flag;
}

}  // namespace

bool include_file(Context& ctx, const std::string& name, Pass pass) {
  return read_source(ctx, name, {}, pass);
}

void cmd_include(Context& ctx, FileState& file, Cursor& cursor, std::string_view /*error_word*/) {
  skip_blanks(cursor);
  const std::string name =
      file.utf8_source ? include_name_on_host(cursor.rest()) : std::string(cursor.rest());
  cursor.consume();
  read_source(ctx, name, file.name, file.pass);
}

void report_bad_command(Context& ctx, Cursor& cursor) {
  const std::string_view text = std::string_view(cursor.line).substr(cursor.command_start);
  ctx.diag.report_error(cat("bad . command  ", text));
  cursor.consume();
}

void reset_for_pass(Context& ctx) {
  ctx.modes.reset_for_pass();
  ctx.headers.reset_for_pass();
  ctx.format.reset_for_pass();
  if (ctx.options.check) {
    ctx.checks.note_first_pass_macros(ctx.macros.expanded_rows());
    // The -C record hears what pass 2 writes; it keeps it only while recording.
    ctx.writer.add_listener(ctx.checks);
  }
  ctx.macros.clear();
}

}  // namespace zek
