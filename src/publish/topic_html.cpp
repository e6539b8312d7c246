// Topic text as HTML, and the shared parts of a topic's page around it.
#include "publish/topic_html.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "base/cat.h"
#include "base/sjis.h"
#include "io/paths.h"
#include "publish/html_text.h"
#include "publish/page_names.h"

namespace zek {

namespace {

// A measure in twips as CSS points, to a tenth.
std::string points(int32_t twips) {
  const int64_t tenths = static_cast<int64_t>(twips) / 2;
  const int64_t magnitude = tenths < 0 ? -tenths : tenths;
  std::string out = tenths < 0 ? "-" : "";
  append(out, magnitude / 10);
  if (magnitude % 10 != 0) append(out, '.', magnitude % 10);
  append(out, "pt");
  return out;
}

const char* border_css(BorderLine line) {
  switch (line) {
    case BorderLine::double_line:
      return "3px double";
    case BorderLine::thick:
      return "2px solid";
    case BorderLine::dotted:
      return "1px dotted";
    case BorderLine::shadow:
    case BorderLine::single:
      break;
  }
  return "1px solid";
}

// Whether a font name may stand in a CSS string: letters, digits, blanks,
// "-", "_", "." and whole double-byte characters only.
bool is_safe_font_name(std::string_view name) {
  if (name.empty()) return false;
  for (size_t i = 0; i < name.size(); i += char_length(name, i)) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (char_length(name, i) == 2) continue;
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == ' ' || c == '-' || c == '_' || c == '.';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

std::string paragraph_css(const ParaStyle& style) {
  std::string css;
  if (style.left_indent != 0) append(css, "margin-left:", points(style.left_indent), ';');
  if (style.right_indent != 0) append(css, "margin-right:", points(style.right_indent), ';');
  if (style.first_indent != 0) append(css, "text-indent:", points(style.first_indent), ';');
  if (style.space_before != 0) append(css, "margin-top:", points(style.space_before), ';');
  if (style.space_after != 0) append(css, "margin-bottom:", points(style.space_after), ';');
  if (style.line_spacing != 0) {
    append(css, "line-height:", points(std::abs(style.line_spacing)), ';');
  }
  switch (style.alignment) {
    case Alignment::right:
      css += "text-align:right;";
      break;
    case Alignment::center:
      css += "text-align:center;";
      break;
    case Alignment::justify:
      css += "text-align:justify;";
      break;
    case Alignment::left:
      break;
  }
  if (style.no_wrap) css += "white-space:nowrap;";
  const char* border = border_css(style.border_line);
  if (style.border_top) append(css, "border-top:", border, ';');
  if (style.border_bottom) append(css, "border-bottom:", border, ';');
  if (style.border_left) append(css, "border-left:", border, ';');
  if (style.border_right) append(css, "border-right:", border, ';');
  if (style.border_line == BorderLine::shadow &&
      (style.border_top || style.border_bottom || style.border_left || style.border_right)) {
    css += "box-shadow:2px 2px 0 #888;";
  }
  // Tab stops: the distance between the first two (or from the left indent
  // to the only one) becomes the paragraph's tab size.
  if (!style.tabs.empty()) {
    int32_t step = style.tabs[0].position - style.left_indent;
    if (style.tabs.size() > 1) step = style.tabs[1].position - style.tabs[0].position;
    if (step <= 0) step = style.tabs[0].position;
    if (step > 0) append(css, "tab-size:", points(step), ';');
  }
  return css;
}

std::string font_family_css(const FontEntry& font) {
  std::string css;
  // Single quotes: the list stands in a style attribute in double quotes.
  if (is_safe_font_name(font.name)) append(css, '\'', font.name, "',");
  if (font.charset == 128) css += "'MS PGothic','IPAPGothic','IPAGothic','Noto Sans CJK JP',";
  if (font.family == "roman") {
    css += "serif";
  } else if (font.family == "modern") {
    css += "monospace";
  } else if (font.family == "script") {
    css += "cursive";
  } else {
    css += "sans-serif";
  }
  return css;
}

const std::string& TopicHtml::char_css(const CharStyle& style) const {
  // Only the font, size and colour make the CSS; runs that differ in the
  // rest (a hot spot's underline between plain text) share it.
  if (style.font == last_style_.font && style.size == last_style_.size &&
      style.color == last_style_.color && tables_.changes == last_tables_) {
    return last_css_;
  }
  last_style_ = style;
  last_tables_ = tables_.changes;
  std::string& css = last_css_;
  css.clear();
  if (style.font >= 0) {
    if (const FontEntry* font = tables_.find_font(style.font)) {
      append(css, "font-family:", font_family_css(*font), ';');
    }
  }
  if (style.size > 0) {
    append(css, "font-size:", style.size / 2);
    if (style.size % 2 != 0) css += ".5";
    css += "pt;";
  }
  if (style.color > 0 && static_cast<size_t>(style.color) < tables_.colors.size()) {
    const Color& color = tables_.colors[static_cast<size_t>(style.color)];
    if (!color.automatic) {
      append(css, "color:#", hex_padded(color.red, 2), hex_padded(color.green, 2),
             hex_padded(color.blue, 2), ';');
    }
  }
  return css;
}

// The CSS of a paragraph's formatting; paragraphs mostly repeat the one
// before.
const std::string& TopicHtml::paragraph_style_css(const ParaStyle& style) const {
  if (!(style == last_para_style_) || !last_para_css_known_) {
    last_para_style_ = style;
    last_para_css_ = paragraph_css(style);
    last_para_css_known_ = true;
  }
  return last_para_css_;
}

// Keeps the character CSS every text of the paragraph has as the inherited
// CSS; none when they differ.
void TopicHtml::inherit_common_css(const Paragraph& paragraph) const {
  inherited_css_.clear();
  bool first = true;
  for (const Piece& piece : paragraph.pieces) {
    if (piece.kind != PieceKind::text && piece.kind != PieceKind::hot_spot) continue;
    const std::string& css = char_css(piece.style);
    if (first) {
      inherited_css_.assign(css);
      first = false;
    } else if (css != inherited_css_) {
      inherited_css_.clear();
      return;
    }
  }
}

void TopicHtml::blocks(std::string& out, const std::vector<Block>& list, Region region) const {
  region_ = region;
  for (const Block& block : list) {
    if (block.is_table) {
      table(out, block);
    } else {
      paragraph(out, block.paragraph, "p");
    }
  }
}

void TopicHtml::paragraph(std::string& out, const Paragraph& paragraph, const char* tag) const {
  // Character formatting that all the text shares is written once, here.
  inherit_common_css(paragraph);
  const std::string& css = paragraph_style_css(paragraph.style);
  append(out, '<', tag);
  if (paragraph.pieces.empty()) out += " class=\"e\"";
  if (!css.empty() || !inherited_css_.empty()) {
    append(out, " style=\"", css, inherited_css_, '"');
  }
  out += '>';
  for (const Piece& piece : paragraph.pieces) this->piece(out, piece);
  append(out, "</", tag, ">\n");
  inherited_css_.clear();
}

void TopicHtml::table(std::string& out, const Block& block) const {
  out += "<table class=\"tb\">\n";
  for (const TableRow& row : block.rows) {
    out += "<tr>";
    int32_t left = row.left;
    for (size_t i = 0; i < row.cells.size(); ++i) {
      out += "<td";
      if (i < row.cell_edges.size() && row.cell_edges[i] > left) {
        append(out, " style=\"width:", points(row.cell_edges[i] - left), '"');
        left = row.cell_edges[i];
      }
      out += '>';
      for (const Paragraph& paragraph : row.cells[i].paragraphs) {
        this->paragraph(out, paragraph, "div");
      }
      out += "</td>";
    }
    out += "</tr>\n";
  }
  out += "</table>\n";
}

void TopicHtml::piece(std::string& out, const Piece& piece) const {
  switch (piece.kind) {
    case PieceKind::text:
      styled_text(out, piece.style, topic_->text_of(piece), false);
      break;
    case PieceKind::tab:
      out += "<span class=\"t\">&#9;</span>";
      break;
    case PieceKind::line_break:
      out += "<br>";
      break;
    case PieceKind::anchor:
      anchor_point(out, topic_->text_of(piece));
      break;
    case PieceKind::hot_spot:
      hot_spot(out, piece);
      break;
    case PieceKind::bitmap:
      bitmap(out, piece);
      break;
    case PieceKind::button:
      out += "<span class=\"btn\" title=\"";
      append_escaped(out, topic_->target_of(piece).macro);
      out += "\">";
      append_escaped(out, topic_->text_of(piece));
      out += "</span>";
      break;
  }
}

// Where a context string defined inside the text stands. A project's page
// gets an anchor to scroll to. In the single page a jump's target is the
// anchor before the topic's section, which the style sheet moves onto this
// point by its CSS anchor name; a point in the non-scrolling region is left
// out, as a jump to it shows the topic from its top.
// A context string defined twice in one topic gets its point at the first:
// a page holds each id once, and a jump lands where the help compiler puts
// the context string.
void TopicHtml::anchor_point(std::string& out, std::string_view context) const {
  if (mode_ == PageMode::single_page && region_ != Region::scrolling) return;
  const std::string name = page_name(context);
  if (!topic_points_.insert(name).second) return;
  if (mode_ == PageMode::project) {
    append(out, "<a id=\"", name, "\"></a>");
  } else {
    append(out, "<span style=\"anchor-name:", css_anchor_name("A", name), "\"></span>");
  }
}

bool TopicHtml::lands_inside(size_t index) const {
  return mode_ == PageMode::single_page && !index_->topic(index).inner.empty();
}

void TopicHtml::styled_text(std::string& out, const CharStyle& style, std::string_view text,
                            bool link) const {
  // The class list, at most "b i u uu s sc c".
  std::array<char, 24> classes{};
  size_t length = 0;
  auto add = [&classes, &length](std::string_view name) {
    if (length != 0) classes[length++] = ' ';
    name.copy(classes.data() + length, name.size());
    length += name.size();
  };
  if (style.bold) add("b");
  if (style.italic) add("i");
  if (!link && style.underline) add("u");
  if (!link && style.double_underline) add("uu");
  if (!link && style.strike) add("s");
  if (style.small_caps) add("sc");
  if (style.caps) add("c");
  // Inherited CSS is what every text of the paragraph has: then a text
  // needs none of its own.
  const std::string_view css =
      inherited_css_.empty() ? std::string_view(char_css(style)) : std::string_view();
  if (length == 0 && css.empty()) {
    append_escaped(out, text);
    return;
  }
  out += "<span";
  if (length != 0) append(out, " class=\"", std::string_view(classes.data(), length), '"');
  if (!css.empty()) append(out, " style=\"", css, '"');
  out += '>';
  append_escaped(out, text);
  out += "</span>";
}

std::string TopicHtml::topic_href(size_t index) const {
  std::string href;
  append_topic_href(href, index);
  return href;
}

void TopicHtml::append_topic_href(std::string& out, size_t index) const {
  const std::string& page = index_->topic(index).page;
  if (mode_ == PageMode::single_page) {
    append(out, '#', page);
  } else {
    append(out, page, ".htm");
  }
}

// The address of `context`, which topic `topic` defines: its page (in the
// single page, its topic's anchor), or, when it stands inside the text, its
// own anchor there: in a project the anchor on the page, in the single page
// the anchor before the topic that the style sheet moves onto that point.
void TopicHtml::append_context_href(std::string& out, size_t topic,
                                    std::string_view context) const {
  const TopicEntry& entry = index_->topic(topic);
  if (entry.inner.empty()) {  // most topics: no context string stands inside
    append_topic_href(out, topic);
    return;
  }
  const std::string key = lookup_key(context);
  if (entry.inner.contains(key)) {
    if (mode_ == PageMode::project) {
      append(out, entry.page, ".htm#", page_name(context));
      return;
    }
    if (has_page_anchor(entry, key)) {
      append(out, '#', page_name(context));
      return;
    }
  }
  append_topic_href(out, topic);
}

std::optional<std::string> TopicHtml::context_href(std::string_view context, size_t* topic) const {
  const std::optional<size_t> found = index_->find(context);
  if (!found) return std::nullopt;
  if (topic != nullptr) *topic = *found;
  std::string href;
  append_context_href(href, *found, context);
  return href;
}

bool has_page_anchor(const TopicEntry& entry, std::string_view key) {
  for (size_t k = 0; k < entry.contexts.size() && k < kMaxPageAnchors; ++k) {
    if (lookup_key(entry.contexts[k]) == key) return true;
  }
  return false;
}

std::string TopicHtml::window_name(std::string_view window) {
  if (window.empty() || equals_ignoring_case(window, "main")) return std::string();
  return cat("w-", page_name(window));
}

void TopicHtml::link_text(std::string& out, const Piece& piece) const {
  const bool popup = topic_->target_of(piece).kind == LinkKind::popup;
  if (link_brackets_) out += popup ? "\x81\x73" : "\x81\x79";  // 《 or 【
  styled_text(out, piece.style, topic_->text_of(piece), true);
  if (link_brackets_) out += popup ? "\x81\x74" : "\x81\x7A";  // 》 or 】
}

namespace {

// The class a hot spot's look adds: " np" (neither underlined nor
// coloured), " nu" (not underlined) or none.
const char* look_class(LinkLook look) {
  return look == LinkLook::plain ? " np" : look == LinkLook::no_underline ? " nu" : "";
}

// The start of a link's tag up to its address: "<a class=\"j np\" href=\"".
std::string_view link_start(LinkKind kind, LinkLook look) {
  static constexpr std::string_view kStarts[2][3] = {
      {"<a class=\"j\" href=\"", "<a class=\"j np\" href=\"", "<a class=\"j nu\" href=\""},
      {"<a class=\"pl\" href=\"", "<a class=\"pl np\" href=\"", "<a class=\"pl nu\" href=\""}};
  const int look_index = look == LinkLook::plain ? 1 : look == LinkLook::no_underline ? 2 : 0;
  return kStarts[kind == LinkKind::popup ? 1 : 0][look_index];
}

}  // namespace

void TopicHtml::hot_spot(std::string& out, const Piece& piece) const {
  const TargetText target = topic_->target_of(piece);
  if (target.kind == LinkKind::macro) {
    append(out, "<span class=\"m", look_class(target.look), "\" title=\"");
    append_escaped(out, target.macro);
    out += "\">";
    link_text(out, piece);
    out += "</span>";
    return;
  }
  const std::string& window = cached_window_name(target.window);
  if (!target.file.empty()) {
    const std::string sibling = sibling_name(target.file);
    LinkDestination destination{LinkShape::anchor, std::string()};
    if (mode_ == PageMode::single_page) {
      append(destination.address, sibling, ".html#", page_name(target.context));
    } else {
      append(destination.address, "../", sibling, '/', page_name(target.context), ".htm");
    }
    open_link(out, destination, target.kind, target.look, window);
    link_text(out, piece);
    out += link_end(LinkShape::anchor);
    return;
  }
  if (deferred_ != nullptr) {
    deferred_->link_open(out, target, window);
    link_text(out, piece);
    deferred_->link_close(out);
    return;
  }
  const LinkDestination destination = this->destination(target.context);
  open_link(out, destination, target.kind, target.look, window);
  link_text(out, piece);
  out += link_end(destination.shape);
}

LinkDestination TopicHtml::destination(std::string_view context) const {
  const std::optional<size_t> found = index_->find(context);
  if (!found) return LinkDestination{};
  const TopicEntry& topic = index_->topic(*found);
  if (topic.popup && mode_ == PageMode::single_page) {
    return LinkDestination{LinkShape::button, topic.page};
  }
  LinkDestination destination{LinkShape::anchor, std::string()};
  append_context_href(destination.address, *found, context);
  return destination;
}

void TopicHtml::open_link(std::string& out, const LinkDestination& destination, LinkKind kind,
                          LinkLook look, std::string_view window) {
  switch (destination.shape) {
    case LinkShape::text_only:  // no topic defines it: the text without a link
      out += "<span class=\"nl\">";
      return;
    case LinkShape::button: {
      append(out, "<button type=\"button\" class=\"", kind == LinkKind::popup ? "pl" : "j",
             look_class(look), "\" popovertarget=\"", destination.address, "\">");
      return;
    }
    case LinkShape::anchor:
      out.append(link_start(kind, look));
      out += destination.address;
      if (!window.empty()) append(out, "\" target=\"", window);
      out += "\">";
      return;
  }
}

std::string_view TopicHtml::link_end(LinkShape shape) {
  switch (shape) {
    case LinkShape::text_only:
      return "</span>";
    case LinkShape::button:
      return "</button>";
    case LinkShape::anchor:
      return "</a>";
  }
  return "";
}

// Hot spots name the same few windows over and over, between hot spots
// that name none. Past the cache's size, the oldest entry makes room.
const std::string& TopicHtml::cached_window_name(std::string_view window) const {
  if (window.empty()) return no_window_;
  const size_t filled = std::min(cached_windows_, kCachedWindows);
  for (size_t i = 0; i < filled; ++i) {
    if (window_names_[i].first == window) return window_names_[i].second;
  }
  auto& entry = window_names_[cached_windows_++ % kCachedWindows];
  entry.first = window;
  entry.second = window_name(window);
  return entry.second;
}

void TopicHtml::bitmap(std::string& out, const Piece& piece) const {
  const std::string_view name = topic_->text_of(piece);
  if (deferred_ != nullptr) {
    deferred_->bitmap(out, piece.placement, name);
    return;
  }
  std::optional<std::string> address;
  if (bitmaps_ != nullptr) address = bitmaps_->place(name);
  bitmap_html(out, piece.placement, name, address);
}

void TopicHtml::bitmap_html(std::string& out, BitmapPlacement placement, std::string_view name,
                            const std::optional<std::string>& address) {
  const char* place = placement == BitmapPlacement::left    ? "bl"
                      : placement == BitmapPlacement::right ? "br"
                                                            : "bc";
  if (!address) {
    append(out, "<span class=\"bm ", place, "\">[");
    append_escaped(out, name);
    out += "]</span>";
    return;
  }
  append(out, "<img class=\"", place, "\" src=\"");
  append_escaped(out, *address);
  out += "\" alt=\"";
  append_escaped(out, name);
  out += "\">";
}

// The shared parts of a topic's page.

const char kCommonStyle[] =
    "body{font-family:\"MS PGothic\",\"IPAPGothic\",\"IPAGothic\",\"Noto Sans CJK "
    "JP\",sans-serif;font-size:10pt}\n"
    "p,.tb div{margin:0}\n"
    "p.e{min-height:1.2em}\n"
    ".caption{font-size:1em;font-weight:normal;background:#e8ecf4;margin:0 0 .3em;padding:.2em "
    ".5em}\n"
    ".nsr{background:#f4f4f4;border-bottom:1px solid #ccc;padding:.2em 0;margin-bottom:.3em}\n"
    ".b{font-weight:bold}.i{font-style:italic}.u{text-decoration:underline}\n"
    ".uu{text-decoration:underline;border-bottom:1px solid}.s{text-decoration:line-through}\n"
    ".sc{font-variant:small-caps}.c{text-transform:uppercase}.t{white-space:pre}\n"
    "a.j,.j{color:#008000;text-decoration:underline}\n"
    "a.pl,.pl{color:#008000;text-decoration:underline;text-decoration-style:dotted}\n"
    "button.j,button.pl{font:inherit;background:none;border:0;padding:0;cursor:pointer}\n"
    ".np{color:inherit!important;text-decoration:none!important}.nu{text-decoration:none!important}"
    "\n"
    ".m{color:#008000;cursor:help}\n"
    ".btn{border:1px outset #aaa;padding:0 .3em;background:#eee;font-size:.9em;cursor:help}\n"
    ".bm{border:1px dashed #c00;color:#c00;padding:0 .2em}\n"
    ".bl{float:left;margin-right:.5em}.br{float:right;margin-left:.5em}\n"
    ".tb{border-collapse:collapse}.tb td{vertical-align:top;padding:0 .3em}\n"
    ".em{color:#666;font-size:.8em;margin:0}\n"
    ".browse{margin-top:1em;border-top:1px solid #ccc;padding-top:.2em}\n";

std::string listed_title(const HelpIndex& help, size_t index) {
  const TopicEntry& entry = help.topic(index);
  return entry.title.empty() ? entry.page : entry.title;
}

void append_caption(std::string& out, std::string_view title) {
  out += "<h1 class=\"caption\">";
  append_escaped(out, title);
  out += "</h1>\n";
}

void append_entry_macros(std::string& out, const Topic& topic) {
  if (topic.macros.empty()) return;
  out += "<p class=\"em\">";
  for (const std::string& macro : topic.macros) {
    out += "<code class=\"m\" title=\"";
    append_escaped(out, macro);
    out += "\">!";
    append_escaped(out, macro);
    out += "</code> ";
  }
  out += "</p>\n";
}

void append_topic_text(std::string& out, const Topic& topic, const TopicHtml& html,
                       std::string_view region_attributes) {
  if (!topic.non_scrolling.empty()) {
    append(out, "<div class=\"nsr\"", region_attributes, ">\n");
    html.blocks(out, topic.non_scrolling, Region::non_scrolling);
    out += "</div>\n";
  }
  out += "<div class=\"body\">\n";
  html.blocks(out, topic.blocks, Region::scrolling);
  out += "</div>\n";
}

void append_browse_links(std::string& out, std::string_view previous, std::string_view next) {
  if (previous.empty() && next.empty()) return;
  out += "<p class=\"browse\">";
  if (!previous.empty()) append(out, "<a rel=\"prev\" href=\"", previous, "\">&lt;&lt;</a> ");
  if (!next.empty()) append(out, "<a rel=\"next\" href=\"", next, "\">&gt;&gt;</a>");
  out += "</p>\n";
}

void append_topic_parts(std::string& out, const Topic& topic, size_t index, const HelpIndex& help,
                        const TopicHtml& html) {
  html.begin_topic(topic);
  append_caption(out, listed_title(help, index));
  append_entry_macros(out, topic);
  std::string region_attributes;
  if (html.lands_inside(index)) {
    append(region_attributes, " style=\"anchor-name:", css_anchor_name("N", help.topic(index).page),
           '"');
  }
  append_topic_text(out, topic, html, region_attributes);
  const std::optional<size_t> previous = help.previous(index);
  const std::optional<size_t> next = help.next(index);
  append_browse_links(out, previous ? html.topic_href(*previous) : std::string(),
                      next ? html.topic_href(*next) : std::string());
}

}  // namespace zek
