// Files on disk alike on every platform: the environment of a real run, the
// console streams, and a project's temporary folder through the standard
// library's file system functions. Pages are written without waiting for the
// disk: a project of thousands of pages would otherwise spend most of its
// time there, and a page that is lost can be made again by another run.
#include "io/file_system.h"

#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <system_error>
#include <vector>

#include "base/cat.h"
#include "io/background_output.h"
#include "io/paths.h"

namespace zek {

namespace fs = std::filesystem;

namespace {

class FolderFile : public OutputStream {
 public:
  explicit FolderFile(const fs::path& path) : file_(path, std::ios::binary | std::ios::trunc) {}
  bool is_open() const { return file_.is_open(); }
  bool write(std::string_view bytes) override {
    file_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file_);
  }
  bool flush() override {
    file_.flush();
    return static_cast<bool>(file_);
  }

 private:
  std::ofstream file_;
};

// A relative name is one plain name, or a folder name, "/" and a plain name.
bool is_plain(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('\\') == std::string::npos &&
         name.find(':') == std::string::npos;
}

class ProjectFolder : public OutputFolder {
 public:
  // `target_name` and `temp_name`: the two folders as the names the
  // platform's calls take, each empty or ending in a separator.
  ProjectFolder(fs::path target, fs::path temp, std::string target_name, std::string temp_name)
      : target_(std::move(target)),
        temp_(std::move(temp)),
        target_name_(std::move(target_name)),
        temp_name_(std::move(temp_name)),
        unchanged_(temp_name_) {}
  ~ProjectFolder() override { discard(); }

  std::unique_ptr<OutputStream> create(const std::string& relative) override {
    if (!prepare(relative)) return nullptr;
    auto file = fresh_file(relative);
    if (!file->is_open()) return nullptr;
    return file;
  }

  // A page inside the project's folder that the project it replaces holds
  // with the same bytes becomes a second name of that file: the pages an
  // edit did not change keep their file, and no new file has to be made
  // for them. The files beside the folder are always written anew, so that
  // the project file is newer than the source it was made from.
  bool put(const std::string& relative, std::string_view bytes) override {
    if (!prepare(relative)) return false;
    if (relative.find('/') != std::string::npos &&
        unchanged_.link(cat(target_name_, relative), cat(temp_name_, relative), bytes)) {
      return true;
    }
    const std::unique_ptr<FolderFile> file = fresh_file(relative);
    return file->is_open() && file->write(bytes) && file->flush();
  }

  bool takes_files_at_once() const override { return true; }

  bool commit(const std::string& last) override {
    if (temp_.empty()) return false;
    for (const std::string& entry : entries_) {
      if (!replaceable(entry)) {
        discard();
        return false;
      }
    }
    bool ok = true;
    for (const std::string& entry : entries_) {
      if (entry != last) ok = move_into_place(entry) && ok;
    }
    ok = ok && move_into_place(last);
    discard();
    return ok;
  }

  void discard() override {
    if (temp_.empty()) return;
    std::error_code error;
    fs::remove_all(temp_, error);
    temp_.clear();
    folders_.clear();
  }

 private:
  // Checks the name of a file of the set and makes its folder.
  bool prepare(const std::string& relative) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (temp_.empty()) return false;
    const size_t slash = relative.find('/');
    std::string_view first(relative);
    std::string_view second;
    if (slash != std::string::npos) {
      first = first.substr(0, slash);
      second = std::string_view(relative).substr(slash + 1);
      if (!is_plain(second) || second.find('/') != std::string::npos) return false;
    }
    if (!is_plain(first)) return false;
    if (slash != std::string::npos && !make_folder(first)) return false;
    remember(std::string(first));
    return true;
  }

  // A new file of the set. A name put before may be a second name of the
  // replaced project's file, which must never be written through.
  std::unique_ptr<FolderFile> fresh_file(const std::string& relative) const {
    const fs::path path = temp_ / fs::path(relative);
    std::error_code error;
    fs::remove(path, error);
    return std::make_unique<FolderFile>(path);
  }

  // Makes a folder of the set once: a project puts thousands of pages into
  // one folder, and asking the system for it again with each page cost two
  // calls a page.
  bool make_folder(std::string_view name) {
    for (const std::string& made : folders_) {
      if (made == name) return true;
    }
    std::error_code error;
    fs::create_directory(temp_ / fs::path(name), error);
    if (error) return false;
    folders_.emplace_back(name);
    return true;
  }

