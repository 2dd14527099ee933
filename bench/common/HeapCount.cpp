// Replacement operators new and delete that count the process's heap use. A file of their
// own, so no caller sees them inlined.
#include "bench/common/HeapCount.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

std::atomic<long long> HeapBytes{0};
std::atomic<long long> PeakHeapBytes{0};

void* operator new(std::size_t Size)
{
    void* p = std::malloc(Size ? Size : 1);
    if (!p)
        throw std::bad_alloc();
    const long long Now = HeapBytes += static_cast<long long>(malloc_usable_size(p));
    long long Peak = PeakHeapBytes.load();
    while (Now > Peak && !PeakHeapBytes.compare_exchange_weak(Peak, Now))
    {
    }
    return p;
}

void* operator new[](std::size_t Size)
{
    return operator new(Size);
}

void* operator new(std::size_t Size, const std::nothrow_t&) noexcept
{
    try
    {
        return operator new(Size);
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}

void* operator new[](std::size_t Size, const std::nothrow_t& Tag) noexcept
{
    return operator new(Size, Tag);
}

void operator delete(void* p) noexcept
{
    if (p)
        HeapBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}

void operator delete[](void* p) noexcept
{
    operator delete(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    operator delete(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    operator delete(p);
}
