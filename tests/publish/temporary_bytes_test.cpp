// Temporary bytes read while they are appended: reads between appends at
// any offset, a waiting reader on another thread, and the end of the bytes.
#include "publish/temporary_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace zek {
namespace {

// The bytes of append number `i`: lengths that cut any buffer unevenly.
std::string piece(size_t i) {
  return std::string(1 + (i * 37) % 700, static_cast<char>('a' + i % 26));
}

// A read between two appends turns the file to reading; the next append
// must still go to the end, and every read see exactly what was appended.
TEST(TemporaryBytesTest, ReadsBetweenAppendsSeeWhatWasAppended) {
  TemporaryBytes bytes;
  std::string expected;
  for (size_t i = 0; i < 300; ++i) {
    ASSERT_TRUE(bytes.append(piece(i)));
    expected += piece(i);
    const size_t offset = (i * 131) % expected.size();
    std::string buffer(97, '\0');
    const size_t got = bytes.read_at(offset, buffer.data(), buffer.size());
    ASSERT_EQ(std::string(buffer.data(), got), expected.substr(offset, buffer.size())) << i;
  }
  std::string all(expected.size() + 10, '\0');
  EXPECT_EQ(bytes.read_at(0, all.data(), all.size()), expected.size());
  EXPECT_EQ(all.substr(0, expected.size()), expected);
  EXPECT_EQ(bytes.read_at(expected.size(), all.data(), 1), 0u);
  EXPECT_FALSE(bytes.failed());
}

// A reader on another thread waits for whole buffers and reads every byte
// in order; the close ends its last, short read instead of keeping it
// waiting.
TEST(TemporaryBytesTest, AWaitingReaderGetsEveryByteAndEndsAtTheClose) {
  TemporaryBytes bytes;
  std::string expected;
  for (size_t i = 0; i < 2000; ++i) expected += piece(i);
  std::string read;
  std::thread reader([&] {
    TemporaryBytesSource source(bytes, 0, TemporaryBytesSource::Waiting::until_closed);
    std::string buffer(4096, '\0');
    while (const size_t got = source.read(buffer.data(), buffer.size())) {
      read.append(buffer.data(), got);
    }
  });
  for (size_t i = 0; i < 2000; ++i) bytes.append(piece(i));
  bytes.close();
  reader.join();
  EXPECT_EQ(read.size(), expected.size());
  EXPECT_EQ(read, expected);
}

// Without waiting, a source reads what is there from its offset and ends.
TEST(TemporaryBytesTest, ASourceFromAnOffsetReadsTheRest) {
  TemporaryBytes bytes;
  bytes.append("0123456789");
  TemporaryBytesSource source(bytes, 4, TemporaryBytesSource::Waiting::no);
  std::string buffer(3, '\0');
  std::string read;
  while (const size_t got = source.read(buffer.data(), buffer.size())) read.append(buffer, 0, got);
  EXPECT_EQ(read, "456789");
}

}  // namespace
}  // namespace zek
