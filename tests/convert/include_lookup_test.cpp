// Where `.include` looks for a file: the name as written first, then beside
// the including file, by the host's file-name rules; and never the same
// place twice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/run.h"
#include "support/memory_environment.h"

namespace zek {
namespace {

using testing::MemoryEnvironment;

// Passes everything on and lists every name asked for reading, in order.
class LookupRecorder : public Environment {
 public:
  explicit LookupRecorder(Environment& inner) : inner_(inner) {}
  std::unique_ptr<InputStream> open_input(const std::string& name) override {
    asked.push_back(name);
    return inner_.open_input(name);
  }
  std::unique_ptr<OutputFile> create_output(const std::string& name) override {
    return inner_.create_output(name);
  }
  std::optional<FileIdentity> identify(const std::string& name) override {
    return inner_.identify(name);
  }
  std::vector<std::string> asked;

 private:
  Environment& inner_;
};

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
  env.files[c.source_name] = ".include " + c.include + "\r\n";
  if (!c.beside_name.empty()) env.files[c.beside_name] = ".bad\r\n";
  LookupRecorder recorder(env);
  testing::StringStream out, err;
  const int status = run_converter({"zek2rtf", "/", c.source_name, "out.rtf"}, recorder, out, err);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(recorder.asked, c.asked);
  EXPECT_EQ(err.bytes, c.err);
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
    [](const ::testing::TestParamInfo<LookupCase>& info) { return info.param.name; });
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
    [](const ::testing::TestParamInfo<LookupCase>& info) { return info.param.name; });
#endif

}  // namespace
}  // namespace zek
