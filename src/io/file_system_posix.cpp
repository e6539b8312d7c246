// POSIX file access: open(2) and fstat(2) for regular inputs, device and
// inode for identities, and an O_EXCL temporary renamed over the target.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <limits>
#include <random>

#include "base/cat.h"
#include "io/file_system.h"

namespace zek {

namespace {

FileIdentity identity_of(const struct stat& status) {
  return FileIdentity{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}

void close_quietly(int fd) {
  if (fd >= 0) ::close(fd);
}

class PosixInput : public InputStream {
 public:
  PosixInput(int fd, FileIdentity identity) : fd_(fd), identity_(identity) {}
  ~PosixInput() override { close_quietly(fd_); }
  size_t read(char* buffer, size_t size) override {
    for (;;) {
      const ssize_t got = ::read(fd_, buffer, size);
      if (got >= 0) return static_cast<size_t>(got);
      if (errno != EINTR) return 0;  // a read error ends the file like its end
    }
  }
  std::optional<FileIdentity> identity() const override { return identity_; }

 private:
  int fd_;
  FileIdentity identity_;
};

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(put));
  }
  return true;
}

// Where the system allows it, asks for the bytes written so far to go to
// the disk now, without waiting: the fsync before the temporary replaces
// its target then has little left to wait for.
#ifdef SYNC_FILE_RANGE_WRITE
void start_writeback(int fd, off_t from, off_t length) {
  ::sync_file_range(fd, from, length, SYNC_FILE_RANGE_WRITE);
}
#else
void start_writeback(int, off_t, off_t) {}
#endif

// A file being written: either a temporary that replaces `target_` on commit,
// or (temp_ empty) the target itself, a device or a pipe.
class PosixOutput : public OutputFile {
 public:
  PosixOutput(int fd, std::string temp, std::string target, TemporaryRegistry* temporaries)
      : fd_(fd), temp_(std::move(temp)), target_(std::move(target)), temporaries_(temporaries) {}
  ~PosixOutput() override { discard(); }
  bool write(std::string_view bytes) override {
    if (fd_ < 0 || !write_all(fd_, bytes)) return false;
    written_ += static_cast<off_t>(bytes.size());
    if (!temp_.empty() && written_ - synced_ >= kWritebackStep) {
      start_writeback(fd_, synced_, written_ - synced_);
      synced_ = written_;
    }
    return true;
  }
  bool finish() override {
    if (fd_ < 0) return finished_;
    finished_ = temp_.empty() || ::fsync(fd_) == 0;
    finished_ = ::close(fd_) == 0 && finished_;
    fd_ = -1;
    return finished_;
  }
  bool replaces_target() const override { return !temp_.empty(); }
  bool commit() override {
    bool ok = finish();
    if (temp_.empty()) return ok;
    TemporaryRegistry::Change change(temporaries_);
    ok = ok && ::rename(temp_.c_str(), target_.c_str()) == 0;
    if (!ok) ::unlink(temp_.c_str());
    change.remove(temp_);
    temp_.clear();
    return ok;
  }
  void discard() override {
    close_quietly(fd_);
    fd_ = -1;
    if (temp_.empty()) return;
    TemporaryRegistry::Change change(temporaries_);
    ::unlink(temp_.c_str());
    change.remove(temp_);
    temp_.clear();
  }

 private:
  static constexpr off_t kWritebackStep = off_t{4} << 20;
  int fd_;
  bool finished_ = false;
  off_t written_ = 0;
  off_t synced_ = 0;
  std::string temp_;
  std::string target_;
  TemporaryRegistry* temporaries_;
};

