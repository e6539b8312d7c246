// Windows file access through the Win32 API: names converted from the ANSI
// code page, identities from GetFileInformationByHandle, and a temporary
// created with CREATE_NEW and moved over the target with MoveFileExW.
#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <limits>
#include <random>

#include "base/cat.h"
#include "base/sjis.h"
#include "io/code_page.h"
#include "io/file_system.h"

namespace zek {

namespace {

// A file name in the ANSI code page as the Windows API's UTF-16.
std::wstring wide_name(const std::string& name) {
  std::wstring wide;
  widen(CP_ACP, 0, name, wide);
  return wide;
}

std::optional<FileIdentity> identity_of(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool is_folder(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  return ::GetFileInformationByHandle(handle, &info) &&
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opens `name` only to look at it (no access rights); folders included.
HANDLE open_for_query(const std::wstring& name) {
  return ::CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

class Win32Input : public InputStream {
 public:
  Win32Input(HANDLE handle, std::optional<FileIdentity> identity)
      : handle_(handle), identity_(identity) {}
  ~Win32Input() override { ::CloseHandle(handle_); }
  size_t read(char* buffer, size_t size) override {
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD got = 0;
    if (!::ReadFile(handle_, buffer, chunk, &got, nullptr)) return 0;
    return got;
  }
  std::optional<FileIdentity> identity() const override { return identity_; }

 private:
  HANDLE handle_;
  std::optional<FileIdentity> identity_;
};

// A temporary that replaces `target_` on commit, or (temp_ empty) a device
// written in place.
class Win32Output : public OutputFile {
 public:
  // `registered` is the temporary's name as registered in `temporaries`.
  Win32Output(HANDLE handle, std::wstring temp, std::wstring target, std::string registered,
              TemporaryRegistry* temporaries)
      : handle_(handle),
        temp_(std::move(temp)),
        target_(std::move(target)),
        registered_(std::move(registered)),
        temporaries_(temporaries) {}
  ~Win32Output() override { discard(); }
  bool write(std::string_view bytes) override {
    while (!bytes.empty()) {
      if (handle_ == INVALID_HANDLE_VALUE) return false;
      const DWORD chunk =
          bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
      DWORD put = 0;
      if (!::WriteFile(handle_, bytes.data(), chunk, &put, nullptr) || put == 0) return false;
      bytes.remove_prefix(put);
    }
    return true;
  }
  bool finish() override {
    if (handle_ == INVALID_HANDLE_VALUE) return finished_;
    finished_ = temp_.empty() || ::FlushFileBuffers(handle_) != 0;
    finished_ = ::CloseHandle(handle_) != 0 && finished_;
    handle_ = INVALID_HANDLE_VALUE;
    return finished_;
  }
  bool replaces_target() const override { return !temp_.empty(); }
  bool commit() override {
    bool ok = finish();
    if (temp_.empty()) return ok;
    TemporaryRegistry::Change change(temporaries_);
    ok = ok && ::MoveFileExW(temp_.c_str(), target_.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) ::DeleteFileW(temp_.c_str());
    change.remove(registered_);
    temp_.clear();
    return ok;
  }
  void discard() override {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (temp_.empty()) return;
    TemporaryRegistry::Change change(temporaries_);
    ::DeleteFileW(temp_.c_str());
    change.remove(registered_);
    temp_.clear();
  }

 private:
  HANDLE handle_;
  bool finished_ = false;
  std::wstring temp_;
  std::wstring target_;
  std::string registered_;
  TemporaryRegistry* temporaries_;
};

// The folder part of `name` with its final separator; a "\" that is the
// trail byte of a double-byte character separates nothing.
std::string folder_of(const std::string& name) {
  size_t start = 0;
  if (name.size() >= 2 && name[1] == ':' && !is_lead_byte(name[0])) start = 2;
  for (size_t pos = start; pos < name.size(); pos += char_length(name, pos)) {
    if (name[pos] == '\\' || name[pos] == '/') start = pos + 1;
  }
  return name.substr(0, start);
}

// Creates a new temporary file in `folder` and registers it (as `narrow`, its
// name in the ANSI code page) in the same step. Others may delete it while
// it is written (FILE_SHARE_DELETE), so that an interruption can.
HANDLE create_temporary(const std::string& folder, std::wstring& temp, std::string& narrow,
                        TemporaryRegistry* temporaries) {
  std::random_device seed;
  std::mt19937_64 random(static_cast<uint64_t>(seed()) << 32 ^ seed() ^
                         static_cast<uint64_t>(::GetCurrentProcessId()));
  TemporaryRegistry::Change change(temporaries);
  for (int attempt = 0; attempt < 100; ++attempt) {
    narrow = cat(folder, "zek2rtf-", hex_padded(static_cast<uint32_t>(random()), 8),
                 hex_padded(static_cast<uint32_t>(random()), 8), ".tmp");
    temp = wide_name(narrow);
    // CREATE_NEW fails on any existing name, a planted link included.
    HANDLE handle = ::CreateFileW(temp.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) change.add(narrow, TemporaryRegistry::Kind::file);
    if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return handle;
  }
  return INVALID_HANDLE_VALUE;
}

// Whether the open file `handle`, of `bytes.size()` bytes, holds exactly `bytes`.
bool holds_exactly(HANDLE handle, std::string_view bytes) {
  char buffer[1 << 14];
  while (!bytes.empty()) {
    const DWORD want = bytes.size() < sizeof buffer ? static_cast<DWORD>(bytes.size())
                                                    : static_cast<DWORD>(sizeof buffer);
    DWORD got = 0;
    if (!::ReadFile(handle, buffer, want, &got, nullptr) || got == 0) return false;
    if (bytes.compare(0, got, std::string_view(buffer, got)) != 0) return false;
    bytes.remove_prefix(got);
  }
  return true;
}

}  // namespace

UnchangedFileLinker::UnchangedFileLinker(const std::string& folder) {
  // A page's rights come from the folder the project stands in, for an old
  // page as for a new one; the attributes are looked at with each file.
  (void)folder;
  usable_ = true;
}

bool UnchangedFileLinker::link(const std::string& existing, const std::string& link,
                               std::string_view bytes) const {
  if (!usable_) return false;
  const std::wstring from = wide_name(existing);
  const std::wstring to = wide_name(link);
  HANDLE handle = ::CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  constexpr DWORD kNotShared = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT |
                               FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                               FILE_ATTRIBUTE_SYSTEM;
  const bool shareable =
      ::GetFileType(handle) == FILE_TYPE_DISK && ::GetFileInformationByHandle(handle, &info) &&
      (info.dwFileAttributes & kNotShared) == 0 && info.nNumberOfLinks == 1 &&
      ((static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow) == bytes.size();
  const bool same = shareable && holds_exactly(handle, bytes);
  ::CloseHandle(handle);
  if (!same || !::CreateHardLinkW(to.c_str(), from.c_str(), nullptr)) return false;
  // The name may have come to denote another file after it was compared.
  HANDLE linked = open_for_query(to);
  BY_HANDLE_FILE_INFORMATION now{};
  const bool same_file = linked != INVALID_HANDLE_VALUE &&
                         ::GetFileInformationByHandle(linked, &now) &&
                         now.dwVolumeSerialNumber == info.dwVolumeSerialNumber &&
                         now.nFileIndexHigh == info.nFileIndexHigh &&
                         now.nFileIndexLow == info.nFileIndexLow && now.nNumberOfLinks == 2;
  if (linked != INVALID_HANDLE_VALUE) ::CloseHandle(linked);
  if (same_file) return true;
  ::DeleteFileW(to.c_str());
  return false;
}

namespace {

// The position `offset` for ReadFile and WriteFile on a handle opened
// without FILE_FLAG_OVERLAPPED: they then read or write there and wait.
OVERLAPPED at_offset(uint64_t offset) {
  OVERLAPPED overlapped{};
  overlapped.Offset = static_cast<DWORD>(offset);
  overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return overlapped;
}

HANDLE handle_of(std::FILE* file) {
  return reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
}

constexpr size_t kMostPerCall = size_t{1} << 30;

}  // namespace

bool write_file_at(std::FILE* file, uint64_t offset, std::string_view bytes) {
  const HANDLE handle = handle_of(file);
  if (handle == INVALID_HANDLE_VALUE) return false;
  while (!bytes.empty()) {
    OVERLAPPED overlapped = at_offset(offset);
    DWORD put = 0;
    const auto size = static_cast<DWORD>(std::min(bytes.size(), kMostPerCall));
    if (!::WriteFile(handle, bytes.data(), size, &put, &overlapped) || put == 0) return false;
    bytes.remove_prefix(put);
    offset += put;
  }
  return true;
}

size_t read_file_at(std::FILE* file, uint64_t offset, char* buffer, size_t size) {
  const HANDLE handle = handle_of(file);
  if (handle == INVALID_HANDLE_VALUE) return 0;
  size_t got = 0;
  while (got < size) {
    OVERLAPPED overlapped = at_offset(offset);
    DWORD read = 0;
    const auto wanted = static_cast<DWORD>(std::min(size - got, kMostPerCall));
    if (!::ReadFile(handle, buffer + got, wanted, &read, &overlapped) || read == 0) break;
    got += read;
    offset += read;
  }
  return got;
}

std::unique_ptr<InputStream> open_regular_file(const std::string& name) {
  HANDLE handle =
      ::CreateFileW(wide_name(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  if (::GetFileType(handle) != FILE_TYPE_DISK || is_folder(handle)) {
    ::CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<Win32Input>(handle, identity_of(handle));
}

std::optional<FileIdentity> file_identity(const std::string& name) {
  HANDLE handle = open_for_query(wide_name(name));
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<FileIdentity> identity;
  if (::GetFileType(handle) == FILE_TYPE_DISK) identity = identity_of(handle);
  ::CloseHandle(handle);
  return identity;
}

std::unique_ptr<OutputFile> create_replacement(const std::string& name,
                                               TemporaryRegistry* temporaries) {
  const std::wstring target = wide_name(name);
  HANDLE probe = open_for_query(target);
  if (probe != INVALID_HANDLE_VALUE) {
    const bool on_disk = ::GetFileType(probe) == FILE_TYPE_DISK;
    const bool folder = on_disk && is_folder(probe);
    ::CloseHandle(probe);
    if (folder) return nullptr;
    if (!on_disk) {  // a device such as NUL or CON, or a pipe: written in place
      HANDLE handle =
          ::CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle == INVALID_HANDLE_VALUE) return nullptr;
      return std::make_unique<Win32Output>(handle, std::wstring(), target, std::string(), nullptr);
    }
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      return nullptr;  // a read-only file stays as it is
    }
  }
  std::wstring temp;
  std::string narrow;
  HANDLE handle = create_temporary(folder_of(name), temp, narrow, temporaries);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Output>(handle, std::move(temp), target, std::move(narrow),
                                       temporaries);
}

}  // namespace zek

#endif  // _WIN32
