// Files on disk: regular inputs only, identities, and safe replacement of
// output files (temporary beside the target, renamed into place on commit);
// a project's temporary folder: files go only inside it, commit replaces the
// previous project's files and folder, discard leaves them untouched, and a
// page the replaced project holds unchanged keeps its file.
#include "io/file_system.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>

namespace zek {
namespace {

namespace fs = std::filesystem;

void write_file(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace
}  // namespace zek

#ifndef _WIN32
#include <stdlib.h>
#include <sys/stat.h>

namespace zek {
namespace {

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zek2rtf-fs-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  void put(const std::string& name, const std::string& bytes) const {
    write_file(path(name), bytes);
  }
  std::string get(const std::string& name) const { return read_file(path(name)); }
  std::vector<std::string> names() const {
    std::vector<std::string> result;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      result.push_back(entry.path().filename().string());
    }
    std::sort(result.begin(), result.end());
    return result;
  }

  fs::path folder_;
};

using Names = std::vector<std::string>;

TEST_F(FileSystemTest, NewFileAppearsOnlyOnCommit) {
  std::unique_ptr<OutputFile> file = create_replacement(path("out.rtf"));
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->write("abc"));
  EXPECT_FALSE(fs::exists(path("out.rtf")));
  EXPECT_TRUE(file->commit());
  EXPECT_EQ(get("out.rtf"), "abc");
  EXPECT_EQ(names(), Names{"out.rtf"});
}

TEST_F(FileSystemTest, DiscardOrDestructionKeepsFormerFile) {
  put("out.rtf", "previous");
  {
    std::unique_ptr<OutputFile> file = create_replacement(path("out.rtf"));
    ASSERT_TRUE(file);
    file->write("partial");
    EXPECT_TRUE(file->finish());
    file->discard();
  }
  {
    std::unique_ptr<OutputFile> file = create_replacement(path("out.rtf"));
    ASSERT_TRUE(file);
    file->write("killed midway");
  }
  EXPECT_EQ(get("out.rtf"), "previous");
  EXPECT_EQ(names(), Names{"out.rtf"});
}

TEST_F(FileSystemTest, ReplacementKeepsPermissionsAndLinks) {
  put("real.rtf", "previous");
  ::chmod(path("real.rtf").c_str(), 0640);
  fs::create_symlink("real.rtf", path("link.rtf"));
  std::unique_ptr<OutputFile> file = create_replacement(path("link.rtf"));
  ASSERT_TRUE(file);
  file->write("new");
  EXPECT_TRUE(file->commit());
  EXPECT_TRUE(fs::is_symlink(path("link.rtf")));
  EXPECT_EQ(get("real.rtf"), "new");
  struct stat status {};
  ::stat(path("real.rtf").c_str(), &status);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(names(), (Names{"link.rtf", "real.rtf"}));
}

// However the file ends, the registry knows its temporary exactly as long as
// the temporary exists; a device written in place has none.
TEST_F(FileSystemTest, TemporaryIsRegisteredWhileItExists) {
  enum class End { commit, discard, destruction };
  TemporaryRegistry registry;
  for (End end : {End::commit, End::discard, End::destruction}) {
    std::unique_ptr<OutputFile> file = create_replacement(path("out.rtf"), &registry);
    ASSERT_TRUE(file);
    file->write("new");
    EXPECT_EQ(registry.size(), 1u);
    EXPECT_EQ(names().size(), fs::exists(path("out.rtf")) ? 2u : 1u);
    if (end == End::commit) {
      EXPECT_TRUE(file->commit());
    } else if (end == End::discard) {
      file->discard();
    }
    file.reset();
    EXPECT_EQ(registry.size(), 0u);
    EXPECT_EQ(names(), Names{"out.rtf"});
  }
  EXPECT_TRUE(create_replacement("/dev/null", &registry));
  EXPECT_EQ(registry.size(), 0u);
}

// The cleanup of an interruption deletes the temporary while it is written;
// the file can then no longer replace its target.
TEST_F(FileSystemTest, CleanedUpTemporaryNeverReplacesTarget) {
  put("out.rtf", "previous");
  TemporaryRegistry registry;
  std::unique_ptr<OutputFile> file = create_replacement(path("out.rtf"), &registry);
  ASSERT_TRUE(file);
  file->write("partial");
  registry.remove_all();
  EXPECT_EQ(names(), Names{"out.rtf"});
  EXPECT_FALSE(file->commit());
  EXPECT_EQ(get("out.rtf"), "previous");
  EXPECT_EQ(names(), Names{"out.rtf"});
}

TEST_F(FileSystemTest, FoldersAreNoTargets) {
  fs::create_directory(path("sub"));
  EXPECT_FALSE(create_replacement(path("sub")));
  EXPECT_FALSE(create_replacement(path("missing/out.rtf")));
}

TEST_F(FileSystemTest, DevicesAreWrittenInPlace) {
  std::unique_ptr<OutputFile> null_device = create_replacement("/dev/null");
  ASSERT_TRUE(null_device);
  EXPECT_TRUE(null_device->write("x"));
  EXPECT_TRUE(null_device->commit());
  std::unique_ptr<OutputFile> full_device = create_replacement("/dev/full");
  ASSERT_TRUE(full_device);
  EXPECT_FALSE(full_device->write("x"));
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(FileSystemTest, OnlyRegularFilesAreInputs) {
  put("in.zek", "x");
  fs::create_directory(path("sub"));
  ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(open_regular_file(path("sub")));
  EXPECT_FALSE(open_regular_file(path("pipe")));  // and does not wait for a writer
  EXPECT_FALSE(open_regular_file(path("missing")));
  EXPECT_FALSE(open_regular_file("/dev/null"));
  std::unique_ptr<InputStream> input = open_regular_file(path("in.zek"));
  ASSERT_TRUE(input);
  char byte = 0;
  EXPECT_EQ(input->read(&byte, 1), 1u);
  EXPECT_EQ(byte, 'x');
  EXPECT_EQ(input->read(&byte, 1), 0u);
}

TEST_F(FileSystemTest, IdentityIgnoresSpelling) {
  put("in.zek", "x");
  put("other.zek", "x");
  fs::create_symlink("in.zek", path("alias.zek"));
  const std::optional<FileIdentity> identity = file_identity(path("in.zek"));
  ASSERT_TRUE(identity);
  EXPECT_EQ(file_identity((folder_ / "." / "in.zek").string()), identity);
  EXPECT_EQ(file_identity(path("alias.zek")), identity);
  EXPECT_EQ(open_regular_file(path("alias.zek"))->identity(), identity);
  EXPECT_NE(file_identity(path("other.zek")), identity);
  EXPECT_FALSE(file_identity(path("missing")));
}

// A project's temporary folder.

class ProjectFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zek2rtf-project-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    put("help.hhp", "old hhp");
    fs::create_directory(folder_ / "help");
    put("help/old.htm", "old page");
  }
  void TearDown() override { fs::remove_all(folder_); }

