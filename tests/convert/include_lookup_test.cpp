// Where `.include` looks for a file: the name as written first, then beside
// the including file, by the host's file-name rules; and never the same
// place twice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/conversion.h"

namespace zek {
namespace {

using testing::MemoryEnvironment;

struct LookupCase {
  const char* name;
  std::string source_name;  // the top file, given after a lone "/"
  std::string include;      // the name its one `.include` line gives
  std::string beside_name;  // a file holding ".bad", or "" for none
  std::vector<std::string> asked;
  std::string err;
};

// Keeps test names short in listings.
void PrintTo(const LookupCase& c, std::ostream* os) {
  *os << c.name;
}

class IncludeLookupTest : public ::testing::TestWithParam<LookupCase> {};

// Every case fails in pass 1, so each name is asked for once at most.
TEST_P(IncludeLookupTest, AsksForTheNamesInOrder) {
  const LookupCase& c = GetParam();
  MemoryEnvironment env;
  if (!c.beside_name.empty()) env.files[c.beside_name] = ".bad\r\n";
  testing::check(testing::Conversion{.sources = {{c.source_name, ".include " + c.include + "\r\n"}},
                                     .arguments = {"/", c.source_name, "out.rtf"},
                                     .status = 1,
                                     .err = c.err},
                 env);
  EXPECT_EQ(env.asked, c.asked);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    WindowsNames, IncludeLookupTest,
    ::testing::Values(
        LookupCase{"BackslashFolder",
                   "sub\\a.zek",
                   "x.zek",
                   "sub\\x.zek",
                   {"sub\\a.zek", "x.zek", "sub\\x.zek"},
                   "sub\\x.zek 1: error bad . command  .bad\n"},
        LookupCase{"MixedSeparators",
                   "sub/in.d\\a.zek",
                   "x.zek",
                   "",
                   {"sub/in.d\\a.zek", "x.zek", "sub/in.d\\x.zek"},
                   "cannot open x.zek\n"},
        // The second byte of a double-byte character is no separator.
        LookupCase{"TrailByteBackslash",
                   "sub\\\x95\\.zek",  // sub\表.zek
                   "x.zek",
                   "",
                   {"sub\\\x95\\.zek", "x.zek", "sub\\x.zek"},
                   "cannot open x.zek\n"},
        LookupCase{"DriveRelativeIncluder",
                   "C:a.zek",
                   "x.zek",
                   "",
                   {"C:a.zek", "x.zek", "C:x.zek"},
                   "cannot open x.zek\n"},
        LookupCase{
            "CurrentFolder", ".\\a.zek", "x.zek", "", {".\\a.zek", "x.zek"}, "cannot open x.zek\n"},
        LookupCase{"NameWithDrive",
                   "sub\\a.zek",
                   "C:x.zek",
                   "",
                   {"sub\\a.zek", "C:x.zek"},
                   "cannot open C:x.zek\n"},
        LookupCase{"RootedName",
                   "sub\\a.zek",
                   "\\x.zek",
                   "",
                   {"sub\\a.zek", "\\x.zek"},
                   "cannot open \\x.zek\n"}),
    testing::row_name);
#else
INSTANTIATE_TEST_SUITE_P(
    PosixNames, IncludeLookupTest,
    ::testing::Values(LookupCase{"FoundBesideIsNamedAsOpened",
                                 "sub/a.zek",
                                 "x.zek",
                                 "sub/x.zek",
                                 {"sub/a.zek", "x.zek", "sub/x.zek"},
                                 "sub/x.zek 1: error bad . command  .bad\n"},
                      LookupCase{"MissingBesideToo",
                                 "one/two/a.zek",
                                 "x.zek",
                                 "",
                                 {"one/two/a.zek", "x.zek", "one/two/x.zek"},
                                 "cannot open x.zek\n"},
                      LookupCase{"IncluderInCurrentFolder",
                                 "a.zek",
                                 "x.zek",
                                 "",
                                 {"a.zek", "x.zek"},
                                 "cannot open x.zek\n"},
                      LookupCase{"IncluderNamedWithDots",
                                 "././a.zek",
                                 "x.zek",
                                 "",
                                 {"././a.zek", "x.zek"},
                                 "cannot open x.zek\n"},
                      LookupCase{"AbsoluteName",
                                 "sub/a.zek",
                                 "/nowhere/x.zek",
                                 "",
                                 {"sub/a.zek", "/nowhere/x.zek"},
                                 "cannot open /nowhere/x.zek\n"},
                      // A backslash is a character of the name here, no separator.
                      LookupCase{"BackslashIsNoSeparator",
                                 "sub\\a.zek",
                                 "x.zek",
                                 "",
                                 {"sub\\a.zek", "x.zek"},
                                 "cannot open x.zek\n"}),
    testing::row_name);
#endif

}  // namespace
}  // namespace zek
