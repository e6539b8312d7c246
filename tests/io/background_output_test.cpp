// BackgroundOutput: bytes arrive in order, a failed write fails the file and
// keeps it from being put into place.
#include "io/background_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace zek {
namespace {

// Records what reaches the file; the write numbered `fail_at` (from 0) fails.
struct FileLog {
  std::string bytes;
  int writes = 0;
  bool finished = false;
  bool committed = false;
  bool discarded = false;
};

class LoggedFile : public OutputFile {
 public:
  LoggedFile(FileLog& log, int fail_at,
             std::chrono::milliseconds delay = std::chrono::milliseconds(0))
      : log_(log), fail_at_(fail_at), delay_(delay) {}
  bool write(std::string_view bytes) override {
    std::this_thread::sleep_for(delay_);
    if (log_.writes++ == fail_at_) return false;
    log_.bytes.append(bytes);
    return true;
  }
  bool finish() override {
    log_.finished = true;
    return true;
  }
  bool commit() override {
    log_.committed = true;
    return true;
  }
  void discard() override { log_.discarded = true; }

 private:
  FileLog& log_;
  int fail_at_;
  std::chrono::milliseconds delay_;
};

std::string chunk(int i) {
  return std::to_string(i) + std::string(static_cast<size_t>(i % 97), 'x');
}

TEST(BackgroundOutputTest, WritesArriveInOrderAndCommit) {
  FileLog log;
  std::string expected;
  {
    BackgroundOutput output(std::make_unique<LoggedFile>(log, -1));
    for (int i = 0; i < 2000; ++i) {
      expected += chunk(i);
      ASSERT_TRUE(output.write(chunk(i)));
    }
    EXPECT_TRUE(output.flush());
    EXPECT_EQ(log.bytes, expected);
    EXPECT_TRUE(output.commit());
  }
  EXPECT_TRUE(log.finished && log.committed && !log.discarded);
}

TEST(BackgroundOutputTest, HandedOverBuffersArriveInOrder) {
  FileLog log;
  std::string expected;
  BackgroundOutput output(std::make_unique<LoggedFile>(log, -1));
  constexpr size_t kCapacity = 256;
  auto buffer = std::make_unique<char[]>(kCapacity);
  for (int i = 0; i < 500; ++i) {
    const std::string bytes = chunk(i);
    std::copy(bytes.begin(), bytes.end(), buffer.get());
    expected += bytes;
    ASSERT_TRUE(output.write_buffer(buffer, bytes.size(), kCapacity));
    ASSERT_NE(buffer, nullptr);
    if (i % 7 == 0) {
      ASSERT_TRUE(output.write("+"));
      expected += "+";
    }
  }
  EXPECT_TRUE(output.commit());
  EXPECT_EQ(log.bytes, expected);
}

// The writing thread is woken for several buffers at once: fewer than that,
// a flush or the end must still have them written, and a writer kept
// waiting for room must wake it. The file here writes slowly, so that the
// buffers pile up.
TEST(BackgroundOutputTest, FewBuffersAreWrittenAtAFlushOrTheEnd) {
  for (const int count : {1, 2, 3, 4, 5, 9}) {
    SCOPED_TRACE(count);
    FileLog log;
    std::string expected;
    BackgroundOutput output(std::make_unique<LoggedFile>(log, -1, std::chrono::milliseconds(1)));
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(output.write(chunk(i)));
      expected += chunk(i);
    }
    ASSERT_TRUE(output.flush());
    EXPECT_EQ(log.bytes, expected);
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(output.write(chunk(i)));
      expected += chunk(i);
    }
    EXPECT_TRUE(output.commit());
    EXPECT_EQ(log.bytes, expected);
  }
}

TEST(BackgroundOutputTest, AFailedWriteFailsTheFile) {
  for (const int fail_at : {0, 1, 5, 199}) {
    SCOPED_TRACE(fail_at);
    FileLog log;
    BackgroundOutput output(std::make_unique<LoggedFile>(log, fail_at));
    for (int i = 0; i < 200; ++i) output.write(chunk(i));
    EXPECT_FALSE(output.flush());
    EXPECT_FALSE(output.write("late"));
    EXPECT_FALSE(output.commit());
    EXPECT_TRUE(log.discarded);
    EXPECT_FALSE(log.committed);
  }
}

TEST(BackgroundOutputTest, DiscardLeavesTheTargetAlone) {
  FileLog log;
  BackgroundOutput output(std::make_unique<LoggedFile>(log, -1));
  for (int i = 0; i < 100; ++i) output.write(chunk(i));
  output.discard();
  EXPECT_TRUE(log.discarded);
  EXPECT_FALSE(log.committed);
}

}  // namespace
}  // namespace zek
