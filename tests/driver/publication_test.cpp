// Whole runs in the HTML modes: the page and the project are well formed
// whatever the source holds, nothing from the source becomes markup or an
// address, -X changes nothing, and the output extension picks the mode.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/cat.h"
#include "support/memory_environment.h"
#include "support/strict_html.h"

namespace zek {
namespace {

using testing::MemoryEnvironment;

std::string read_example(const std::string& name) {
  std::ifstream in(std::string(ZEK2RTF_SOURCE_DIR) + "/examples/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Runs the converter on `source` as "in.zek"; the environment afterwards.
MemoryEnvironment run_on(const std::string& source, const std::vector<std::string>& arguments,
                         int* status = nullptr) {
  MemoryEnvironment env;
  env.files["in.zek"] = source;
  const testing::RunResult result = testing::run(env, arguments);
  if (status != nullptr) *status = result.status;
  return env;
}

// Sources that try to put markup, script or addresses of their own into
// the page, and sources that end badly.
const char* const kHostileSources[] = {
    ".start\r\n.topic <script>alert(1)</script>\r\n.title\r\nx <b onclick=\"y\">&amp;\r\n.end\r\n",
    ".start\r\n.topic T\" onmouseover=\"alert(1)\r\n.search k\"><img src=x onerror=y>\r\n.end\r\n",
    ".start\r\n.topic A\r\n'{\\strike Go}{\\v javascript:alert(1)}{\\uldb Far}{\\v "
    "x@http://evil.example/a.hlp>w\"x}\r\n'{\\uldb M}{\\v !\"><script>x</script>}\r\n.end\r\n",
    ".start\r\n'{\\fonttbl{\\f0\\fnil x\\'22</style><script>;}{\\f1 y\\'22 z;}"
    "{\\f2\\fswiss\\fcharset128 Arial;}}\r\n.topic A\r\n"
    "'{\\f0 a}{\\f1 b}{\\f2 c}\\{bmc \"><script>.bmp\\}\\{bmc ../../etc/passwd.bmp\\}\r\n.end\r\n",
    // Unbalanced braces, no .end, a popup never closed, an unknown jump.
    ".start\r\n.topic A\r\n'{\\b {{{ \\{bmc x\r\n.popup P\r\n.noscroll\r\nIn P\r\n"
    "'}}}}}}}}{\\strike nowhere}{\\v NOWHERE}\r\n",
    ".start\r\n.topic A\r\n'{\\trowd\\cellx10\\intbl a\\cell\r\n'\\pard\\intbl\r\n",
    ".start\r\n.topic \x82\xA0\x82\r\n\x82<p>\r\n",
};

TEST(PublicationTest, HostileSourcesGiveSafeWellFormedPages) {
  for (const char* source : kHostileSources) {
    MemoryEnvironment page_env = run_on(source, {"in.zek", "out.html"});
    const std::string& page = page_env.files["out.html"];
    ASSERT_FALSE(page.empty()) << source;
    EXPECT_EQ(testing::check_page(page), "") << source << "\n" << page;
    EXPECT_EQ(page.find("javascript"), std::string::npos) << page;
    MemoryEnvironment project_env = run_on(source, {"in.zek", "out.hhp"});
    for (const auto& [name, bytes] : project_env.files) {
      if (name.size() < 4 || name.substr(name.size() - 4) != ".htm") continue;
      EXPECT_EQ(testing::check_page(bytes), "") << name << "\n" << bytes;
    }
    // No file outside the project's own names.
    for (const auto& [name, bytes] : project_env.files) {
      const bool own = name == "in.zek" || name.rfind("out.", 0) == 0 || name.rfind("out/", 0) == 0;
      EXPECT_TRUE(own) << name;
      EXPECT_EQ(name.find(".."), std::string::npos) << name;
    }
  }
}

TEST(PublicationTest, HexKanjiChangesNothing) {
  const std::string sample = read_example("sample.zek");
  ASSERT_FALSE(sample.empty());
  for (const char* output : {"out.html", "out.hhp"}) {
    MemoryEnvironment plain = run_on(sample, {"/", "in.zek", output});
    MemoryEnvironment hex = run_on(sample, {"/", "-X", "in.zek", output});
    EXPECT_EQ(plain.files, hex.files) << output;
  }
}

TEST(PublicationTest, ExtensionPicksTheMode) {
  const std::string source = ".start\r\n.topic Main\r\nText\r\n.end\r\n";
  for (const char* output : {"a.htm", "a.HTML", "a.Htm"}) {
    MemoryEnvironment env = run_on(source, {"in.zek", output});
    EXPECT_EQ(env.files[output].rfind("<!DOCTYPE html>", 0), 0u) << output;
  }
  MemoryEnvironment project = run_on(source, {"in.zek", "help.HHP"});
  EXPECT_EQ(project.files.count("help.hhp"), 1u);
  EXPECT_EQ(project.files.count("help.hhc"), 1u);
  EXPECT_EQ(project.files.count("help.hhk"), 1u);
  EXPECT_EQ(project.files.count("help/xx0.htm"), 1u);
  MemoryEnvironment rtf = run_on(source, {"in.zek", "a.hta"});
  EXPECT_EQ(rtf.files["a.hta"].rfind("{\\rtf1", 0), 0u);
}

TEST(PublicationTest, ProjectPagesLinkEachOtherAndForwardAliases) {
  const std::string source =
      ".start\r\n.browse seq\r\n.topic One\r\n.alias First\r\nSee Two and Note.\r\n"
      ".topic Two\r\nBack to First.\r\n.popup Note\r\nA note.\r\n.end\r\n";
  MemoryEnvironment env = run_on(source, {"in.zek", "h.hhp"});
  const std::string& one = env.files["h/xx0.htm"];
  EXPECT_NE(one.find("<a class=\"j\" href=\"xx2.htm\">Two</a>"), std::string::npos) << one;
  EXPECT_NE(one.find("<a class=\"pl\" href=\"xx3.htm\">Note</a>"), std::string::npos) << one;
  EXPECT_NE(one.find("<a rel=\"next\" href=\"xx2.htm\">"), std::string::npos) << one;
  EXPECT_NE(env.files["h/xx2.htm"].find("<a rel=\"prev\" href=\"xx0.htm\">"), std::string::npos);
  // The alias's page forwards to its topic.
  EXPECT_NE(env.files["h/xx1.htm"].find("url=xx0.htm"), std::string::npos);
  // The popup is no entry of the contents; the browse sequence is a book.
  const std::string& contents = env.files["h.hhc"];
  EXPECT_EQ(contents.find("xx3.htm"), std::string::npos);
  EXPECT_NE(contents.find("value=\"seq\""), std::string::npos);
}

TEST(PublicationTest, SinglePageShowsPopupsAsPopovers) {
  const std::string source =
      ".start\r\n.topic One\r\nSee Note and Two.\r\n.topic Two\r\nx\r\n.popup Note\r\nA note.\r\n"
      ".end\r\n";
  MemoryEnvironment env = run_on(source, {"in.zek", "p.html"});
  const std::string& page = env.files["p.html"];
  EXPECT_NE(page.find("<button type=\"button\" class=\"pl\" popovertarget=\"xx2\">Note</button>"),
            std::string::npos);
  EXPECT_NE(page.find("<div class=\"popup\" popover id=\"xx2\">"), std::string::npos);
  // The first topic comes first, so that a browser draws it before it has
  // read the others.
  EXPECT_LT(page.find("<section class=\"topic first\">"), page.find("id=\"xx1\""));
}

}  // namespace
}  // namespace zek

namespace zek {
namespace {

// -K brackets hot spots as the text output does; -W makes the title's
// shortcut button an authored button, without it a macro hot spot: both
// inert, with the macro as their tooltip.
TEST(PublicationTest, BracketsAndButtons) {
  const std::string source =
      ".start\r\n.shortcutmode\r\n.shortcutstr Open\r\n.topic One\r\n.id IDM_FILE\r\n.title\r\n"
      "See Two and Note.\r\n.topic Two\r\nx\r\n.popup Note\r\ny\r\n.end\r\n";
  const std::string plain = run_on(source, {"in.zek", "p.html"}).files["p.html"];
  const std::string brackets = run_on(source, {"-K", "in.zek", "p.html"}).files["p.html"];
  const std::string workshop = run_on(source, {"-W", "in.zek", "p.html"}).files["p.html"];
  EXPECT_NE(plain.find(">Two</a>"), std::string::npos);
  EXPECT_NE(brackets.find(">\xE3\x80\x90Two\xE3\x80\x91</a>"), std::string::npos);  // 【Two】
  EXPECT_NE(brackets.find(">\xE3\x80\x8ANote\xE3\x80\x8B</button>"), std::string::npos);  // 《》
  EXPECT_NE(plain.find("<span class=\"m\" title=\"HelpProc(&quot;FILE&quot;)\">Open</span>"),
            std::string::npos);
  EXPECT_NE(workshop.find("<span class=\"btn\" title=\"HelpProc(&quot;FILE&quot;)\">Open</span>"),
            std::string::npos);
}

}  // namespace
}  // namespace zek

namespace zek {
namespace {

// BMP and PNG files beside the source are shown (and copied into a project);
// other kinds, files that are no bitmaps and missing files are placeholders
// that -C names at the lines that name them (once per line), whichever form
// names them: escaped braces in raw RTF, a raw "{\\bmc}" group, body text;
// a "{" that is a double-byte character's second byte opens no picture.
TEST(PublicationTest, Bitmaps) {
  MemoryEnvironment env;
  env.files["in.zek"] =
      ".start\r\n.topic A\r\n'\\{bmc pic.png\\}\\{bml old.BMP\\}\\{bmr fake.bmp\\}\r\n"
      "'{\\bmc gone.png}\r\nText {BMCT art.wmf} and {bmc art.wmf}.\r\n"
      "No pictures: \x83{bmc gone.png} {bmcx gone.png}\r\n.end\r\n";
  env.files["pic.png"] = std::string("\x89PNG\r\n\x1A\n", 8) + "data";
  env.files["old.BMP"] = "BMdata";
  env.files["fake.bmp"] = "<svg onload=x>";
  env.files["art.wmf"] = "wmf";
  const testing::RunResult page = testing::run(env, {"-C", "in.zek", "p.html"});
  EXPECT_EQ(page.status, 0);
  const std::string& html = env.files["p.html"];
  EXPECT_NE(html.find("<img class=\"bc\" src=\"pic.png\" alt=\"pic.png\">"), std::string::npos);
  EXPECT_NE(html.find("<img class=\"bl\" src=\"old.BMP\" alt=\"old.BMP\">"), std::string::npos);
  EXPECT_NE(html.find("<span class=\"bm br\">[fake.bmp]</span>"), std::string::npos);
  EXPECT_EQ(page.err,
            "in.zek 3: warning bitmap fake.bmp is shown as its name\n"
            "in.zek 4: warning bitmap gone.png is shown as its name\n"
            "in.zek 5: warning bitmap art.wmf is shown as its name\n");
  const testing::RunResult project = testing::run(env, {"in.zek", "h.hhp"});
  EXPECT_EQ(project.status, 0);
  EXPECT_EQ(env.files["h/pic.png"], env.files["pic.png"]);
  EXPECT_EQ(env.files["h/old.BMP"], "BMdata");
  EXPECT_EQ(env.files.count("h/fake.bmp"), 0u);
  EXPECT_NE(env.files["h.hhp"].find("h/old.BMP\r\nh/pic.png\r\n"), std::string::npos);
}

// A help long enough to be written in two parts at once: the topics stand in
// the order of the source, in the page and in the project's list of files,
// and the warnings keep the order of the source lines.
TEST(PublicationTest, LongHelpKeepsTheOrderOfTheSource) {
  std::string source = ".start\r\n.browse tour\r\n";
  std::string warnings;
  int line = 2;
  for (int i = 1; i <= 60; ++i) {
    append(source, ".topic Topic", i, "\r\nTopic", i % 60 + 1, ".\r\n");
    line += 2;
    if (i % 10 == 3) {
      append(source, "'\\{bmc pic", i, ".wmf\\}\r\n");
      append(warnings, "in.zek ", ++line, ": warning bitmap pic", i, ".wmf is shown as its name\n");
    }
    if (i % 10 == 7) {
      source += "'\\{bml pic.png\\}\r\n";
      ++line;
    }
  }
  source += ".end\r\n";
  MemoryEnvironment env;
  env.files["in.zek"] = source;
  env.files["pic.png"] = cat(std::string_view("\x89PNG\r\n\x1A\n", 8), "data");
  const testing::RunResult page = testing::run(env, {"-C", "in.zek", "p.html"});
  EXPECT_EQ(page.status, 0);
  EXPECT_EQ(page.err, warnings);
  const std::string& html = env.files["p.html"];
  EXPECT_EQ(testing::check_page(html), "");
  const testing::RunResult project = testing::run(env, {"-C", "in.zek", "h.hhp"});
  EXPECT_EQ(project.status, 0);
  EXPECT_EQ(project.err, warnings);
  const std::string& listing = env.files["h.hhp"];
  size_t in_page = 0;
  size_t in_listing = 0;
  for (int i = 1; i <= 60; ++i) {
    const std::string page_name = cat("xx", i - 1);  // the topic's context string
    const size_t at = html.find(cat("<a class=\"an\" id=\"", page_name, '"'), in_page);
    ASSERT_NE(at, std::string::npos) << i;
    in_page = at;
    const size_t listed = listing.find(cat("h/", page_name, ".htm\r\n"), in_listing);
    ASSERT_NE(listed, std::string::npos) << i;
    in_listing = listed;
    EXPECT_EQ(testing::check_page(env.files[cat("h/", page_name, ".htm")]), "") << i;
  }
  EXPECT_NE(listing.find("h/pic.png\r\n"), std::string::npos);
}

// A page that cannot be written leaves no bitmap copies beside it.
TEST(PublicationTest, FailedPageLeavesNoBitmaps) {
  MemoryEnvironment env;
  env.files["in.zek"] = ".start\r\n.topic A\r\n'\\{bmc pic.png\\}\r\n.end\r\n";
  env.files["pic.png"] = std::string("\x89PNG\r\n\x1A\n", 8) + "data";
  env.full.push_back("out/p.html");
  const testing::RunResult failed = testing::run(env, {"--", "in.zek", "out/p.html"});
  EXPECT_NE(failed.status, 0);
  EXPECT_EQ(env.files.count("out/pic.png"), 0u);
  EXPECT_EQ(env.files.count("out/p.html"), 0u);
  env.full.clear();
  const testing::RunResult written = testing::run(env, {"--", "in.zek", "out/p.html"});
  EXPECT_EQ(written.status, 0);
  EXPECT_EQ(env.files["out/pic.png"], env.files["pic.png"]);
}

}  // namespace
}  // namespace zek
