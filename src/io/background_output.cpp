// The writing thread of a BackgroundOutput and the hand-over of buffers.
#include "io/background_output.h"

#include <cstring>
#include <utility>

namespace zek {

BackgroundOutput::BackgroundOutput(std::unique_ptr<OutputFile> file)
    : file_(std::move(file)), writer_([this] { write_pending(); }) {}

BackgroundOutput::~BackgroundOutput() {
  stop();
}

bool BackgroundOutput::wait_for_room(std::unique_lock<std::mutex>& lock) {
  if (pending_.size() >= kMaxPending) wake_writer();
  changed_.wait(lock, [&] { return pending_.size() < kMaxPending || failed_; });
  return !failed_;
}

void BackgroundOutput::queued(std::unique_lock<std::mutex>& lock) {
  const bool wake = writer_waits_ && pending_.size() >= kWakeAt;
  lock.unlock();
  if (wake) changed_.notify_all();
}

// Called with the mutex held.
void BackgroundOutput::wake_writer() {
  if (writer_waits_) changed_.notify_all();
}

BackgroundOutput::Chunk BackgroundOutput::spare_chunk(size_t capacity) {
  for (auto it = spare_.begin(); it != spare_.end(); ++it) {
    if (it->capacity < capacity) continue;
    Chunk chunk = std::move(*it);
    spare_.erase(it);
    return chunk;
  }
  return Chunk{std::make_unique_for_overwrite<char[]>(capacity), 0, capacity};
}

bool BackgroundOutput::write(std::string_view bytes) {
  std::unique_lock lock(mutex_);
  if (bytes.empty()) return !failed_;
  if (!wait_for_room(lock)) return false;
  Chunk chunk = spare_chunk(bytes.size());
  std::memcpy(chunk.bytes.get(), bytes.data(), bytes.size());
  chunk.size = bytes.size();
  pending_.push_back(std::move(chunk));
  queued(lock);
  return true;
}

// The buffer itself goes into the queue; a written one of the same size
// (or a new one) takes its place.
bool BackgroundOutput::write_buffer(std::unique_ptr<char[]>& buffer, size_t size, size_t capacity) {
  std::unique_lock lock(mutex_);
  if (!wait_for_room(lock)) return false;
  Chunk replacement = spare_chunk(capacity);
  pending_.push_back(Chunk{std::move(buffer), size, capacity});
  queued(lock);
  buffer = std::move(replacement.bytes);
  return true;
}

bool BackgroundOutput::flush() {
  std::unique_lock lock(mutex_);
  wake_writer();
  changed_.wait(lock, [&] { return (pending_.empty() && !busy_) || failed_; });
  return !failed_;
}

bool BackgroundOutput::finish() {
  const bool written = flush();
  stop();
  return file_->finish() && written;
}

bool BackgroundOutput::commit() {
  if (!finish()) {
    file_->discard();
    return false;
  }
  return file_->commit();
}

void BackgroundOutput::discard() {
  {
    std::lock_guard lock(mutex_);
    pending_.clear();
  }
  stop();
  file_->discard();
}

// The thread: writes the buffers in order until it is stopped with none left.
void BackgroundOutput::write_pending() {
  std::unique_lock lock(mutex_);
  for (;;) {
    writer_waits_ = true;
    changed_.wait(lock, [&] { return !pending_.empty() || stopping_; });
    writer_waits_ = false;
    if (pending_.empty()) return;
    Chunk chunk = std::move(pending_.front());
    pending_.pop_front();
    busy_ = true;
    lock.unlock();
    const bool written = file_->write(std::string_view(chunk.bytes.get(), chunk.size));
    lock.lock();
    busy_ = false;
    if (!written) {
      failed_ = true;
      pending_.clear();
    }
    if (spare_.size() <= kMaxPending) spare_.push_back(std::move(chunk));
    changed_.notify_all();
  }
}

void BackgroundOutput::stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (writer_.joinable()) writer_.join();
}

}  // namespace zek
