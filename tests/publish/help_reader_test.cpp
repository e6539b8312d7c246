// Reading the help compiler's RTF into topics: footnotes, hot-spot target
// forms, the non-scrolling region, bitmaps, raw RTF groups, tables, and
// documents that end badly.
#include "publish/help_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cat.h"
#include "publish/help_index.h"
#include "support/help_documents.h"

namespace zek {
namespace {

std::vector<Topic> read_all(const std::string& rtf, DocumentTables* tables = nullptr) {
  RtfStringSource source(rtf);
  HelpReader reader(source);
  std::vector<Topic> topics;
  Topic topic;
  while (reader.next_topic(topic)) topics.push_back(topic);
  if (tables != nullptr) *tables = reader.tables();
  return topics;
}

// The pieces of the first scrolling paragraph that has any.
std::vector<Piece> first_pieces(const Topic& topic) {
  for (const Block& block : topic.blocks) {
    if (!block.is_table && !block.paragraph.pieces.empty()) return block.paragraph.pieces;
  }
  return {};
}

TEST(HelpReaderTest, FootnotesBecomeTopicProperties) {
  const std::vector<Topic> topics = read_all(
      "{\\rtf1 \\ansi\r\n\\pard \\i0 \\b0 \r\n${\\footnote $Setup}\r\n+{\\footnote main:001}\r\n"
      "#{\\footnote #XX0}\r\nK{\\footnote KSetup;Install; }\r\n!{\\footnote !DB(\"g\")}\r\n"
      "A{\\footnote Aalink}\r\nText{\\par }\r\n{\\page }\r\n${\\footnote $Two}#{\\footnote #XX1}"
      "{\\page }\r\n}\r\n");
  ASSERT_EQ(topics.size(), 2u);
  EXPECT_EQ(topics[0].title, "Setup");
  EXPECT_EQ(topics[0].browse, "main:001");
  EXPECT_EQ(topics[0].contexts, std::vector<std::string>{"XX0"});
  EXPECT_EQ(topics[0].keywords, (std::vector<std::string>{"Setup", "Install"}));
  EXPECT_EQ(topics[0].macros, std::vector<std::string>{"DB(\"g\")"});
  // The reference marks are no text of the page.
  const std::vector<Piece> pieces = first_pieces(topics[0]);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(topics[0].text_of(pieces[0]), "Text");
  EXPECT_EQ(topics[1].title, "Two");
}

TEST(HelpReaderTest, AContextStringInsideTheTextIsAnAnchorThere) {
  const std::vector<Topic> topics =
      read_all("#{\\footnote #XX0}Before{\\par }#{\\footnote #XX5}After{\\par }{\\page }");
  ASSERT_EQ(topics.size(), 1u);
  EXPECT_EQ(topics[0].contexts, (std::vector<std::string>{"XX0", "XX5"}));
  ASSERT_EQ(topics[0].blocks.size(), 2u);
  const std::vector<Piece>& second = topics[0].blocks[1].paragraph.pieces;
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(second[0].kind, PieceKind::anchor);
  EXPECT_EQ(topics[0].text_of(second[0]), "XX5");
}

struct HotSpotCase {
  std::string rtf;
  PieceKind kind;
  LinkKind link;
  std::string context, file, window, macro;
  LinkLook look;
  std::string text;
};

const HotSpotCase kHotSpotCases[] = {
    {"{\\strike Setup}{\\v XX1}", PieceKind::hot_spot, LinkKind::jump, "XX1", "", "", "",
     LinkLook::normal, "Setup"},
    {"{\\ul Note}{\\v XX4}", PieceKind::hot_spot, LinkKind::popup, "XX4", "", "", "",
     LinkLook::normal, "Note"},
    {"{\\uldb Go}{\\v ctx>win}", PieceKind::hot_spot, LinkKind::jump, "ctx", "", "win", "",
     LinkLook::normal, "Go"},
    {"{\\uldb Go}{\\v %ctx@other.hlp>w2}", PieceKind::hot_spot, LinkKind::jump, "ctx", "other.hlp",
     "w2", "", LinkLook::plain, "Go"},
    {"{\\uldb Go}{\\v *ctx}", PieceKind::hot_spot, LinkKind::jump, "ctx", "", "", "",
     LinkLook::no_underline, "Go"},
    {"{\\uldb Run}{\\v !Exec(\"x\")}", PieceKind::hot_spot, LinkKind::macro, "", "", "",
     "Exec(\"x\")", LinkLook::normal, "Run"},
    // The converter's external names: a JI macro is a jump into that file.
    {"{\\uldb Far}{\\v !JI(\"far.hlp\",\"IDM_X\")}", PieceKind::hot_spot, LinkKind::jump, "IDM_X",
     "far.hlp", "", "JI(\"far.hlp\",\"IDM_X\")", LinkLook::normal, "Far"},
    // Visible text in several runs is one hot spot, with the first run's formatting.
    {"{\\strike\\b Bo}{\\strike ld}{\\v XX2}", PieceKind::hot_spot, LinkKind::jump, "XX2", "", "",
     "", LinkLook::normal, "Bold"},
    // Runs long enough that the topic's bytes grow while they are joined.
    {"{\\strike ords such as \\ul Glossary}{\\v X}", PieceKind::hot_spot, LinkKind::jump, "X", "",
     "", "", LinkLook::normal, "ords such as Glossary"},
    // Hot spots in hex escapes (-X) read the same.
    {"{\\strike \\'82\\'a0}{\\v XX3}", PieceKind::hot_spot, LinkKind::jump, "XX3", "", "", "",
     LinkLook::normal, "\x82\xA0"},
    // The first "@" before the first ">" names the file; a trail byte "@" is
    // part of its character.
    {"{\\uldb A}{\\v a@b@c>w>x}", PieceKind::hot_spot, LinkKind::jump, "a", "b@c", "w>x", "",
     LinkLook::normal, "A"},
    {"{\\uldb B}{\\v c>w@x}", PieceKind::hot_spot, LinkKind::jump, "c", "", "w@x", "",
     LinkLook::normal, "B"},
    {"{\\uldb C}{\\v \x83\x40x@f.hlp}", PieceKind::hot_spot, LinkKind::jump, "\x83\x40x", "f.hlp",
     "", "", LinkLook::normal, "C"},
    // -W buttons and bitmaps by reference.
    {"\\{button Open,HelpProc(\"FILE\")\\}", PieceKind::button, LinkKind::macro, "", "", "",
     "HelpProc(\"FILE\")", LinkLook::normal, "Open"},
};

TEST(HelpReaderTest, HotSpotTargetForms) {
  for (const HotSpotCase& c : kHotSpotCases) {
    const std::vector<Topic> topics = read_all("#{\\footnote #T}" + c.rtf + "{\\par }{\\page }");
    ASSERT_EQ(topics.size(), 1u) << c.rtf;
    const std::vector<Piece> pieces = first_pieces(topics[0]);
    ASSERT_EQ(pieces.size(), 1u) << c.rtf;
    const Piece& piece = pieces[0];
    EXPECT_EQ(piece.kind, c.kind) << c.rtf;
    EXPECT_EQ(topics[0].text_of(piece), c.text) << c.rtf;
    EXPECT_EQ(topics[0].target_of(piece).kind, c.link) << c.rtf;
    EXPECT_EQ(topics[0].target_of(piece).context, c.context) << c.rtf;
    EXPECT_EQ(topics[0].target_of(piece).file, c.file) << c.rtf;
    EXPECT_EQ(topics[0].target_of(piece).window, c.window) << c.rtf;
    EXPECT_EQ(topics[0].target_of(piece).macro, c.macro) << c.rtf;
    EXPECT_EQ(topics[0].target_of(piece).look, c.look) << c.rtf;
  }
}

// A piece as one line: its kind, text and where it leads.
std::string piece_line(const Topic& topic, const Piece& piece) {
  const TargetText target = topic.target_of(piece);
  return cat(static_cast<int>(piece.kind), '|', topic.text_of(piece), '|',
             static_cast<int>(target.kind), '|', static_cast<int>(target.look), '|', target.context,
             '|', target.file, '|', target.window, '|', target.macro);
}

// The first piece of each topic, read without keeping the topics: the reader
// takes back what a topic held (its piece lists, its hot spots' targets) for
// the topics after it.
std::vector<std::string> first_piece_lines(const std::string& rtf) {
  RtfStringSource source(rtf);
  HelpReader reader(source);
  std::vector<std::string> lines;
  Topic topic;
  while (reader.next_topic(topic)) {
    const std::vector<Piece> pieces = first_pieces(topic);
    lines.push_back(pieces.empty() ? std::string() : piece_line(topic, pieces[0]));
  }
  return lines;
}

// A topic read after others reads as it does alone: nothing of an earlier
// hot spot's target (its window, file, macro or look) stays on a later one.
TEST(HelpReaderTest, ATopicReadsAsAloneAfterOthers) {
  std::vector<std::string> alone;
  for (const HotSpotCase& c : kHotSpotCases) {
    const std::vector<std::string> lines =
        first_piece_lines("#{\\footnote #T}" + c.rtf + "{\\par }{\\page }");
    ASSERT_EQ(lines.size(), 1u) << c.rtf;
    alone.push_back(lines[0]);
  }
  for (const bool reversed : {false, true}) {
    std::string rtf;
    std::vector<std::string> expected;
    for (size_t i = 0; i < alone.size(); ++i) {
      const size_t k = reversed ? alone.size() - 1 - i : i;
      // Each topic holds several paragraphs, so that piece lists come back too.
      append(rtf, "#{\\footnote #T", i, "}", kHotSpotCases[k].rtf, "{\\par }a{\\par }\\b b\\b0 c",
             kHotSpotCases[k].rtf, "{\\par }{\\page }");
      expected.push_back(alone[k]);
    }
    EXPECT_EQ(first_piece_lines(rtf), expected) << rtf;
  }
}

TEST(HelpReaderTest, HiddenTextWithoutHotSpotShowsNothing) {
  const std::vector<Topic> topics =
      read_all("#{\\footnote #T}a{\\v secret}b\\v more\\v0 c{\\page }");
  ASSERT_EQ(topics.size(), 1u);
  const std::vector<Piece> pieces = first_pieces(topics[0]);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(topics[0].text_of(pieces[0]), "abc");
}

// Topics far longer than the storage a topic handed back keeps (64 KB of
// text, 1,024 targets), read in turn with short ones into one reused topic:
// each hot spot keeps its own text and target, also where a run or a hidden
// text is cut by the end of the reader's buffer.
TEST(HelpReaderTest, LongAndShortTopicsInTurnKeepTheirHotSpots) {
  const std::vector<size_t> hot_spots = {3, 2500, 1, 1500, 2};
  std::string rtf;
  std::vector<std::string> expected;
  for (size_t t = 0; t < hot_spots.size(); ++t) {
    std::string lines;
    append(rtf, "#{\\footnote #T", t, '}');
    for (size_t k = 0; k < hot_spots[t]; ++k) {
      append(rtf, "text ", k, " {\\strike Go ", t, '_', k, " }{\\v X", t, '_', k, ">w", k % 3,
             "} ");
      append(lines, "Go ", t, '_', k, " |X", t, '_', k, "|w", k % 3, '\n');
    }
    rtf += "{\\par }{\\page }";
    expected.push_back(lines);
  }
  RtfStringSource source(rtf);
  HelpReader reader(source);
  Topic topic;
  std::vector<std::string> read;
  while (reader.next_topic(topic)) {
    std::string lines;
    for_each_piece(topic, [&lines, &topic](const Piece& piece) {
      if (piece.kind != PieceKind::hot_spot) return;
      const TargetText target = topic.target_of(piece);
      append(lines, topic.text_of(piece), '|', target.context, '|', target.window, '\n');
    });
    read.push_back(lines);
  }
  EXPECT_EQ(read, expected);
}

// "{\page tail}": the text after the break, read before the topic is handed
// out, is the next topic's, with its own bytes.
TEST(HelpReaderTest, TextAfterAPageBreakInItsGroupStartsTheNextTopic) {
  const std::vector<Topic> topics =
      read_all("#{\\footnote #A}One{\\page tail}#{\\footnote #B}Two{\\par }{\\page }");
  ASSERT_EQ(topics.size(), 2u);
  std::string texts;
  for (const Piece& piece : first_pieces(topics[1])) append(texts, topics[1].text_of(piece), '|');
  EXPECT_EQ(texts, "tail|B|Two|");
  // Carried in a hot spot's formatting, it starts the next topic's hot spot.
  const std::vector<Topic> linked =
      read_all("#{\\footnote #A}One\\strike {\\page tail} end{\\v XX1}\\strike0{\\page }");
  ASSERT_EQ(linked.size(), 2u);
  const std::vector<Piece> pieces = first_pieces(linked[1]);
  ASSERT_FALSE(pieces.empty());
  EXPECT_EQ(pieces.back().kind, PieceKind::hot_spot);
  EXPECT_EQ(linked[1].text_of(pieces.back()), "tail end");
  EXPECT_EQ(linked[1].target_of(pieces.back()).context, "XX1");
}

TEST(HelpReaderTest, LeadingKeepnParagraphsAreTheNonScrollingRegion) {
  const std::vector<Topic> topics = read_all(
      "#{\\footnote #T}{\\keepn\r\nHead{\\par }\r\nMore{\\par }\\pard }Body{\\par }"
      "\\keepn Late{\\par }{\\page }");
  ASSERT_EQ(topics.size(), 1u);
  ASSERT_EQ(topics[0].non_scrolling.size(), 2u);
  EXPECT_EQ(topics[0].text_of(topics[0].non_scrolling[1].paragraph.pieces[0]), "More");
  // A \keepn paragraph after the scrolling text has begun scrolls with it.
  ASSERT_EQ(topics[0].blocks.size(), 2u);
}

TEST(HelpReaderTest, BitmapsByReference) {
  const std::vector<Topic> topics = read_all(
      "#{\\footnote #T}\\{bmc a.bmp\\}\\{bmlt b.png\\}{\\bmr c.wmf}\\{ewc x.dll,w,1\\}"
      "\\{BMRT d.bmp\\}before \\{not a picture\\} after{\\page }");
  ASSERT_EQ(topics.size(), 1u);
  const std::vector<Piece> pieces = first_pieces(topics[0]);
  ASSERT_EQ(pieces.size(), 5u);
  EXPECT_EQ(pieces[0].kind, PieceKind::bitmap);
  EXPECT_EQ(topics[0].text_of(pieces[0]), "a.bmp");
  EXPECT_EQ(pieces[0].placement, BitmapPlacement::character);
  EXPECT_EQ(pieces[1].placement, BitmapPlacement::left);
  EXPECT_TRUE(pieces[1].transparent);
  EXPECT_EQ(topics[0].text_of(pieces[2]), "c.wmf");
  EXPECT_EQ(pieces[2].placement, BitmapPlacement::right);
  // An embedded window shows nothing; the words are read in any case.
  EXPECT_EQ(topics[0].text_of(pieces[3]), "d.bmp");
  EXPECT_EQ(pieces[3].placement, BitmapPlacement::right);
  EXPECT_TRUE(pieces[3].transparent);
  // Other escaped braces are text, one with the text around them.
  EXPECT_EQ(topics[0].text_of(pieces[4]), "before {not a picture} after");
}

TEST(HelpReaderTest, RawRtfGroupsAndTables) {
  DocumentTables tables;
  const std::vector<Topic> topics = read_all(
      "{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset128 \x82\x6C\x82\x72 Gothic;}{\\f1\\fswiss Arial;}}"
      "{\\colortbl ;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}{\\*\\unknown hidden}"
      "#{\\footnote #T}{\\f1\\fs28\\cf1\\qc Big}\\unknownword{\\par }"
      "\\trowd\\cellx1000\\cellx3000\\pard\\intbl A\\cell B\\cell\\row\\pard After{\\par }{\\page "
      "}}",
      &tables);
  ASSERT_EQ(tables.fonts.size(), 2u);
  EXPECT_EQ(tables.fonts[0].name, "\x82\x6C\x82\x72 Gothic");
  EXPECT_EQ(tables.fonts[0].charset, 128);
  EXPECT_EQ(tables.fonts[1].family, "swiss");
  ASSERT_EQ(tables.colors.size(), 2u);
  EXPECT_TRUE(tables.colors[0].automatic);
  EXPECT_EQ(tables.colors[1].red, 255);
  ASSERT_EQ(topics.size(), 1u);
  ASSERT_EQ(topics[0].blocks.size(), 3u);
  const Paragraph& big = topics[0].blocks[0].paragraph;
  ASSERT_EQ(big.pieces.size(), 1u);
  EXPECT_EQ(topics[0].text_of(big.pieces[0]),
            "Big");  // no stylesheet, unknown destination or word shows
  EXPECT_EQ(big.pieces[0].style.font, 1);
  EXPECT_EQ(big.pieces[0].style.size, 28);
  EXPECT_EQ(big.pieces[0].style.color, 1);
  const Block& table = topics[0].blocks[1];
  ASSERT_TRUE(table.is_table);
  ASSERT_EQ(table.rows.size(), 1u);
  ASSERT_EQ(table.rows[0].cells.size(), 2u);
  EXPECT_EQ(table.rows[0].cell_edges, (std::vector<int32_t>{1000, 3000}));
  EXPECT_EQ(topics[0].text_of(table.rows[0].cells[1].paragraphs[0].pieces[0]), "B");
  EXPECT_EQ(topics[0].text_of(topics[0].blocks[2].paragraph.pieces[0]), "After");
}

TEST(HelpReaderTest, ParagraphFormatting) {
  const std::vector<Topic> topics = read_all(
      "#{\\footnote #T}{\\li600 \\fi-400\\ri200 \\sb120\\sa60\\box\\brdrdb\\tqr\\tx500\\tx900 "
      "A\\tab B\\line C{\\par }\\pard }D{\\par }{\\page }");
  ASSERT_EQ(topics.size(), 1u);
  ASSERT_EQ(topics[0].blocks.size(), 2u);
  const ParaStyle& style = topics[0].blocks[0].paragraph.style;
  EXPECT_EQ(style.left_indent, 600);
  EXPECT_EQ(style.first_indent, -400);
  EXPECT_EQ(style.right_indent, 200);
  EXPECT_EQ(style.space_before, 120);
  EXPECT_EQ(style.space_after, 60);
  EXPECT_TRUE(style.border_top && style.border_bottom && style.border_left && style.border_right);
  EXPECT_EQ(style.border_line, BorderLine::double_line);
  ASSERT_EQ(style.tabs.size(), 2u);
  EXPECT_EQ(style.tabs[0].alignment, Alignment::right);
  EXPECT_EQ(style.tabs[1].alignment, Alignment::left);
  const std::vector<Piece>& pieces = topics[0].blocks[0].paragraph.pieces;
  ASSERT_EQ(pieces.size(), 5u);
  EXPECT_EQ(pieces[1].kind, PieceKind::tab);
  EXPECT_EQ(pieces[3].kind, PieceKind::line_break);
  EXPECT_EQ(topics[0].blocks[1].paragraph.style, ParaStyle());
}

// Documents that end badly still give their topics, and nothing is lost
// or read twice.
TEST(HelpReaderTest, BadEndings) {
  const std::string cases[] = {
      "{\\rtf1 #{\\footnote #A}Text",              // no \page, no closing brace
      "#{\\footnote #A}{{{{Text",                  // groups never closed
      "#{\\footnote #A}}}}}Text{\\page }}}}",      // more closing than opening
      "#{\\footnote #A}\\{bmc never closed Text",  // escaped brace never closed
      "#{\\footnote #A}{\\strike Text}{\\v XX",    // hidden text at the very end
  };
  for (const std::string& rtf : cases) {
    const std::vector<Topic> topics = read_all(rtf);
    ASSERT_EQ(topics.size(), 1u) << rtf;
    EXPECT_EQ(topics[0].contexts, std::vector<std::string>{"A"}) << rtf;
    std::string text;
    for (const Block& block : topics[0].blocks) {
      for (const Piece& piece : block.paragraph.pieces) text += topics[0].text_of(piece);
    }
    EXPECT_NE(text.find("Text"), std::string::npos) << rtf;
  }
}

TEST(HelpReaderTest, DeepNestingIsBounded) {
  std::string rtf = "#{\\footnote #A}";
  for (int i = 0; i < 100000; ++i) rtf += '{';
  rtf += "deep";
  for (int i = 0; i < 100000; ++i) rtf += '}';
  rtf += "Shown{\\page }";
  const std::vector<Topic> topics = read_all(rtf);
  ASSERT_EQ(topics.size(), 1u);
  EXPECT_EQ(topics[0].text_of(first_pieces(topics[0]).back()), "Shown");
}

// Everything a read makes of a document, a line for each property, paragraph
// and piece, with the pieces' formatting.
std::string document_lines(const std::string& rtf) {
  std::string out;
  const auto style_line = [&out](const CharStyle& s) {
    append(out, ' ', s.bold, s.italic, s.underline, s.double_underline, s.strike, s.hidden,
           s.small_caps, s.caps, ' ', s.font, ' ', s.size, ' ', s.color, '\n');
  };
  const auto paragraph_lines = [&](const Topic& topic, const Paragraph& paragraph) {
    const ParaStyle& p = paragraph.style;
    append(out, "P ", p.left_indent, ' ', p.first_indent, ' ', static_cast<int>(p.alignment), ' ',
           p.non_scroll, p.in_table, ' ', p.tabs.size(), '\n');
    for (const Piece& piece : paragraph.pieces) {
      append(out, piece_line(topic, piece), ' ', static_cast<int>(piece.placement));
      style_line(piece.style);
    }
  };
  for (const Topic& topic : read_all(rtf)) {
    append(out, "T ", topic.title, '|', topic.browse, '|', topic.window, '\n');
    for (const std::string& context : topic.contexts) append(out, "# ", context, '\n');
    for (const std::string& keyword : topic.keywords) append(out, "K ", keyword, '\n');
    for (const std::string& macro : topic.macros) append(out, "! ", macro, '\n');
    for (const std::vector<Block>* list : {&topic.non_scrolling, &topic.blocks}) {
      for (const Block& block : *list) {
        if (!block.is_table) {
          paragraph_lines(topic, block.paragraph);
          continue;
        }
        for (const TableRow& row : block.rows) {
          for (const TableCell& cell : row.cells) {
            out += "cell\n";
            for (const Paragraph& paragraph : cell.paragraphs) paragraph_lines(topic, paragraph);
          }
        }
      }
    }
  }
  return out;
}

// A group of one control word and plain text ("{\strike Setup}", "{\par }")
// is taken whole; it must read as its tokens do. A line end after the "{"
// changes no token but keeps the group from being taken whole.
TEST(HelpReaderTest, GroupsTakenWholeReadAsTheirTokens) {
  std::vector<std::string> documents = {
      "#{\\footnote #T}{\\strike a}{\\strike b}{\\v T2}{\\ul }{\\v P}{\\par }{\\page }",
      "#{\\footnote #T}\\v x{\\ul shown}y\\v0 z{\\plain p}{\\v }{\\b bold}{\\i}{\\line }q",
      "#{\\footnote #T}\\ul u{\\v A}{\\ulnone n}{\\v B}\\ul0 {\\tab }{\\v0 w}{\\caps c}",
      "#{\\footnote #T}{\\uldb \x95\x5C\x8E\xA6}{\\v \x83\x5C>win}{\\fooword text}{\\bmc a.bmp}",
      "\\pard\\keepn {\\b head}{\\par }\\pard x{\\strike j}{\\v %!Macro(1)}{\\par }{\\page }",
      "{\\*\\unknown {\\strike no}}a\\{{\\bmc x.bmp}\\} #{\\footnote #Late}{\\par }{\\cell }",
      "\\trowd\\cellx100 \\intbl {\\strike c}{\\v T}{\\cell }\\row \\pard after{\\page }",
      "#{\\footnote #T}{\\strike s}\\v T{\\plain}more\\v0 after{\\strike t}\\v U{\\ulnone}V",
      "#{\\footnote #A}a{\\page }#{\\footnote #B}{\\b b}{\\par }{\\page }{\\b c}{\\page }",
      "#{\\footnote #T}{\\f2 numbered}{\\strike \x81}{\\v T}{\\strike}{\\v}{\\strike x",
  };
  for (const HotSpotCase& c : kHotSpotCases) {
    documents.push_back("#{\\footnote #T}" + c.rtf + "{\\par }{\\page }");
  }
  documents.push_back(testing::documents_long().substr(0, 20000));
  for (const std::string& rtf : documents) {
    std::string spread;
    for (const char c : rtf) {
      spread += c;
      if (c == '{') spread += "\r\n";
    }
    const std::string lines = document_lines(rtf);
    EXPECT_FALSE(lines.empty()) << rtf;
    EXPECT_EQ(lines, document_lines(spread)) << rtf;
  }
}

}  // namespace
}  // namespace zek
