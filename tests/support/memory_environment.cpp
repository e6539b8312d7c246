// In-memory environment for whole-conversion tests.
#include "support/memory_environment.h"

#include <algorithm>
#include <cstring>

#include "driver/run.h"

namespace zek::testing {

namespace {

class StringInput : public InputStream {
 public:
  explicit StringInput(std::string bytes) : bytes_(std::move(bytes)) {}
  size_t read(char* buffer, size_t size) override {
    const size_t n = std::min(size, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
  }

 private:
  std::string bytes_;
  size_t pos_ = 0;
};

class MemoryOutput : public OutputFile {
 public:
  MemoryOutput(std::string& target, bool full) : target_(target), full_(full) {}
  bool write(std::string_view bytes) override {
    if (full_) return false;
    target_.append(bytes);
    return true;
  }
  bool commit() override { return !full_; }

 private:
  std::string& target_;
  bool full_;
};

bool contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool StringStream::write(std::string_view text) {
  if (fail) return false;
  bytes.append(text);
  return true;
}

std::unique_ptr<InputStream> MemoryEnvironment::open_input(const std::string& name) {
  auto it = files.find(name);
  if (it == files.end()) return nullptr;
  return std::make_unique<StringInput>(it->second);
}

std::unique_ptr<OutputFile> MemoryEnvironment::create_output(const std::string& name) {
  if (contains(unwritable, name)) return nullptr;
  std::string& target = files[name];
  target.clear();
  return std::make_unique<MemoryOutput>(target, contains(full, name));
}

RunResult run(MemoryEnvironment& env, const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {"zek2rtf"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  StringStream out, err;
  RunResult result;
  result.status = run_converter(argv, env, out, err);
  result.out = std::move(out.bytes);
  result.err = std::move(err.bytes);
  return result;
}

std::string convert(const std::string& source, const std::vector<std::string>& options,
                    const std::string& output_name) {
  MemoryEnvironment env;
  env.files["in.zek"] = source;
  std::vector<std::string> arguments = options;
  arguments.push_back("in.zek");
  arguments.push_back(output_name);
  run(env, arguments);
  return env.files[output_name];
}

}  // namespace zek::testing
