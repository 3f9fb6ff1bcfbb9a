#include "linuxplatform/processlimits.h"

#include <sys/resource.h>

bool limitthisprocess(int cpuSeconds, int64_t memoryBytes) {
    const rlimit cpu{rlim_t(cpuSeconds), rlim_t(cpuSeconds)};
    const rlimit memory{rlim_t(memoryBytes), rlim_t(memoryBytes)};
    return setrlimit(RLIMIT_CPU, &cpu) == 0 && setrlimit(RLIMIT_AS, &memory) == 0;
}
