// POSIX interruptions: the handler of SIGINT, SIGTERM and SIGHUP, and the
// registry's platform calls (blocking those signals during a change, and
// unlink() and rmdir() for the cleanup).
//
// The handler may run on any thread, the output file's writing thread
// included: it takes only the registry's spin lock, which no thread holds
// with these signals unblocked, and calls only async-signal-safe functions.
#ifndef _WIN32

#include <signal.h>
#include <unistd.h>

#include <atomic>

#include "io/temporary_registry.h"

namespace zek {

namespace {

constexpr int kHandledSignals[] = {SIGINT, SIGTERM, SIGHUP};

sigset_t handled_set() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal_number : kHandledSignals) sigaddset(&set, signal_number);
  return set;
}

// The process's registry, for the handler; set once by main, never cleared.
std::atomic<TemporaryRegistry*> installed_registry{nullptr};

// Deletes the temporaries, then ends the process by the same signal with its
// default action. The raised signal stays blocked until the handler returns
// (it is in the handler's mask) and then ends the process.
void on_interruption(int signal_number) {
  if (TemporaryRegistry* registry = installed_registry.load(std::memory_order_acquire)) {
    registry->remove_all_and_freeze();
  }
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

}  // namespace

void TemporaryRegistry::Change::hold_off_interruptions() {
  const sigset_t handled = handled_set();
  ::pthread_sigmask(SIG_BLOCK, &handled, &saved_mask_);
}

void TemporaryRegistry::Change::let_in_interruptions() {
  ::pthread_sigmask(SIG_SETMASK, &saved_mask_, nullptr);
}

void TemporaryRegistry::delete_now(const Entry& entry) noexcept {
  if (entry.kind == Kind::file) {
    ::unlink(entry.name);
  } else {
    ::rmdir(entry.name);
  }
}

TemporaryRegistry& install_interrupt_cleanup() {
  if (TemporaryRegistry* registry = installed_registry.load()) return *registry;
  // Lives until the process ends: a signal may arrive during exit.
  TemporaryRegistry* registry = new TemporaryRegistry;
  installed_registry.store(registry, std::memory_order_release);

  struct sigaction action {};
  action.sa_handler = on_interruption;
  action.sa_mask = handled_set();  // one cleanup at a time on this thread
  action.sa_flags = 0;
  for (int signal_number : kHandledSignals) {
    struct sigaction previous {};
    if (::sigaction(signal_number, nullptr, &previous) != 0) continue;
    if (previous.sa_handler == SIG_IGN) continue;  // ignored on purpose by who started us
    ::sigaction(signal_number, &action, nullptr);
  }
  return *registry;
}

}  // namespace zek

#endif  // !_WIN32
