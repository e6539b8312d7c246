// The chunk queue between the spool's writer and an early reader.
#include "publish/chunk_queue.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace zek {

void ChunkQueue::write(std::string_view bytes) {
  pending_.append(bytes);
  if (pending_.size() >= kChunk) hand_over();
}

void ChunkQueue::hand_over() {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return chunks_.size() < kMaxChunks || stopped_; });
    if (!stopped_) chunks_.push_back(std::move(pending_));
  }
  changed_.notify_all();
  pending_ = std::string();
  pending_.reserve(kChunk);
}

void ChunkQueue::close() {
  if (!pending_.empty()) hand_over();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

void ChunkQueue::stop_reading() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    chunks_.clear();
  }
  changed_.notify_all();
}

bool ChunkQueue::next_chunk(std::string& chunk) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !chunks_.empty() || closed_; });
  if (chunks_.empty()) return false;
  chunk = std::move(chunks_.front());
  chunks_.pop_front();
  lock.unlock();
  changed_.notify_all();
  return true;
}

size_t ChunkQueue::Reader::read(char* buffer, size_t size) {
  while (offset_ == current_.size()) {
    if (!queue_.next_chunk(current_)) return 0;
    offset_ = 0;
  }
  const size_t n = std::min(size, current_.size() - offset_);
  std::memcpy(buffer, current_.data() + offset_, n);
  offset_ += n;
  return n;
}

}  // namespace zek
