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

bool TemporaryBytes::append(std::string_view bytes) {
  bool wake = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (file_ == nullptr) {
      memory_.append(bytes);
    } else {
      if (reading_ && !seek_file(file_, size_)) failed_ = true;
      reading_ = false;
      if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
    }
    size_ += bytes.size();
    // A reader is woken only once what it waits for is there.
    wake = size_ >= awaited_ || failed_;
    if (wake) awaited_ = kNoReader;
    if (failed_) {
      if (wake) appended_.notify_all();
      return false;
    }
  }
  if (wake) appended_.notify_all();
  return true;
}

void TemporaryBytes::close() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  appended_.notify_all();
}

size_t TemporaryBytes::read_at(uint64_t offset, char* buffer, size_t size) {
  const std::lock_guard<std::mutex> lock(mutex_);
  return read_locked(offset, buffer, size);
}

size_t TemporaryBytes::wait_read_at(uint64_t offset, char* buffer, size_t size) {
  std::unique_lock<std::mutex> lock(mutex_);
  const uint64_t wanted = offset + size;
  while (size_ < wanted && !closed_ && !failed_) {
    awaited_ = std::min(awaited_, wanted);
    appended_.wait(lock);
  }
  return read_locked(offset, buffer, size);
}

bool TemporaryBytes::failed() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return failed_;
}

size_t TemporaryBytes::read_locked(uint64_t offset, char* buffer, size_t size) {
  if (offset >= size_) return 0;
  const size_t n = static_cast<size_t>(std::min<uint64_t>(size, size_ - offset));
  if (file_ == nullptr) {
    std::memcpy(buffer, memory_.data() + offset, n);
    return n;
  }
  // Written bytes are flushed by the seek that turns the stream to reading.
  reading_ = true;
  if (!seek_file(file_, offset)) {
    failed_ = true;
    return 0;
  }
  const size_t got = std::fread(buffer, 1, n, file_);
  if (got != n) failed_ = true;
  return got;
}

size_t TemporaryBytesSource::read(char* buffer, size_t size) {
  const size_t got = waiting_ == Waiting::until_closed ? bytes_.wait_read_at(offset_, buffer, size)
                                                       : bytes_.read_at(offset_, buffer, size);
  offset_ += got;
  return got;
}

}  // namespace zek
