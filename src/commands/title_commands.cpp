// The top of a topic window: .noscroll and .endnoscroll open and close the
// non-scrolling region, a "{\keepn" group of paragraphs (a region still open
// at the page end is closed there); .title writes a title paragraph (by
// default the current topic's title) in the look that .titlemode chose, with
// the shortcut buttons after it. A button is an authored button for Help
// Workshop (-W), or a double-underlined hot spot with the macro as hidden
// text; in text mode the label in angle brackets. Label and target are written
// as the author gave them.

#include "commands/title_commands.h"

#include "base/cat.h"
#include "commands/body_line.h"
#include "commands/commands.h"
#include "commands/paragraph.h"
#include "io/console.h"
#include "source/cursor.h"

namespace zek {

namespace {

// `macro_prefix` goes before the target inside the HelpProc argument.
void put_button(Context& ctx, std::string_view macro_prefix, std::string_view target,
                const std::optional<std::string>& label) {
  if (target.empty()) return;
  // A label never set, or released with "0", shows as an empty label.
  const std::string_view text = label ? std::string_view(*label) : std::string_view();
  if (ctx.options.workshop) {
    ctx.writer.button(cat("  \\{button ", text, ",HelpProc(\"", macro_prefix, target, "\")\\}"),
                      text);
  } else {
    ctx.writer.button(cat("  {\\uldb ", text, "}{\\v !HelpProc(\"", macro_prefix, target, "\")}"),
                      text);
  }
}

}  // namespace

void put_shortcut_button(Context& ctx, std::string_view target,
                         const std::optional<std::string>& label) {
  put_button(ctx, "", target, label);
}

void put_shortcut2_button(Context& ctx, std::string_view target,
                          const std::optional<std::string>& label) {
  put_button(ctx, "#", target, label);
}

void cmd_endnoscroll(Context& ctx, FileState&, Cursor&, std::string_view error_word) {
  int32_t& open = ctx.format.state.noscroll_open;
  if (open != 1) {
    ctx.diag.report_error(error_word);
    return;
  }
  open = 0;
  ctx.writer.rtf("\\pard }\r\n");
}

void cmd_noscroll(Context& ctx, FileState&, Cursor&, std::string_view error_word) {
  int32_t& open = ctx.format.state.noscroll_open;
  if (open != 0) {
    ctx.diag.report_error(error_word);
    return;
  }
  open = 1;
  ctx.writer.rtf("{\\keepn\r\n");
}

namespace {

struct TitleText {
  std::string text;
  bool continued = false;  // ended in " \": the paragraph goes on
};

// The rest of the line, or the topic's title when the line has no more.
// Texts of one or two bytes are taken as they are.
TitleText take_title_text(const Context& ctx, Cursor& cursor) {
  if (cursor.at_end()) return {ctx.headers.header_name};
  TitleText title{std::string(cursor.rest())};
  cursor.consume();
  if (title.text.size() < 3) return title;
  if (ctx.modes.tab_conversion) expand_tabs(title.text);
  title.continued = cut_continuation(title.text);
  return title;
}

bool has_spacing_around(const TitleSettings& settings) {
  return settings.spacing != 0 && settings.spacing != -1;
}

bool buttons_follow(const Modes& modes) {
  return (modes.shortcut_mode || modes.shortcut2_mode) && !modes.id_name.empty();
}

// Whether text that starts with `next` would run into a control word that
// ends in digits: a digit would join its number, a blank would be taken as
// its delimiter, a control byte may be dropped in front of either.
bool needs_delimiter(std::string_view next) {
  if (next.empty()) return false;
  const auto first = static_cast<unsigned char>(next.front());
  return is_ascii_digit(next.front()) || first == ' ' || first < 0x20;
}

// The control words that open a title: spacing, style and colour.
std::string title_opening(const Context& ctx, std::string_view text) {
  const TitleSettings& settings = ctx.format.title;
  std::string words = "{";
  if (settings.spacing == -1) words += "{\\par }";
  if (has_spacing_around(settings)) {
    const uint32_t twips = static_cast<uint32_t>(settings.spacing) * 20u;
    append(words, "\\sb", twips, " \\sa", twips);
  }
  const size_t before_style = words.size();
  if (settings.italic != 0) words += "\\i ";
  if (settings.bold != 0) words += "\\b ";
  if (settings.box != 0) words += "\\box ";
  const int32_t color = ctx.format.state.noscroll_open != 0 ? settings.nscolor : settings.color;
  if (color >= 0) append(words, "\\cf", color, ' ');
  const bool spacing_ends_words = has_spacing_around(settings) && words.size() == before_style;
  const std::string_view next = !text.empty() ? text : buttons_follow(ctx.modes) ? " " : "";
  if (spacing_ends_words && needs_delimiter(next)) words += ' ';
  return words;
}

void write_buttons(Context& ctx) {
  Modes& modes = ctx.modes;
  if (modes.shortcut_mode) put_shortcut_button(ctx, modes.id_name, modes.shortcut_str);
  if (modes.shortcut2_mode) put_shortcut2_button(ctx, modes.id_name, modes.shortcut2_str);
  modes.id_name.clear();
}

// One word of .titlemode at the cursor; false when none matches.
bool match_title_word(TitleSettings& settings, Cursor& cursor) {
  if (match_keyword(cursor, "bold")) {
    settings.bold = 1;
  } else if (match_keyword(cursor, "italic")) {
    settings.italic = 1;
  } else if (match_keyword(cursor, "box")) {
    settings.box = 1;
  } else if (match_keyword(cursor, "cr")) {
    settings.spacing = static_cast<int32_t>(read_number(cursor).value_or(-1));
  } else if (match_keyword(cursor, "color")) {
    settings.color = static_cast<int32_t>(read_number(cursor).value_or(-1));
  } else if (match_keyword(cursor, "nscolor")) {
    settings.nscolor = static_cast<int32_t>(read_number(cursor).value_or(-1));
  } else {
    return false;
  }
  return true;
}

}  // namespace

void cmd_title(Context& ctx, FileState&, Cursor& cursor, std::string_view /*error_word*/) {
  const TitleText title = take_title_text(ctx, cursor);
  cursor.consume();
  Writer& w = ctx.writer;
  w.rtf(title_opening(ctx, title.text));
  w.body_text(title.text);
  write_buttons(ctx);
  if (!title.continued) w.rtf("{\\par }");
  if (has_spacing_around(ctx.format.title)) w.rtf("\\sb0 \\sa0");
  w.line_end("}\r\n");
}

void cmd_titlemode(Context& ctx, FileState&, Cursor& cursor, std::string_view error_word) {
  TitleSettings& settings = ctx.format.title;
  settings = TitleSettings{.color = -1, .nscolor = -1};
  skip_blanks(cursor);
  if (cursor.peek() == '0') {
    cursor.advance();
    return;
  }
  while (!cursor.at_end()) {
    skip_blanks(cursor);
    if (cursor.at_end()) return;
    if (!match_title_word(settings, cursor)) {
      ctx.diag.report_error(error_word);
      return;
    }
  }
}

}  // namespace zek
