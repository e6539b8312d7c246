// Link insertion: the claims of a line, then the line written piece by piece
// with the hot spots in the help compiler's forms.
#include "text/link_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "format/paragraph.h"
#include "names/check_notes.h"
#include "output/cat.h"
#include "output/sjis.h"
#include "text/link_matcher.h"

namespace zek {

namespace {

// Brackets around hot spots in text mode with -K: 【】 for jumps, 《》 for popups.
constexpr std::string_view kJumpOpen = "\x81\x79";
constexpr std::string_view kJumpClose = "\x81\x7A";
constexpr std::string_view kPopupOpen = "\x81\x73";
constexpr std::string_view kPopupClose = "\x81\x74";

// Writes a piece of the line between hot spots. Each piece is a writer call
// of its own, so a raw region that a hot spot interrupts ends with the piece
// before it.
void write_plain_piece(Context& ctx, std::string_view piece) {
  if (piece.empty()) return;
  ctx.writer.text(piece);
  plain_if_text_mode(ctx, piece);
}

bool is_ascii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

// "{\v XX<number>" followed by `rest` (a few ASCII bytes), written without
// building a string: every jump code but the external one starts so.
void write_context_jump(Context& ctx, uint32_t number, std::string_view rest) {
  char code[32] = {'{', '\\', 'v', ' ', 'X', 'X'};
  char* const end = std::to_chars(code + 6, code + 16, number).ptr;
  std::copy(rest.begin(), rest.end(), end);
  ctx.writer.rtf(std::string_view(code, static_cast<size_t>(end - code) + rest.size()));
}

// The hidden jump code after the visible text of a hot spot.
void write_jump_code(Context& ctx, const NameEntry& entry, int header_type) {
  const auto number = static_cast<uint32_t>(entry.number);
  switch (entry.kind) {
    case NameKind::popup:
      return write_context_jump(ctx, number, "}");
    case NameKind::topic:
      return write_context_jump(ctx, number, header_type == 2 ? ">main}" : "}");
    case NameKind::topic2:
      // Without a window name the jump opens in the main window.
      if (!entry.target) return write_context_jump(ctx, number, "}");
      if (is_ascii(*entry.target)) {
        write_context_jump(ctx, number, ">");
        ctx.writer.rtf(*entry.target);
        ctx.writer.rtf("}");
        return;
      }
      // One call, so that a double-byte character cut off at the end of the
      // window name takes the "}" as its trail, as in one formatted text.
      ctx.writer.rtf(cat("{\\v XX", number, ">", *entry.target, "}"));
      return;
    case NameKind::external:
      ctx.writer.rtf(cat("{\\v !JI(\"", ctx.options.hlp_file_name.value_or(""), "\",\"",
                         entry.target.value_or(""), "\")}"));
      return;
  }
}

void write_hot_spot(Context& ctx, const NameEntry& entry, int header_type) {
  const bool popup = entry.kind == NameKind::popup;
  ctx.writer.group(popup ? "ul" : entry.kind == NameKind::external ? "uldb" : "strike", entry.name);
  if (ctx.options.text_mode) {
    const bool brackets = ctx.options.link_brackets;
    std::string_view open = brackets ? (popup ? kPopupOpen : kJumpOpen) : "";
    std::string_view close = brackets ? (popup ? kPopupClose : kJumpClose) : "";
    ctx.writer.plain(cat(open, entry.name, close));
  }
  write_jump_code(ctx, entry, header_type);
}

LinkMatcher& matcher_for(Context& ctx) {
  if (!ctx.link_matcher || !ctx.link_matcher->covers(ctx.names)) prepare_links(ctx);
  return *ctx.link_matcher;
}

}  // namespace

void write_linked_line(Context& ctx, std::string_view line, const LinkClaims& claims,
                       int header_type) {
  if (claims.empty()) {
    ctx.writer.text(line);
    plain_if_text_mode(ctx, line);
    return;
  }
  size_t pending = 0;
  for (const LinkClaim& claim : claims) {
    if (claim.position < pending) continue;  // inside the hot spot before
    write_plain_piece(ctx, line.substr(pending, claim.position - pending));
    write_hot_spot(ctx, ctx.names[claim.entry], header_type);
    ctx.names.mark_linked(claim.entry);
    note_hot_spot(ctx, claim.entry);
    pending = claim.position + claim.length;
  }
  write_plain_piece(ctx, line.substr(pending));
}

void link_text_line(Context& ctx, std::string& line, int header_type) {
  const LinkClaims& claims = matcher_for(ctx).claim(ctx.names, line, ctx.headers.header_name);
  write_linked_line(ctx, line, claims, header_type);
}

void prepare_links(Context& ctx) {
  ctx.link_matcher = std::make_unique<LinkMatcher>(ctx.names, ctx.options.is_name_char);
}

}  // namespace zek
