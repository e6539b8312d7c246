// The name automaton against the literal per-name scan: random name sets and
// lines (names that are prefixes of each other, double-byte characters whose
// trail bytes are "\", "{", "}", "@" or letters, one-byte names, repeated
// names, aliases, empty ID-file names), lines written in turn with link marks
// set and cleared, and the current title changing.
#include <gtest/gtest.h>

#include <random>

#include "commands/link_text.h"
#include "links/link_matcher.h"
#include "support/link_fixture.h"
#include "support/literal_link_scan.h"

namespace zek {
namespace {

using testing::LinkFixture;

std::string escaped(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      out += "\\x" + std::string(1, "0123456789ABCDEF"[c >> 4]) + "0123456789ABCDEF"[c & 15];
    }
  }
  return out;
}

// What a failing case shows: the table, the title and the line.
std::string describe(const NameTable& names, std::string_view title, std::string_view line) {
  std::string text = "title \"" + escaped(title) + "\" line \"" + escaped(line) + "\"\n";
  for (const NameEntry& e : names.entries()) {
    text += std::to_string(e.number) + " kind " + std::to_string(static_cast<int>(e.kind)) +
            " owner " + std::to_string(e.owner) +
            (names.linked(static_cast<size_t>(e.number)) ? " linked" : "") + " \"" +
            escaped(e.name) + "\"\n";
  }
  return text;
}

// Pieces that names and lines are made of.
const std::vector<std::string> kPieces = {
    "a",        "b",        "A",        "1",        " ",     ".",     "_",
    "@",        "$",        "\\",       "{",        "}",     "\x13",  "\x11",
    "\x82\xA0", "\x82\xA2", "\x82\x61", "\x95\\",   "\x83@", "\x83{", "\x83}",
    "\x82",     "\xB1",     "\xE0\x40", "\x82\x82", "ab",    "File",  " Manager",
};

class RandomCase {
 public:
  explicit RandomCase(uint32_t seed) : random_(seed) {}

  std::string text(size_t max_pieces) {
    std::string result;
    const size_t count = pick(max_pieces) + 1;
    for (size_t i = 0; i < count; ++i) result += kPieces[pick(kPieces.size())];
    return result;
  }

  // A name: new, an earlier name extended or cut (prefixes), or repeated.
  std::string name(const std::vector<std::string>& earlier) {
    if (earlier.empty() || pick(3) == 0) return text(3);
    const std::string& base = earlier[pick(earlier.size())];
    switch (pick(4)) {
      case 0:
        return base + text(2);
      case 1:
        return base.substr(0, pick(base.size()) + 1);
      case 2:
        return base;
      default:
        return text(1) + base;
    }
  }

  // A line made of pieces and of names.
  std::string line(const std::vector<std::string>& names) {
    std::string result;
    const size_t count = pick(8);
    for (size_t i = 0; i < count; ++i) {
      if (!names.empty() && pick(2) == 0) {
        result += names[pick(names.size())];
      } else {
        result += text(2);
      }
    }
    return result;
  }

  size_t pick(size_t bound) { return bound == 0 ? 0 : random_() % bound; }

 private:
  std::mt19937 random_;
};

void add_random_names(RandomCase& random, NameTable& names, std::vector<std::string>& spelled) {
  const size_t count = random.pick(random.pick(16) == 0 ? 200 : 24) + 1;
  int32_t header_index = 0;
  for (size_t i = 0; i < count; ++i) {
    const std::string name = random.name(spelled);
    spelled.push_back(name);
    switch (random.pick(6)) {
      case 0:
        names.add_popup(name);
        break;
      case 1:
        names.add_topic2(name,
                         random.pick(2) ? std::optional<std::string_view>("w") : std::nullopt);
        break;
      case 2:
        names.add_alias(name, header_index);
        break;
      case 3:
        names.add_external(random.pick(4) ? name : "", "ctx");
        break;
      default:
        names.add_topic(name);
        break;
    }
    if (random.pick(3) == 0) header_index = static_cast<int32_t>(names.size());
  }
}

std::vector<uint32_t> ref_counts(const NameTable& names) {
  std::vector<uint32_t> counts;
  for (const NameEntry& entry : names.entries()) counts.push_back(entry.ref_count);
  return counts;
}

std::vector<bool> link_marks(const NameTable& names) {
  std::vector<bool> marks;
  for (size_t i = 0; i < names.size(); ++i) marks.push_back(names.linked(i));
  return marks;
}

TEST(LinkMatcherDifferentialTest, AgreesWithLiteralScan) {
  constexpr uint32_t kCases = 2000;
  constexpr int kLinesPerCase = 8;
  size_t lines_with_claims = 0;
  for (uint32_t seed = 1; seed <= kCases; ++seed) {
    RandomCase random(seed);
    const std::vector<std::string> options =
        random.pick(2) ? std::vector<std::string>{"$", "@"} : std::vector<std::string>{};
    LinkFixture fast(options), literal(options);
    std::vector<std::string> spelled;
    add_random_names(random, fast.ctx.names, spelled);
    literal.ctx.names = fast.ctx.names;
    LinkMatcher matcher(fast.ctx.names, fast.ctx.options.is_name_char);
    for (int l = 0; l < kLinesPerCase; ++l) {
      if (random.pick(3) == 0) {
        const std::string title = random.pick(4) ? spelled[random.pick(spelled.size())] : "";
        fast.ctx.headers.header_name = literal.ctx.headers.header_name = title;
      }
      const std::string line = random.line(spelled);
      const std::string_view title = fast.ctx.headers.header_name;
      const LinkClaims claims = matcher.claim(fast.ctx.names, line, title);
      const LinkClaims expected = testing::literal_link_claims(literal.ctx.names, line, title,
                                                               literal.ctx.options.is_name_char);
      ASSERT_EQ(claims, expected) << describe(literal.ctx.names, title, line);
      ASSERT_EQ(ref_counts(fast.ctx.names), ref_counts(literal.ctx.names)) << "seed " << seed;
      if (!claims.empty()) ++lines_with_claims;
      write_linked_line(fast.ctx, line, claims, NameKind::topic);
      write_linked_line(literal.ctx, line, expected, NameKind::topic);
      ASSERT_EQ(link_marks(fast.ctx.names), link_marks(literal.ctx.names)) << "seed " << seed;
      if (random.pick(4) == 0) {
        fast.ctx.names.clear_link_marks();
        literal.ctx.names.clear_link_marks();
      }
    }
  }
  // The random lines must exercise claims, not only their absence.
  EXPECT_GT(lines_with_claims, kCases * kLinesPerCase / 4);
}

}  // namespace
}  // namespace zek