  void put(const std::string& name, const std::string& bytes) const {
    write_file(folder_ / name, bytes);
  }
  std::string get(const std::string& name) const { return read_file(folder_ / name); }
  // Every file below the folder, by relative name.
  std::set<std::string> files() const {
    std::set<std::string> result;
    for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
      if (entry.is_regular_file()) result.insert(fs::relative(entry.path(), folder_).string());
    }
    return result;
  }
  void write(OutputFolder& set, const std::string& name, const std::string& bytes) const {
    std::unique_ptr<OutputStream> file = set.create(name);
    ASSERT_NE(file, nullptr) << name;
    EXPECT_TRUE(file->write(bytes));
  }

  fs::path folder_;
};

TEST_F(ProjectFolderTest, CommitReplacesTheWholeProject) {
  std::unique_ptr<OutputFolder> set = create_project_folder(folder_.string() + "/");
  ASSERT_NE(set, nullptr);
  write(*set, "help/new.htm", "new page");
  write(*set, "help.hhc", "contents");
  write(*set, "help.hhp", "new hhp");
  // Until the commit, the previous project is untouched.
  EXPECT_EQ(get("help.hhp"), "old hhp");
  EXPECT_TRUE(fs::exists(folder_ / "help/old.htm"));
  EXPECT_FALSE(fs::exists(folder_ / "help/new.htm"));
  EXPECT_TRUE(set->commit("help.hhp"));
  EXPECT_EQ(files(), (std::set<std::string>{"help.hhp", "help.hhc", "help/new.htm"}));
  EXPECT_EQ(get("help.hhp"), "new hhp");
}

// A folder of the project's name that holds files of the author's is no
// previous project: the commit fails and leaves everything as it was.
TEST_F(ProjectFolderTest, CommitKeepsAFolderWithOtherFiles) {
  put("help/notes.txt", "mine");
  std::unique_ptr<OutputFolder> set = create_project_folder(folder_.string() + "/");
  ASSERT_NE(set, nullptr);
  write(*set, "help/new.htm", "new page");
  write(*set, "help.hhc", "contents");
  write(*set, "help.hhp", "new hhp");
  EXPECT_FALSE(set->commit("help.hhp"));
  EXPECT_EQ(files(), (std::set<std::string>{"help.hhp", "help/old.htm", "help/notes.txt"}));
  EXPECT_EQ(get("help/notes.txt"), "mine");
}

TEST_F(ProjectFolderTest, DiscardLeavesThePreviousProject) {
  {
    std::unique_ptr<OutputFolder> set = create_project_folder(folder_.string() + "/");
    ASSERT_NE(set, nullptr);
    write(*set, "help/new.htm", "new page");
    write(*set, "help.hhp", "new hhp");
    // Destroyed without commit: as discard().
  }
  EXPECT_EQ(files(), (std::set<std::string>{"help.hhp", "help/old.htm"}));
  EXPECT_EQ(get("help.hhp"), "old hhp");
}

