// The spool and the scratch file: a temporary file, or memory.
#include "publish/spool.h"

#include <algorithm>
#include <cstring>

#include "io/file_system.h"

namespace zek {

namespace {

class BytesSource : public RtfSource {
 public:
  BytesSource(TemporaryBytes& bytes, uint64_t offset) : bytes_(bytes), offset_(offset) {}
  size_t read(char* buffer, size_t size) override {
    const size_t got = bytes_.read_at(offset_, buffer, size);
    offset_ += got;
    return got;
  }

 private:
  TemporaryBytes& bytes_;
  uint64_t offset_;
};

constexpr size_t kCopyChunk = size_t{1} << 16;

}  // namespace

TemporaryBytes::TemporaryBytes() : file_(std::tmpfile()) {}

TemporaryBytes::~TemporaryBytes() {
  if (file_ != nullptr) std::fclose(file_);
}

bool TemporaryBytes::append(std::string_view bytes) {
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
    if (failed_) return false;
  }
  appended_.notify_all();
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
  appended_.wait(lock, [&] { return size_ > offset || closed_ || failed_; });
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

bool Spool::write(std::string_view bytes) {
  early_.write(bytes);
  return bytes_.append(bytes);
}

std::unique_ptr<RtfSource> Spool::read(uint64_t offset) {
  return std::make_unique<BytesSource>(bytes_, offset);
}

bool ScratchFile::write(std::string_view bytes) {
  return bytes_.append(bytes);
}

bool ScratchFile::copy_to(OutputStream& to) {
  std::string chunk(kCopyChunk, '\0');
  uint64_t offset = 0;
  for (;;) {
    const size_t got = bytes_.wait_read_at(offset, chunk.data(), chunk.size());
    if (got == 0) break;
    if (!to.write(std::string_view(chunk.data(), got))) return false;
    offset += got;
  }
  return !bytes_.failed();
}

}  // namespace zek