// The folder part of `name` with its final "/", or "" for the current folder.
std::string folder_of(const std::string& name) {
  const size_t slash = name.rfind('/');
  return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

// The file a link at `name` finally denotes, so that replacing it keeps the
// link; `name` itself when it is no link or leads nowhere.
std::string resolve_link(const std::string& name) {
  struct stat status {};
  if (::lstat(name.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return name;
  char* resolved = ::realpath(name.c_str(), nullptr);
  if (resolved == nullptr) return name;
  std::string result(resolved);
  std::free(resolved);
  return result;
}

// Creates a new temporary file in `folder`; it never opens an existing file
// or follows a link planted under the chosen name. The file is registered
// in the same step, so that an interruption never finds it unregistered.
int create_temporary(const std::string& folder, std::string& temp, TemporaryRegistry* temporaries) {
  std::random_device seed;
  std::mt19937_64 random(static_cast<uint64_t>(seed()) << 32 ^ seed() ^
                         static_cast<uint64_t>(::getpid()));
  TemporaryRegistry::Change change(temporaries);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = cat(folder, ".zek2rtf-", hex_padded(static_cast<uint32_t>(random()), 8),
               hex_padded(static_cast<uint32_t>(random()), 8), ".tmp");
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) change.add(temp, TemporaryRegistry::Kind::file);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Whether the open file `fd`, of `bytes.size()` bytes, holds exactly `bytes`.
bool holds_exactly(int fd, std::string_view bytes) {
  char buffer[1 << 14];
  while (!bytes.empty()) {
    const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, bytes.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    const auto size = static_cast<size_t>(got);
    if (bytes.compare(0, size, std::string_view(buffer, size)) != 0) return false;
    bytes.remove_prefix(size);
  }
  return true;
}

}  // namespace

UnchangedFileLinker::UnchangedFileLinker(const std::string& folder) {
  struct stat status {};
  if (::stat(folder.c_str(), &status) != 0) return;
  usable_ = true;
  permissions_ = status.st_mode & 0666;  // a folder's, less the search bits
  owner_ = ::geteuid();
}

bool UnchangedFileLinker::link(const std::string& existing, const std::string& link,
                               std::string_view bytes) const {
  if (!usable_) return false;
  const int fd = ::open(existing.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat status {};
  const bool shareable = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                         status.st_nlink == 1 && status.st_uid == owner_ &&
                         (status.st_mode & 07777) == permissions_ &&
                         static_cast<uint64_t>(status.st_size) == bytes.size();
  const bool same = shareable && holds_exactly(fd, bytes);
  close_quietly(fd);
  if (!same || ::link(existing.c_str(), link.c_str()) != 0) return false;
  // The name may have come to denote another file after it was compared.
  struct stat linked {};
  if (::lstat(link.c_str(), &linked) == 0 && linked.st_dev == status.st_dev &&
      linked.st_ino == status.st_ino && linked.st_nlink == 2) {
    return true;
  }
  ::unlink(link.c_str());
  return false;
}

bool write_file_at(std::FILE* file, uint64_t offset, std::string_view bytes) {
  const int fd = ::fileno(file);
  while (!bytes.empty()) {
    if (offset > static_cast<uint64_t>(std::numeric_limits<off_t>::max())) return false;
    const ssize_t put = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(put));
    offset += static_cast<uint64_t>(put);
  }
  return true;
}

size_t read_file_at(std::FILE* file, uint64_t offset, char* buffer, size_t size) {
  const int fd = ::fileno(file);
  size_t got = 0;
  while (got < size) {
    if (offset > static_cast<uint64_t>(std::numeric_limits<off_t>::max())) break;
    const ssize_t read = ::pread(fd, buffer + got, size - got, static_cast<off_t>(offset));
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) break;
    got += static_cast<size_t>(read);
    offset += static_cast<uint64_t>(read);
  }
  return got;
}

std::unique_ptr<InputStream> open_regular_file(const std::string& name) {
  // Non-blocking, so that naming a pipe does not wait for a writer.
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close_quietly(fd);
    return nullptr;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return std::make_unique<PosixInput>(fd, identity_of(status));
}

std::optional<FileIdentity> file_identity(const std::string& name) {
  struct stat status {};
  if (::stat(name.c_str(), &status) != 0) return std::nullopt;
  return identity_of(status);
}

std::unique_ptr<OutputFile> create_replacement(const std::string& name,
                                               TemporaryRegistry* temporaries) {
  const std::string target = resolve_link(name);
  struct stat status {};
  const bool exists = ::stat(target.c_str(), &status) == 0;
  if (exists && S_ISDIR(status.st_mode)) return nullptr;
  // A file the user may not write stays as it is, as if it were opened in place.
  if (exists && ::access(target.c_str(), W_OK) != 0) return nullptr;
  if (exists && !S_ISREG(status.st_mode)) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixOutput>(fd, std::string(), target, nullptr);
  }
  std::string temp;
  const int fd = create_temporary(folder_of(target), temp, temporaries);
  if (fd < 0) return nullptr;
  // A replaced file keeps its permissions; a new one gets those of any new file.
  if (exists) ::fchmod(fd, status.st_mode & 07777);
  return std::make_unique<PosixOutput>(fd, std::move(temp), target, temporaries);
}

}  // namespace zek

#endif  // !_WIN32
