// Leaving nothing behind when the program is interrupted: the process-wide
// registry of temporaries and the handlers that delete them and then end the
// process as the interruption would have.
//
//   POSIX: SIGINT (Ctrl-C), SIGTERM and SIGHUP; afterwards the signal is
//   raised again with its default action, so the shell sees the death by
//   that signal (status 130, 143, 129). A signal ignored when the program
//   started (nohup, a background job) stays ignored.
//
//   Windows: Ctrl-C, Ctrl-Break and a closed console window; the process
//   then ends with STATUS_CONTROL_C_EXIT (0xC000013A), as Ctrl-C ends it.
#pragma once

#include "io/temporary_registry.h"

namespace zek {

// Makes the one registry of the process and installs the handlers that empty
// it. Only the program's main calls it; the library works without it. The
// registry lives as long as the process, since an interruption may come at
// any moment up to the very end; a second call returns the same one.
TemporaryRegistry& install_interrupt_cleanup();

}  // namespace zek
