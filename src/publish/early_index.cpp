// A project's early first read: a thread that reads the chunk queue.
#include "publish/early_index.h"

#include <system_error>
#include <utility>

namespace zek {

EarlyIndex::EarlyIndex() {
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
    // No thread: the pages read the index from the spool instead.
  }
}

EarlyIndex::~EarlyIndex() {
  finish();
}

void EarlyIndex::write(std::string_view bytes) {
  if (thread_.joinable()) queue_.write(bytes);
}

std::optional<HelpIndex> EarlyIndex::finish() {
  if (!thread_.joinable()) return std::nullopt;
  queue_.close();
  thread_.join();
  return std::move(index_);
}

void EarlyIndex::run() {
  ChunkQueue::Reader source(queue_);
  index_.add_topics(source);
  // Whatever follows the RTF's end goes nowhere, so that the writer never
  // waits for room that no one makes.
  queue_.stop_reading();
}

}  // namespace zek
