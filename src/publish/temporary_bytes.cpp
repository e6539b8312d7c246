// Temporary bytes: a temporary file, or memory.
#include "publish/temporary_bytes.h"

#include <algorithm>
#include <cstring>

#include "io/file_system.h"

namespace zek {

TemporaryBytes::TemporaryBytes() : file_(std::tmpfile()) {}

TemporaryBytes::~TemporaryBytes() {
  if (file_ != nullptr) std::fclose(file_);
}

// The bytes go to the file at its end without the lock, which readers take
// only to learn the size: a reader reads below the size, which grows once
// the bytes are written.
bool TemporaryBytes::append(std::string_view bytes) {
  bool written = true;
  if (file_ != nullptr) written = write_file_at(file_, size_, bytes);
  bool wake = false;
  bool ok = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (file_ == nullptr) memory_.append(bytes);
    if (!written) failed_ = true;
    ok = !failed_;
    if (ok) size_ += bytes.size();
    // A reader is woken only once what it waits for is there.
    wake = size_ >= awaited_ || failed_;
    if (wake) awaited_ = kNoReader;
  }
  if (wake) appended_.notify_all();
  return ok;
}

void TemporaryBytes::close() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  appended_.notify_all();
}

size_t TemporaryBytes::read_at(uint64_t offset, char* buffer, size_t size) {
  std::unique_lock<std::mutex> lock(mutex_);
  return read_locked(lock, offset, buffer, size);
}

size_t TemporaryBytes::wait_read_at(uint64_t offset, char* buffer, size_t size) {
  std::unique_lock<std::mutex> lock(mutex_);
  const uint64_t wanted = offset + size;
  while (size_ < wanted && !closed_ && !failed_) {
    awaited_ = std::min(awaited_, wanted);
    appended_.wait(lock);
  }
  return read_locked(lock, offset, buffer, size);
}

bool TemporaryBytes::failed() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return failed_;
}

// Memory is read under the lock, as an append may move it; the file after
// it, at a place no append writes to again.
size_t TemporaryBytes::read_locked(std::unique_lock<std::mutex>& lock, uint64_t offset,
                                   char* buffer, size_t size) {
  if (offset >= size_) return 0;
  const size_t n = static_cast<size_t>(std::min<uint64_t>(size, size_ - offset));
  if (file_ == nullptr) {
    std::memcpy(buffer, memory_.data() + offset, n);
    return n;
  }
  lock.unlock();
  const size_t got = read_file_at(file_, offset, buffer, n);
  if (got != n) {
    lock.lock();
    failed_ = true;
  }
  return got;
}

size_t TemporaryBytesSource::read(char* buffer, size_t size) {
  const size_t got = waiting_ == Waiting::until_closed ? bytes_.wait_read_at(offset_, buffer, size)
                                                       : bytes_.read_at(offset_, buffer, size);
  offset_ += got;
  return got;
}

}  // namespace zek
