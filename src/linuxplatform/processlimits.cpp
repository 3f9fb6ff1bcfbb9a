#include "linuxplatform/processlimits.h"

#include <sys/resource.h>

bool limitthisprocess(int cpuSeconds, int64_t memoryBytes) {
    const rlimit cpu{rlim_t(cpuSeconds), rlim_t(cpuSeconds)};
    if (setrlimit(RLIMIT_CPU, &cpu) != 0) return false;
#ifdef CHIMELET_SANITIZE
    // AddressSanitizer maps terabytes of shadow memory before main, so under an address
    // space cap every later allocation would fail; the sanitizer build keeps the CPU limit.
    (void)memoryBytes;
    return true;
#else
    const rlimit memory{rlim_t(memoryBytes), rlim_t(memoryBytes)};
    return setrlimit(RLIMIT_AS, &memory) == 0;
#endif
}
