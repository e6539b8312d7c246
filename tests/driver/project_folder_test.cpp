// A project's temporary folder: files go only inside it, commit replaces
// the previous project's files and folder, discard leaves them untouched.
#ifndef _WIN32

#include "io/project_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace zek {
namespace {

namespace fs = std::filesystem;

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
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  std::string get(const std::string& name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
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
