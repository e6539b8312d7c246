// In-memory environment for whole-conversion tests.
#include "support/memory_environment.h"

#include <algorithm>
#include <cstring>

#include "driver/run.h"

namespace zek::testing {

namespace {

class StringInput : public InputStream {
 public:
  StringInput(std::string bytes, FileIdentity identity)
      : bytes_(std::move(bytes)), identity_(identity) {}
  size_t read(char* buffer, size_t size) override {
    const size_t n = std::min(size, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
  }
  std::optional<FileIdentity> identity() const override { return identity_; }

 private:
  std::string bytes_;
  size_t pos_ = 0;
  FileIdentity identity_;
};

class MemoryOutput : public OutputFile {
 public:
  MemoryOutput(std::map<std::string, std::string>& files, std::string name, bool full,
               bool committable)
      : files_(files), name_(std::move(name)), full_(full), committable_(committable) {}
  bool write(std::string_view bytes) override {
    if (full_) return false;
    written_.append(bytes);
    return true;
  }
  bool finish() override { return !full_; }
  bool commit() override {
    if (full_ || !committable_) return false;
    files_[name_] = std::move(written_);
    return true;
  }
  void discard() override { written_.clear(); }

 private:
  std::map<std::string, std::string>& files_;
  std::string name_;
  std::string written_;
  bool full_;
  bool committable_;
};

// A project's files, put into `files` as "<folder><relative>" on commit.
class MemoryFolder : public OutputFolder {
 public:
  MemoryFolder(std::map<std::string, std::string>& files, std::string folder)
      : files_(files), folder_(std::move(folder)) {}
  std::unique_ptr<OutputStream> create(const std::string& relative) override {
    return std::make_unique<Entry>(written_[relative]);
  }
  bool commit(const std::string&) override {
    for (auto& [name, bytes] : written_) files_[folder_ + name] = std::move(bytes);
    written_.clear();
    return true;
  }
  void discard() override { written_.clear(); }

 private:
  class Entry : public OutputStream {
   public:
    explicit Entry(std::string& bytes) : bytes_(bytes) {}
    bool write(std::string_view bytes) override {
      bytes_.append(bytes);
      return true;
    }

   private:
    std::string& bytes_;
  };
  std::map<std::string, std::string>& files_;
  std::string folder_;
  std::map<std::string, std::string> written_;
};

bool contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Each name stands for its own file.
FileIdentity identity_of_name(const std::string& name) {
  return FileIdentity{1, std::hash<std::string>{}(name)};
}

}  // namespace

bool StringStream::write(std::string_view text) {
  if (fail) return false;
  bytes.append(text);
  return true;
}

const std::string& MemoryEnvironment::resolve(const std::string& name) const {
  auto it = links.find(name);
  return it == links.end() ? name : it->second;
}

std::unique_ptr<InputStream> MemoryEnvironment::open_input(const std::string& name) {
  asked.push_back(name);
  const std::string& real = resolve(name);
  auto it = files.find(real);
  if (it == files.end()) return nullptr;
  opened.insert(name);
  return std::make_unique<StringInput>(it->second, identity_of_name(real));
}

std::unique_ptr<OutputFile> MemoryEnvironment::create_output(const std::string& name) {
  const std::string& real = resolve(name);
  if (contains(unwritable, real)) return nullptr;
  return std::make_unique<MemoryOutput>(files, real, contains(full, real),
                                        !contains(uncommittable, real));
}

std::optional<FileIdentity> MemoryEnvironment::identify(const std::string& name) {
  const std::string& real = resolve(name);
  if (files.count(real) == 0) return std::nullopt;
  return identity_of_name(real);
}

std::unique_ptr<OutputFolder> MemoryEnvironment::create_output_folder(const std::string& folder) {
  return std::make_unique<MemoryFolder>(files, folder);
}

RunResult run(MemoryEnvironment& env, const std::vector<std::string>& arguments,
              ConsoleCharset console_charset) {
  std::vector<std::string> argv = {"zek2rtf"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  StringStream out, err;
  RunResult result;
  result.status = run_converter(argv, env, out, err, console_charset);
  result.out = std::move(out.bytes);
  result.err = std::move(err.bytes);
  return result;
}

}  // namespace zek::testing
