// The spool: a temporary file, or memory.
#include "publish/spool.h"

namespace zek {

namespace {

class FileSource : public RtfSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  size_t read(char* buffer, size_t size) override { return std::fread(buffer, 1, size, file_); }

 private:
  std::FILE* file_;
};

}  // namespace

Spool::Spool() : file_(std::tmpfile()) {}

Spool::~Spool() {
  if (file_ != nullptr) std::fclose(file_);
}

bool Spool::write(std::string_view bytes) {
  early_.write(bytes);
  if (file_ == nullptr) {
    memory_.append(bytes);
    return true;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
  return !failed_;
}

std::unique_ptr<RtfSource> Spool::read() {
  if (file_ == nullptr) return std::make_unique<RtfStringSource>(memory_);
  std::fflush(file_);
  std::rewind(file_);
  return std::make_unique<FileSource>(file_);
}

}  // namespace zek
