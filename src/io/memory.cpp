// Giving free heap memory back: malloc_trim on glibc, which keeps each
// thread's freed memory in an arena of its own; _heapmin on Windows.
#include "io/memory.h"

#include <cstdlib>  // defines __GLIBC__ where it applies

#if defined(__GLIBC__) || defined(_WIN32)
#include <malloc.h>
#endif

namespace zek {

void release_free_memory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#elif defined(_WIN32)
  _heapmin();
#endif
}

}  // namespace zek
