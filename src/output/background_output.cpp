// The writing thread of a BackgroundOutput and the hand-over of buffers.
#include "output/background_output.h"

#include <utility>

namespace zek {

BackgroundOutput::BackgroundOutput(std::unique_ptr<OutputFile> file)
    : file_(std::move(file)), writer_([this] { write_pending(); }) {}

BackgroundOutput::~BackgroundOutput() {
  stop();
}

bool BackgroundOutput::write(std::string_view bytes) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return pending_.size() < kMaxPending || failed_; });
  if (failed_) return false;
  std::string buffer;
  if (!spare_.empty()) {
    buffer = std::move(spare_.back());
    spare_.pop_back();
  }
  buffer.assign(bytes.data(), bytes.size());
  pending_.push_back(std::move(buffer));
  changed_.notify_all();
  return true;
}

bool BackgroundOutput::flush() {
  std::unique_lock lock(mutex_);
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
    changed_.wait(lock, [&] { return !pending_.empty() || stopping_; });
    if (pending_.empty()) return;
    std::string buffer = std::move(pending_.front());
    pending_.pop_front();
    busy_ = true;
    lock.unlock();
    const bool written = file_->write(buffer);
    lock.lock();
    busy_ = false;
    if (!written) {
      failed_ = true;
      pending_.clear();
    }
    spare_.push_back(std::move(buffer));
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