TEST_F(ProjectFolderTest, NamesLeadingOutOfTheSetAreRefused) {
  std::unique_ptr<OutputFolder> set = create_project_folder(folder_.string() + "/");
  ASSERT_NE(set, nullptr);
  for (const char* name : {"../x.htm", "help/../../x", "a/b/c", "", "help/", "..", "a\\b", "c:x"}) {
    EXPECT_EQ(set->create(name), nullptr) << name;
  }
}

}  // namespace
}  // namespace zek

#endif  // !_WIN32

// A project that replaces another keeps the files of the pages an edit did
// not change: such a page becomes a second name of the old file. Only a
// page inside the project's folder whose old file holds the same bytes and
// nothing else could see a change through is shared; every other file is
// written anew.
namespace zek {
namespace {

enum class OldFile { as_written, second_name, read_only };

struct UnchangedCase {
  const char* what;
  const char* relative;  // the file the new project puts
  const char* bytes;
  OldFile old_file;
  bool shared;
};

const UnchangedCase kUnchangedCases[] = {
    {"the same bytes", "help/old.htm", "old page", OldFile::as_written, true},
    {"other bytes of the same length", "help/old.htm", "new page", OldFile::as_written, false},
    {"a longer page", "help/old.htm", "old page and more", OldFile::as_written, false},
    {"a shorter page", "help/old.htm", "old", OldFile::as_written, false},
    {"an old file of a second name", "help/old.htm", "old page", OldFile::second_name, false},
    {"a read-only old file", "help/old.htm", "old page", OldFile::read_only, false},
    {"a file beside the folder", "help.hhc", "old contents", OldFile::as_written, false},
};

class UnchangedPageTest : public ::testing::TestWithParam<UnchangedCase> {
 protected:
  void SetUp() override {
    std::random_device random;
    folder_ = fs::temp_directory_path() / ("zek2rtf-unchanged-" + std::to_string(random()));
    ASSERT_TRUE(fs::create_directories(folder_ / "help"));
    put("help.hhp", "old hhp");
    put("help.hhc", "old contents");
    put("help/old.htm", "old page");
  }
  void TearDown() override {
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder_, error)) {
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, error);
    }
    fs::remove_all(folder_, error);
  }

  void put(const std::string& name, const std::string& bytes) const {
    write_file(folder_ / name, bytes);
  }
  std::string get(const std::string& name) const { return read_file(folder_ / name); }
  std::optional<FileIdentity> identity(const std::string& name) const {
    return file_identity((folder_ / name).string());
  }

  fs::path folder_;
};

TEST_P(UnchangedPageTest, OnlyAnUnchangedPageKeepsItsFile) {
  const UnchangedCase& c = GetParam();
  if (c.old_file == OldFile::second_name) {
    fs::create_hard_link(folder_ / "help/old.htm", folder_ / "kept.txt");
  }
  if (c.old_file == OldFile::read_only) {
    fs::permissions(folder_ / c.relative,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  }
  const std::optional<FileIdentity> before = identity(c.relative);
  ASSERT_TRUE(before.has_value());
  const std::string old_bytes = get(c.relative);

  std::unique_ptr<OutputFolder> set = create_project_folder(folder_.string() + "/");
  ASSERT_NE(set, nullptr);
  EXPECT_TRUE(set->put(c.relative, c.bytes));
  if (std::string(c.relative) != "help.hhc") {
    EXPECT_TRUE(set->put("help.hhc", "new contents"));
  }
  EXPECT_TRUE(set->put("help.hhp", "new hhp"));
  EXPECT_EQ(get(c.relative), old_bytes) << "the old project changed before the commit";
  ASSERT_TRUE(set->commit("help.hhp"));

  EXPECT_EQ(get(c.relative), c.bytes);
  EXPECT_EQ(identity(c.relative) == before, c.shared);
  if (c.old_file == OldFile::second_name) {
    EXPECT_EQ(get("kept.txt"), "old page");
  }
}

// A page put again (or started again) after it was linked is written as a
// file of its own: the replaced project stays as it was until the commit,
// and after a discard.
TEST_F(UnchangedPageTest, APageMadeAgainNeverWritesTheOldFile) {
  for (const bool stream : {false, true}) {
    std::unique_ptr<OutputFolder> set = create_project_folder(folder_.string() + "/");
    ASSERT_NE(set, nullptr);
    EXPECT_TRUE(set->put("help/old.htm", "old page"));
    if (stream) {
      std::unique_ptr<OutputStream> file = set->create("help/old.htm");
      ASSERT_NE(file, nullptr);
      EXPECT_TRUE(file->write("new page"));
      EXPECT_TRUE(file->flush());
    } else {
      EXPECT_TRUE(set->put("help/old.htm", "new page"));
    }
    EXPECT_EQ(get("help/old.htm"), "old page") << stream;
    set->discard();
    EXPECT_EQ(get("help/old.htm"), "old page") << stream;
  }
}

INSTANTIATE_TEST_SUITE_P(OldFiles, UnchangedPageTest, ::testing::ValuesIn(kUnchangedCases),
                         [](const ::testing::TestParamInfo<UnchangedCase>& param) {
                           std::string name;
                           for (const char* p = param.param.what; *p != '\0'; ++p) {
                             if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                           }
                           return name;
                         });

}  // namespace
}  // namespace zek
