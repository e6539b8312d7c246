// The process's heap. Memory that a thread frees is kept by the C library
// for that thread's later use; once the thread has ended, nothing will use
// it again, yet it still counts as the process's own.
#pragma once

namespace zek {

// Gives the heap's free memory back to the system where the C library
// allows it (glibc, the Windows C runtime); elsewhere does nothing.
void release_free_memory();

}  // namespace zek
