// Windows interruptions: the console control handler for Ctrl-C, Ctrl-Break
// and a closed console, and the registry's platform calls.
//
// The system runs a console control handler on a new thread of its own while
// the program's threads go on, so the handler is no signal handler: it may
// wait for the registry's lock like any thread, and a Change needs to hold
// nothing off. After a closed console the system ends the process once the
// handler returns (or after a few seconds); Ctrl-C and Ctrl-Break would go on
// to the default handler. The handler ends the process itself in all three
// cases, with TerminateProcess: ExitProcess from this thread would run the
// runtime's exit code while the main thread may hold its locks (the console
// streams, the heap) and could hang there.
#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <atomic>

#include "io/temporary_registry.h"

namespace zek {

namespace {

// The process's registry, for the handler; set once by main, never cleared.
std::atomic<TemporaryRegistry*> installed_registry{nullptr};

BOOL WINAPI on_console_event(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;  // logoff and shutdown reach services only
  }
  if (TemporaryRegistry* registry = installed_registry.load(std::memory_order_acquire)) {
    registry->remove_all_and_freeze();
  }
  ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(STATUS_CONTROL_C_EXIT));
  return FALSE;  // not reached; the default handler would end the process the same way
}

}  // namespace

void TemporaryRegistry::Change::hold_off_interruptions() {}

void TemporaryRegistry::Change::let_in_interruptions() {}

// The temporaries are created with FILE_SHARE_DELETE, so a file the main
// thread still writes can be deleted; it goes when its handle closes, which
// TerminateProcess does.
void TemporaryRegistry::delete_now(const Entry& entry) noexcept {
  if (entry.kind == Kind::file) {
    ::DeleteFileA(entry.name);
  } else {
    ::RemoveDirectoryA(entry.name);
  }
}

TemporaryRegistry& install_interrupt_cleanup() {
  if (TemporaryRegistry* registry = installed_registry.load()) return *registry;
  // Lives until the process ends: an interruption may arrive during exit.
  TemporaryRegistry* registry = new TemporaryRegistry;
  installed_registry.store(registry, std::memory_order_release);
  ::SetConsoleCtrlHandler(on_console_event, TRUE);
  return *registry;
}

}  // namespace zek

#endif  // _WIN32
