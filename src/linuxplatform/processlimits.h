#pragma once

#include <cstdint>

// Caps the calling process: it is ended after `cpuSeconds` of processor time, and
// allocations beyond `memoryBytes` of address space fail. For a child that works on
// untrusted input; false when the system refused.
bool limitthisprocess(int cpuSeconds, int64_t memoryBytes);
