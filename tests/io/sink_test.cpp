// The output buffer: bytes reach the stream in order whatever the sizes of
// the writes, room may be asked for beyond the buffer, errors are kept.
#include "io/sink.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_environment.h"

namespace zek {
namespace {

// Also with buffers larger than the usual: a write the size of the usual
// buffer then goes through the buffer, not past it.
TEST(SinkTest, KeepsOrderAcrossWritesOfEverySize) {
  for (const size_t buffer_size : {size_t{0}, size_t{1} << 18}) {
    SCOPED_TRACE(buffer_size);
    testing::StringStream stream;
    std::string expected;
    {
      Sink sink(buffer_size);
      sink.attach(&stream);
      for (size_t size :
           {0u, 1u, 7u, 65535u, 1u, 65536u, 3u, 200000u, 0u, 65530u, 9u, 262144u, 5u, 300000u}) {
        const std::string piece(size, static_cast<char>('a' + size % 26));
        sink.put(piece);
        sink.put('|');
        expected += piece + '|';
      }
      // Room larger than the buffer grows it; what was written there follows.
      char* room = sink.room(300000);
      std::fill(room, room + 300000, 'r');
      sink.commit(room + 300000);
      expected += std::string(300000, 'r');
      room = sink.room(4);
      std::copy_n("tail", 4, room);
      sink.commit(room + 4);
      expected += "tail";
    }  // destruction flushes
    EXPECT_EQ(stream.bytes, expected);
  }
}

TEST(SinkTest, RemembersAFailedWriteUntilAttachedAgain) {
  testing::StringStream stream;
  stream.fail = true;
  Sink sink;
  sink.attach(&stream);
  sink.put(std::string(100000, 'x'));  // written through at once
  EXPECT_TRUE(sink.failed());
  sink.put("more");
  EXPECT_FALSE(sink.flush());
  testing::StringStream good;
  sink.attach(&good);
  sink.put("ok");
  EXPECT_TRUE(sink.flush());
  EXPECT_EQ(good.bytes, "ok");
}

}  // namespace
}  // namespace zek
