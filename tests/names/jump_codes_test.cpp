// Hidden jump codes in raw RTF and raw regions of body text.
#include "names/jump_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zek {
namespace {

TEST(JumpCodesTest, ContextStringOfACode) {
  const std::pair<const char*, const char*> cases[] = {
      {"Intro", "Intro"},
      {" Intro ", "Intro"},
      {"XX3>main", "XX3"},
      {"%Intro", "Intro"},
      {"*Intro>sub", "Intro"},
      {"!JI(`a.hlp',`x')", ""},
      {"Intro@other.hlp", ""},
      {"Intro@other.hlp>w", ""},
      {"", ""},
      {"   ", ""},
      {"%", ""},
      {"a b", "a b"},
      {"\x82\x3E>w", "\x82\x3E"},  // the trail byte 0x3E is no ">"
  };
  for (const auto& [code, expected] : cases) {
    EXPECT_EQ(jump_context_string(code), expected) << code;
  }
}

TEST(JumpCodesTest, HiddenGroupsOfRawRtf) {
  using Targets = std::vector<std::string>;
  const std::pair<const char*, Targets> cases[] = {
      {"{\\ul Note}{\\v XX1}", {"XX1"}},
      {"{\\strike A}{\\v Alpha}and{\\uldb B}{\\v Beta>win}", {"Alpha", "Beta"}},
      {"{\\v}", {}},
      {"{\\v0 x}", {}},
      {"{\\viewkind x}", {}},
      {"\\{\\v Escaped}", {}},
      {"{\\v {\\b x}}", {}},
      {"{\\v \\b x}", {}},
      {"{\\v Open", {}},
      {"{\\v", {}},
      {"{\\v !Macro()}", {}},
      {"{\\v\tTabbed}", {"Tabbed"}},
      {"{\\v\\b0}{\\v Next}", {"Next"}},
      // A trail byte "{" (0x81 0x7B) and "\" (0x83 0x5C) opens nothing.
      {"\x81{\\v Hidden}{\\v Shown}", {"Shown"}},
      {"{\\v \x83\\}", {"\x83\\"}},
  };
  for (const auto& [rtf, expected] : cases) {
    EXPECT_EQ(hidden_jump_targets(rtf), expected) << rtf;
  }
}

TEST(JumpCodesTest, RawRegionsOfBodyText) {
  using Regions = std::vector<std::string_view>;
  const std::pair<std::string, Regions> cases[] = {
      {"plain", {}},
      {"a\x13{\\v X}\x11 b", {"{\\v X}"}},
      {"\x13one\x11 and \x13two", {"one", "two"}},
      {"\x13\x13twice\x11\x11", {"\x13twice"}},
      {"off\x11 first", {}},
  };
  for (const auto& [body, expected] : cases) {
    EXPECT_EQ(raw_regions(body), expected) << body;
  }
}

// The pictures a line names, as a page reads them: both brace forms and the
// raw group, the transparent words, either case; other words, an unclosed
// form, an empty name and a "{" that is a trail byte name none.
TEST(JumpCodesTest, PicturesOfATextLine) {
  using Names = std::vector<std::string_view>;
  const std::pair<std::string, Names> cases[] = {
      {"{bmc a.bmp}", {"a.bmp"}},
      {"\\{bml  b.png \\}", {"b.png"}},
      {"{\\bmr c.wmf}", {"c.wmf"}},
      {"{BMCT d.bmp}{bmlt e.bmp}{bmrt f.bmp}", {"d.bmp", "e.bmp", "f.bmp"}},
      {"x {bmc a.bmp} y \\{bmr b.bmp\\} z", {"a.bmp", "b.bmp"}},
      {"{bmcx a.bmp}{bm a.bmp}{bmtt a.bmp}{button a,b}", {}},
      {"{bmc a.bmp", {}},
      {"{bmc   }", {}},
      {"\x83{bmc a.bmp}", {}},
      {"{bmc \x83}.bmp}", {"\x83}.bmp"}},  // a "}" after a lead byte ends no name
  };
  for (const auto& [text, names] : cases) EXPECT_EQ(bitmap_names(text), names) << text;
}

}  // namespace
}  // namespace zek
