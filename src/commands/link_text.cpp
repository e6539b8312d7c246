// Link insertion: the claims of a line, then the line written piece by piece
// with the hot spots in the help compiler's forms.
#include "commands/link_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

#include "base/cat.h"
#include "base/sjis.h"
#include "links/link_matcher.h"

namespace zek {

namespace {

// Writes a piece of the line between hot spots. Each piece is a writer call
// of its own, so a raw region that a hot spot interrupts ends with the piece
// before it.
void write_plain_piece(Context& ctx, std::string_view piece) {
  if (piece.empty()) return;
  ctx.writer.body_text(piece);
}

bool is_ascii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

// The hidden jump code after the visible text of a hot spot. The common forms
// ("{\v XX<n>" and a short ASCII ending) are composed in a small buffer of
// their own; the others go through a string.
class JumpCode {
 public:
  JumpCode(const Context& ctx, const NameEntry& entry, std::optional<NameKind> header_kind) {
    const auto number = static_cast<uint32_t>(entry.number);
    switch (entry.kind) {
      case NameKind::popup:
        compose(number, "", "}");
        return;
      case NameKind::topic:
        compose(number, "", header_kind == NameKind::topic2 ? ">main}" : "}");
        return;
      case NameKind::topic2:
        // Without a window name the jump opens in the main window.
        if (!entry.target) {
          compose(number, "", "}");
        } else if (is_ascii(*entry.target) && entry.target->size() <= kLongestWindow) {
          compose(number, ">", *entry.target, "}");
        } else {
          // A double-byte character cut off at the end of the window name
          // takes the "}" as its trail, as in one formatted text.
          long_ = cat("{\\v XX", number, ">", *entry.target, "}");
          text_ = long_;
        }
        return;
      case NameKind::external:
        long_ = cat("{\\v !JI(\"", ctx.options.hlp_file_name.value_or(""), "\",\"",
                    entry.target.value_or(""), "\")}");
        text_ = long_;
        return;
    }
  }
  JumpCode(const JumpCode&) = delete;
  JumpCode& operator=(const JumpCode&) = delete;

  std::string_view text() const { return text_; }

 private:
  static constexpr size_t kLongestWindow = 32;

  // "{\v XX" + number + the pieces (together at most kLongestWindow + 7 bytes).
  void compose(uint32_t number, std::string_view a, std::string_view b, std::string_view c = {}) {
    constexpr std::string_view kOpening = "{\\v XX";
    char* end = std::copy(kOpening.begin(), kOpening.end(), short_);
    end = std::to_chars(end, end + 10, number).ptr;
    for (std::string_view piece : {a, b, c}) end = std::copy(piece.begin(), piece.end(), end);
    text_ = std::string_view(short_, static_cast<size_t>(end - short_));
  }

  char short_[64];
  std::string long_;
  std::string_view text_;
};

const char* group_word(NameKind kind) {
  switch (kind) {
    case NameKind::popup:
      return "ul";
    case NameKind::external:
      return "uldb";
    default:
      return "strike";
  }
}

HotSpotBrackets brackets_for(const Context& ctx, NameKind kind) {
  if (!ctx.options.link_brackets) return HotSpotBrackets::none;
  return kind == NameKind::popup ? HotSpotBrackets::popup : HotSpotBrackets::jump;
}

// The visible text as the help compiler's link text, then the jump code,
// which is composed only when RTF is written. `name` is the entry's name as
// it stands in the line (the same bytes, already in the cache).
void write_hot_spot(Context& ctx, size_t entry_index, std::string_view name,
                    std::optional<NameKind> header_kind) {
  const NameEntry& entry = ctx.names[entry_index];
  HotSpot spot{.group_word = group_word(entry.kind),
               .text = name,
               .jump_code = {},
               .brackets = brackets_for(ctx, entry.kind),
               .target = entry_index};
  if (!ctx.writer.rtf_active()) {
    ctx.writer.hot_spot(spot);
    return;
  }
  const JumpCode code(ctx, entry, header_kind);
  spot.jump_code = code.text();
  ctx.writer.hot_spot(spot);
}

LinkMatcher& matcher_for(Context& ctx) {
  if (!ctx.link_matcher || !ctx.link_matcher->covers(ctx.names)) prepare_links(ctx);
  return *ctx.link_matcher;
}

}  // namespace

void write_linked_line(Context& ctx, std::string_view line, const LinkClaims& claims,
                       std::optional<NameKind> header_kind) {
  if (claims.empty()) {
    ctx.writer.body_text(line);
    return;
  }
  size_t pending = 0;
  for (const LinkClaim& claim : claims) {
    if (claim.position < pending) continue;  // inside the hot spot before
    write_plain_piece(ctx, line.substr(pending, claim.position - pending));
    write_hot_spot(ctx, static_cast<size_t>(claim.entry), line.substr(claim.position, claim.length),
                   header_kind);
    ctx.names.mark_linked(claim.entry);
    pending = claim.position + claim.length;
  }
  write_plain_piece(ctx, line.substr(pending));
}

void link_text_line(Context& ctx, std::string& line, std::optional<NameKind> header_kind) {
  const LinkClaims& claims = matcher_for(ctx).claim(ctx.names, line, ctx.headers.header_name);
  write_linked_line(ctx, line, claims, header_kind);
}

void prepare_links(Context& ctx) {
  ctx.link_matcher = std::make_unique<LinkMatcher>(ctx.names, ctx.options.is_name_char);
}

}  // namespace zek
