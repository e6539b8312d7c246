// The read-ahead of topics: a bounded queue between a reader thread and the
// page writer.
#include "publish/topic_stream.h"

#include <system_error>
#include <utility>

namespace zek {

TopicStream::TopicStream(RtfSource& source, size_t limit) : reader_(source), limit_(limit) {
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
    // No thread: next() reads each topic itself.
  }
}

TopicStream::~TopicStream() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

bool TopicStream::read(Item& item) {
  if (read_ >= limit_ || !reader_.next_topic(item.topic)) return false;
  ++read_;
  if (reader_.tables_changes() != tables_seen_) {
    tables_seen_ = reader_.tables_changes();
    item.tables = reader_.tables();
  }
  return true;
}

void TopicStream::run() {
  for (;;) {
    Item item;
    const bool more = read(item);
    std::unique_lock<std::mutex> lock(mutex_);
    if (!more) {
      done_ = true;
      lock.unlock();
      changed_.notify_all();
      return;
    }
    changed_.wait(lock, [this] { return items_.size() < kMaxAhead || stop_; });
    if (stop_) return;
    items_.push_back(std::move(item));
    lock.unlock();
    changed_.notify_all();
  }
}

bool TopicStream::next(Topic& topic) {
  Item item;
  if (!thread_.joinable()) {
    if (!read(item)) return false;
  } else {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !items_.empty() || done_; });
    if (items_.empty()) return false;
    item = std::move(items_.front());
    items_.pop_front();
    lock.unlock();
    changed_.notify_all();
  }
  if (item.tables) tables_ = std::move(*item.tables);
  topic = std::move(item.topic);
  return true;
}

}  // namespace zek
