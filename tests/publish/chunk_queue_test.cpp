// The queue that hands the converter's RTF to a reading thread: every byte
// in order whatever the sizes of the writes, and a writer that never waits
// for a reader that has stopped.
#include "publish/chunk_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace zek {
namespace {

TEST(ChunkQueueTest, EveryByteArrivesInOrder) {
  for (const size_t write_size : {size_t{1}, size_t{4093}, size_t{70000}, size_t{300000}}) {
    ChunkQueue queue;
    std::string expected;
    for (size_t i = 0; expected.size() < 600000; ++i) {
      expected += std::string(write_size, static_cast<char>('A' + i % 50));
    }
    std::string read;
    std::thread reader([&] {
      ChunkQueue::Reader source(queue);
      std::string buffer(5000, '\0');
      while (const size_t got = source.read(buffer.data(), buffer.size())) {
        read.append(buffer.data(), got);
      }
    });
    for (size_t at = 0; at < expected.size(); at += write_size) {
      queue.write(std::string_view(expected).substr(at, write_size));
    }
    queue.close();
    reader.join();
    EXPECT_EQ(read.size(), expected.size()) << write_size;
    EXPECT_TRUE(read == expected) << write_size;
  }
}

// A reader that stops early (a read that failed) must not leave the writer
// waiting for room in the queue: the rest goes nowhere.
TEST(ChunkQueueTest, AWriterGoesOnAfterTheReaderStopped) {
  ChunkQueue queue;
  std::thread reader([&] {
    ChunkQueue::Reader source(queue);
    char buffer[100];
    source.read(buffer, sizeof buffer);
    queue.stop_reading();
  });
  const std::string chunk(1 << 16, 'x');
  for (int i = 0; i < 64; ++i) queue.write(chunk);  // far more than the queue holds
  queue.close();
  reader.join();
  SUCCEED();
}

}  // namespace
}  // namespace zek
