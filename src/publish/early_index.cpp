// The early first read: a bounded queue of chunks between the spool's
// writer and a reader thread.
#include "publish/early_index.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <utility>

namespace zek {

// The reading side of the queue as a byte source for the tokenizer.
class EarlyIndex::QueueSource : public RtfSource {
 public:
  explicit QueueSource(EarlyIndex& queue) : queue_(queue) {}

  size_t read(char* buffer, size_t size) override {
    if (offset_ == current_.size() && !next_chunk()) return 0;
    const size_t n = std::min(size, current_.size() - offset_);
    std::memcpy(buffer, current_.data() + offset_, n);
    offset_ += n;
    return n;
  }

 private:
  // Waits for the next chunk; false once the input has ended.
  bool next_chunk() {
    std::unique_lock<std::mutex> lock(queue_.mutex_);
    queue_.changed_.wait(lock, [this] { return !queue_.chunks_.empty() || queue_.closed_; });
    if (queue_.chunks_.empty()) return false;
    current_ = std::move(queue_.chunks_.front());
    queue_.chunks_.pop_front();
    offset_ = 0;
    lock.unlock();
    queue_.changed_.notify_all();
    return !current_.empty();
  }

  EarlyIndex& queue_;
  std::string current_;
  size_t offset_ = 0;
};

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
  if (!thread_.joinable()) return;
  pending_.append(bytes);
  if (pending_.size() >= kChunk) hand_over();
}

void EarlyIndex::hand_over() {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return chunks_.size() < kMaxChunks; });
    chunks_.push_back(std::move(pending_));
  }
  changed_.notify_all();
  pending_ = std::string();
  pending_.reserve(kChunk);
}

std::optional<HelpIndex> EarlyIndex::finish() {
  if (!thread_.joinable()) return std::nullopt;
  if (!pending_.empty()) hand_over();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
  thread_.join();
  return std::move(index_);
}

void EarlyIndex::run() {
  QueueSource source(*this);
  index_.add_topics(source);
  // Whatever follows the RTF's end is still taken, so that the writer never
  // waits for room that no one makes.
  char rest[4096];
  while (source.read(rest, sizeof rest) != 0) {
  }
}

}  // namespace zek