  void remember(const std::string& entry) {
    for (const std::string& known : entries_) {
      if (known == entry) return;
    }
    entries_.push_back(entry);
  }

  // Whether the folder of the set may replace the one of its name that is
  // there: only when that holds nothing but what a project writes into its
  // folder (pages, the style sheet, copied bitmaps), so that an author's own
  // files in a folder that happens to bear the project's name are never
  // thrown away with it.
  bool replaceable(const std::string& entry) const {
    std::error_code error;
    const fs::path to = target_ / fs::path(entry);
    if (!fs::is_directory(temp_ / fs::path(entry), error)) return true;
    if (!fs::is_directory(fs::symlink_status(to, error))) return true;
    for (fs::directory_iterator it(to, error), end; !error && it != end; it.increment(error)) {
      if (!fs::is_regular_file(it->symlink_status(error))) return false;
      // As UTF-8, which every file name has, unlike the narrow code page.
      const std::u8string utf8 = it->path().extension().u8string();
      const std::string extension(utf8.begin(), utf8.end());
      if (!equals_ignoring_case(extension, ".htm") && !equals_ignoring_case(extension, ".css") &&
          !equals_ignoring_case(extension, ".bmp") && !equals_ignoring_case(extension, ".png")) {
        return false;
      }
    }
    return !error;
  }

  // Moves one file or folder of the set over the one of the same name; a
  // folder that is there already is moved aside first and removed after.
  bool move_into_place(const std::string& entry) {
    std::error_code error;
    const fs::path from = temp_ / fs::path(entry);
    const fs::path to = target_ / fs::path(entry);
    if (fs::is_directory(from, error) && fs::is_directory(fs::symlink_status(to, error))) {
      const fs::path aside = temp_ / fs::path(cat(entry, ".old"));
      fs::rename(to, aside, error);
      if (error) return false;
      fs::rename(from, to, error);
      if (error) {
        fs::rename(aside, to, error);
        return false;
      }
      return true;  // the old folder goes with the temporary folder
    }
    fs::rename(from, to, error);
    return !error;
  }

  fs::path target_;
  fs::path temp_;
  std::string target_name_;
  std::string temp_name_;
  std::vector<std::string> entries_;
  std::vector<std::string> folders_;  // made in temp_ already
  UnchangedFileLinker unchanged_;
  std::mutex mutex_;  // entries_ and folders_: pages are put from two threads
};

}  // namespace

std::unique_ptr<OutputFolder> create_project_folder(const std::string& folder) {
  const fs::path target = folder.empty() ? fs::path(".") : fs::path(folder);
  std::random_device seed;
  std::mt19937_64 random(static_cast<uint64_t>(seed()) << 32 ^ seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string temp_name = cat(".zek2rtf-", hex_padded(static_cast<uint32_t>(random()), 8),
                                      hex_padded(static_cast<uint32_t>(random()), 8), ".tmp");
    const fs::path temp = target / temp_name;
    std::error_code error;
    if (fs::create_directory(temp, error)) {
      return std::make_unique<ProjectFolder>(target, temp, folder, cat(folder, temp_name, '/'));
    }
    if (error) return nullptr;
  }
  return nullptr;
}

std::unique_ptr<InputStream> FileEnvironment::open_input(const std::string& name) {
  return open_regular_file(name);
}

// A file of its own is written by a thread while the conversion goes on; a
// device or a pipe (perhaps the console, which the conversion also writes
// to) is written in order with everything else.
std::unique_ptr<OutputFile> FileEnvironment::create_output(const std::string& name) {
  std::unique_ptr<OutputFile> file = create_replacement(name, temporaries_);
  if (!file || !file->replaces_target()) return file;
  return std::make_unique<BackgroundOutput>(std::move(file));
}

std::optional<FileIdentity> FileEnvironment::identify(const std::string& name) {
  return file_identity(name);
}

std::unique_ptr<OutputFolder> FileEnvironment::create_output_folder(const std::string& folder) {
  return create_project_folder(folder);
}

bool ConsoleStream::write(std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool ConsoleStream::flush() {
  return std::fflush(file_) == 0;
}

}  // namespace zek
