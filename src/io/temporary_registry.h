// The temporaries a run has created and not yet renamed into place or thrown
// away: what an interruption (Ctrl-C, a request to terminate, a closed
// terminal or console) deletes before the program ends; and the handlers
// that delete them and then end the process as the interruption would have.
//
//   POSIX: SIGINT (Ctrl-C), SIGTERM and SIGHUP; afterwards the signal is
//   raised again with its default action, so the shell sees the death by
//   that signal (status 130, 143, 129). A signal ignored when the program
//   started (nohup, a background job) stays ignored.
//
//   Windows: Ctrl-C, Ctrl-Break and a closed console window; the process
//   then ends with STATUS_CONTROL_C_EXIT (0xC000013A), as Ctrl-C ends it.
//
// A temporary is registered right after it is created and unregistered when
// it is renamed or deleted, each time inside a Change, so that the cleanup
// never sees the list and the folder disagree. Files opened for writing
// register themselves when they are handed a registry; without one (tests,
// fuzzers) nothing is recorded.
//
// The cleanup may run in a POSIX signal handler on any thread, so it only
// reads plain arrays, calls unlink() and rmdir() (both async-signal-safe) and
// takes the registry's spin lock. A thread holds that lock only inside a
// Change, which blocks the handled signals on that thread first: a handler
// therefore never waits for the thread it interrupted, only for another
// thread that finishes its change in a moment.
//
// Temporary folders: walking a folder is not async-signal-safe (opendir and
// readdir allocate), so the cleanup deletes only what it was told about. A
// writer of a temporary folder registers the folder and then every file it
// creates in it; the cleanup deletes all registered files (newest first),
// then removes the registered folders (newest first). A folder that still
// holds a file nobody registered is left behind. On Windows, a file still
// open is deleted only when its last handle closes, as the process ends, so
// a folder holding it stays behind there too.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>

#ifndef _WIN32
#include <signal.h>
#endif

namespace zek {

class TemporaryRegistry {
 public:
  enum class Kind : uint8_t { file, folder };

  TemporaryRegistry() = default;
  ~TemporaryRegistry();
  TemporaryRegistry(const TemporaryRegistry&) = delete;
  TemporaryRegistry& operator=(const TemporaryRegistry&) = delete;

  // One step of creating, renaming or deleting temporaries, during which the
  // cleanup is held off (POSIX: the handled signals are blocked on this
  // thread; another thread's cleanup waits). The step itself (the file
  // operation and the change of the list) is done while the Change lives.
  // A Change on no registry does nothing.
  class Change {
   public:
    explicit Change(TemporaryRegistry* registry);
    ~Change();
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;

    // Records a temporary that now exists under `name`.
    void add(std::string_view name, Kind kind);
    // Forgets `name` (renamed into place or deleted); nothing if unknown.
    void remove(std::string_view name);

   private:
    // The platform's part: keeping the cleanup from interrupting this thread.
    void hold_off_interruptions();
    void let_in_interruptions();

    TemporaryRegistry* registry_;
#ifndef _WIN32
    sigset_t saved_mask_{};
#endif
  };

  // Deletes every registered temporary now: the files, then the folders,
  // newest first. The entries stay until their owners remove them. Never
  // called inside a Change of the same thread, which it would wait for.
  void remove_all() noexcept;
  // The same for an interruption: afterwards the lock stays taken, so no
  // thread creates or renames anything more while the process ends.
  void remove_all_and_freeze() noexcept;

  // How many temporaries are registered.
  size_t size() const noexcept {
    return count_;
  }

 private:
  struct Entry {
    char* name;  // owned, zero-terminated
    Kind kind;
  };

  void lock() noexcept;
  void unlock() noexcept;
  void delete_entries() noexcept;
  void append(std::string_view name, Kind kind);
  void erase(std::string_view name);

  // Deletes one temporary by the platform's calls; async-signal-safe.
  static void delete_now(const Entry& entry) noexcept;

  std::atomic_flag busy_;
  // A plain array rather than a container, so that the cleanup only reads
  // memory and calls nothing it is not allowed to in a signal handler.
  Entry* entries_ = nullptr;
  size_t count_ = 0;
  size_t capacity_ = 0;
};

// Makes the one registry of the process and installs the handlers that empty
// it. Only the program's main calls it; the library works without it. The
// registry lives as long as the process, since an interruption may come at
// any moment up to the very end; a second call returns the same one.
TemporaryRegistry& install_interrupt_cleanup();

}  // namespace zek
