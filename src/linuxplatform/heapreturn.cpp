#include "linuxplatform/heapreturn.h"

#include <malloc.h>

namespace {
// Above the tick's and the lists' own blocks, below a picture's.
constexpr int kLargeBlockBytes = 256 * 1024;
} // namespace

void returnlargeblocks() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
#endif
}
