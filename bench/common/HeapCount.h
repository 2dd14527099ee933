// The heap use of the whole benchmark process, counted at every operator new and delete.
#pragma once

#include <atomic>

// Bytes allocated through operator new and not yet freed, and the most there were since the
// caller last set PeakHeapBytes.
extern std::atomic<long long> HeapBytes;
extern std::atomic<long long> PeakHeapBytes;
