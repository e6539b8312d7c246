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
  size_ += bytes.size();
  if (file_ == nullptr) {
    memory_.append(bytes);
    return true;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
  return !failed_;
}

size_t TemporaryBytes::read_at(uint64_t offset, char* buffer, size_t size) {
  if (file_ == nullptr) {
    if (offset >= memory_.size()) return 0;
    const size_t n = std::min<size_t>(size, memory_.size() - static_cast<size_t>(offset));
    std::memcpy(buffer, memory_.data() + offset, n);
    return n;
  }
  const std::lock_guard<std::mutex> lock(reading_);
  if (!flushed_) {
    if (std::fflush(file_) != 0) failed_ = true;
    flushed_ = true;
  }
  if (!seek_file(file_, offset)) return 0;
  return std::fread(buffer, 1, size, file_);
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
  for (uint64_t offset = 0; offset < bytes_.size();) {
    const size_t got = bytes_.read_at(offset, chunk.data(), chunk.size());
    if (got == 0 || !to.write(std::string_view(chunk.data(), got))) return false;
    offset += got;
  }
  return !bytes_.failed();
}

}  // namespace zek
