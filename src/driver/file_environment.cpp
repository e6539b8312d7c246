// Files on disk through the C library's binary streams.
#include "driver/file_environment.h"

namespace zek {

namespace {

class FileInput : public InputStream {
 public:
  explicit FileInput(std::FILE* file) : file_(file) {}
  ~FileInput() override { std::fclose(file_); }
  size_t read(char* buffer, size_t size) override { return std::fread(buffer, 1, size, file_); }

 private:
  std::FILE* file_;
};

class FileOutput : public OutputFile {
 public:
  explicit FileOutput(std::FILE* file) : file_(file) {}
  ~FileOutput() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  bool write(std::string_view bytes) override {
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
  }
  bool commit() override {
    const bool flushed = std::fflush(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return flushed && closed;
  }

 private:
  std::FILE* file_;
};

}  // namespace

std::unique_ptr<InputStream> FileEnvironment::open_input(const std::string& name) {
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr) return nullptr;
  return std::make_unique<FileInput>(file);
}

std::unique_ptr<OutputFile> FileEnvironment::create_output(const std::string& name) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) return nullptr;
  return std::make_unique<FileOutput>(file);
}

bool FileEnvironment::same_file(const std::string&, const std::string&) {
  return false;
}

bool ConsoleStream::write(std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool ConsoleStream::flush() {
  return std::fflush(file_) == 0;
}

}  // namespace zek
