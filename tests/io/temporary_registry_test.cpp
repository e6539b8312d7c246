// The registry of temporaries: the cleanup of an interruption deletes exactly
// what is registered, files before the folders they stand in, and holds off
// the handled signals while a change is under way.
#include "io/temporary_registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#ifndef _WIN32
#include <signal.h>
#endif

namespace zek {
namespace {

namespace fs = std::filesystem;
using Kind = TemporaryRegistry::Kind;

class TemporaryRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device seed;
    folder_ = fs::temp_directory_path() / ("zek2rtf-registry-" + std::to_string(seed()));
    ASSERT_TRUE(fs::create_directory(folder_));
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  void make_file(const std::string& name) const { std::ofstream(path(name)) << "x"; }
  bool exists(const std::string& name) const { return fs::exists(path(name)); }

  fs::path folder_;
};

// Two HTML Help projects written into temporary folders: each folder, then
// its files, registered as they are created, though one file of the second
// never was; beside them an output file being written, and a finished one
// renamed into place (unregistered). The cleanup does not walk folders, so
// the unregistered file keeps its folder.
TEST_F(TemporaryRegistryTest, CleanupDeletesWhatIsRegisteredFilesBeforeFolders) {
  TemporaryRegistry registry;
  {
    TemporaryRegistry::Change change(&registry);
    for (const char* name : {"project.tmp", "other.tmp"}) {
      fs::create_directory(path(name));
      change.add(path(name), Kind::folder);
    }
    for (const char* name : {"project.tmp/a.htm", "other.tmp/b.htm", "out.tmp", "done.tmp"}) {
      make_file(name);
      change.add(path(name), Kind::file);
    }
  }
  make_file("other.tmp/stray.htm");
  TemporaryRegistry::Change(&registry).remove(path("done.tmp"));
  EXPECT_EQ(registry.size(), 5u);

  registry.remove_all();
  EXPECT_FALSE(exists("project.tmp"));
  EXPECT_FALSE(exists("other.tmp/b.htm"));
  EXPECT_TRUE(exists("other.tmp/stray.htm"));
  EXPECT_FALSE(exists("out.tmp"));
  EXPECT_TRUE(exists("done.tmp"));
}

// Many temporaries, the even-numbered half put away again in a scattered
// order: the list keeps the right ones through its growth and removals.
TEST_F(TemporaryRegistryTest, ManyEntriesAddedAndRemoved) {
  TemporaryRegistry registry;
  std::vector<std::string> names;
  for (int i = 0; i < 40; ++i) names.push_back(std::to_string(i).append(".tmp"));
  for (const std::string& name : names) {
    make_file(name);
    TemporaryRegistry::Change(&registry).add(path(name), Kind::file);
  }
  for (size_t i = 0; i < 40; i += 2) {
    TemporaryRegistry::Change(&registry).remove(path(names[i * 7 % 40]));  // every even one
  }
  EXPECT_EQ(registry.size(), 20u);
  registry.remove_all();
  for (size_t i = 0; i < 40; ++i) EXPECT_EQ(exists(names[i]), i % 2 == 0) << names[i];
}

#ifndef _WIN32
// A signal that arrives during a change waits until the change is done, so
// a handler never meets the list half changed or its lock taken by the
// thread it interrupted.
TEST(TemporaryRegistryChangeTest, HoldsOffTheHandledSignalsWhileItLasts) {
  auto mask = [] {
    sigset_t current;
    pthread_sigmask(SIG_BLOCK, nullptr, &current);
    return current;
  };
  const sigset_t before = mask();
  TemporaryRegistry registry;
  {
    TemporaryRegistry::Change change(&registry);
    const sigset_t during = mask();
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
      EXPECT_EQ(sigismember(&during, signal_number), 1) << signal_number;
    }
  }
  const sigset_t after = mask();
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    EXPECT_EQ(sigismember(&after, signal_number), sigismember(&before, signal_number));
  }
}
#endif

}  // namespace
}  // namespace zek
