// SPDX-License-Identifier: GPL-3.0-or-later
#include "AllocationCounter.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <new>

// glibc's own allocator entry points, which the replacements below forward to.
extern "C"
{
    void* __libc_malloc(std::size_t size);
    void* __libc_calloc(std::size_t count, std::size_t size);
    void* __libc_realloc(void* ptr, std::size_t size);
    void __libc_free(void* ptr);
    void* __libc_memalign(std::size_t alignment, std::size_t size);
}

// The replacements must be visible to the shared libraries as well, whatever
// the project's default symbol visibility.
#define ZU_BENCH_EXPORT __attribute__((visibility("default")))

namespace
{
// Plain values that need no construction: the allocation functions can run
// before any static constructor and on threads that are just starting. The
// initial-exec model keeps the flag's lookup from allocating in its turn.
__attribute__((tls_model("initial-exec"))) thread_local bool countingOnThisThread = false;
std::atomic<std::uint64_t> operatorNewCount{0};
std::atomic<std::uint64_t> cAllocCount{0};

inline void countOperatorNew() noexcept
{
    if (countingOnThisThread)
        operatorNewCount.fetch_add(1, std::memory_order_relaxed);
}

inline void countCAlloc() noexcept
{
    if (countingOnThisThread)
        cAllocCount.fetch_add(1, std::memory_order_relaxed);
}

// Goes to glibc directly, so that one operator new is not counted again as a malloc.
void* newPlain(std::size_t size) noexcept
{
    countOperatorNew();
    return __libc_malloc(size == 0 ? 1 : size);
}

void* newAligned(std::size_t size, std::align_val_t alignment) noexcept
{
    countOperatorNew();
    auto align = static_cast<std::size_t>(alignment);
    if (align < sizeof(void*))
        align = sizeof(void*);
    return __libc_memalign(align, size == 0 ? 1 : size);
}

void* newOrThrow(void* ptr)
{
    if (ptr == nullptr)
        throw std::bad_alloc();
    return ptr;
}
} // namespace

namespace zubench
{
void AllocationCounter::startCountingOnThisThread() noexcept
{
    countingOnThisThread = true;
}

void AllocationCounter::stopCountingOnThisThread() noexcept
{
    countingOnThisThread = false;
}

bool AllocationCounter::isCountingOnThisThread() noexcept
{
    return countingOnThisThread;
}

AllocationCounts AllocationCounter::getCounts() noexcept
{
    return {operatorNewCount.load(std::memory_order_relaxed), cAllocCount.load(std::memory_order_relaxed)};
}

void AllocationCounter::resetCounts() noexcept
{
    operatorNewCount.store(0, std::memory_order_relaxed);
    cAllocCount.store(0, std::memory_order_relaxed);
}
} // namespace zubench

// ---- C allocation functions ---------------------------------------------------

extern "C"
{
    ZU_BENCH_EXPORT void* malloc(std::size_t size) noexcept
    {
        countCAlloc();
        return __libc_malloc(size);
    }

    ZU_BENCH_EXPORT void* calloc(std::size_t count, std::size_t size) noexcept
    {
        countCAlloc();
        return __libc_calloc(count, size);
    }

    ZU_BENCH_EXPORT void* realloc(void* ptr, std::size_t size) noexcept
    {
        if (size != 0)
            countCAlloc();
        return __libc_realloc(ptr, size);
    }

    ZU_BENCH_EXPORT void free(void* ptr) noexcept
    {
        __libc_free(ptr);
    }

    ZU_BENCH_EXPORT void* memalign(std::size_t alignment, std::size_t size) noexcept
    {
        countCAlloc();
        return __libc_memalign(alignment, size);
    }

    ZU_BENCH_EXPORT void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept
    {
        countCAlloc();
        return __libc_memalign(alignment, size);
    }

    ZU_BENCH_EXPORT int posix_memalign(void** result, std::size_t alignment, std::size_t size) noexcept
    {
        const bool powerOfTwo = alignment != 0 && (alignment & (alignment - 1)) == 0;
        if (!powerOfTwo || alignment % sizeof(void*) != 0)
            return EINVAL;
        countCAlloc();
        void* ptr = __libc_memalign(alignment, size);
        if (ptr == nullptr)
            return ENOMEM;
        *result = ptr;
        return 0;
    }
}

// ---- Global operator new and delete -------------------------------------------

ZU_BENCH_EXPORT void* operator new(std::size_t size)
{
    return newOrThrow(newPlain(size));
}

ZU_BENCH_EXPORT void* operator new[](std::size_t size)
{
    return newOrThrow(newPlain(size));
}

ZU_BENCH_EXPORT void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return newPlain(size);
}

ZU_BENCH_EXPORT void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return newPlain(size);
}

ZU_BENCH_EXPORT void* operator new(std::size_t size, std::align_val_t alignment)
{
    return newOrThrow(newAligned(size, alignment));
}

ZU_BENCH_EXPORT void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return newOrThrow(newAligned(size, alignment));
}

ZU_BENCH_EXPORT void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return newAligned(size, alignment);
}

ZU_BENCH_EXPORT void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return newAligned(size, alignment);
}

ZU_BENCH_EXPORT void operator delete(void* ptr) noexcept
{
    __libc_free(ptr);
}

ZU_BENCH_EXPORT void operator delete[](void* ptr) noexcept
{
    __libc_free(ptr);
}

ZU_BENCH_EXPORT void operator delete(void* ptr, std::size_t) noexcept
{
    __libc_free(ptr);
}

ZU_BENCH_EXPORT void operator delete[](void* ptr, std::size_t) noexcept
{
    __libc_free(ptr);
}

ZU_BENCH_EXPORT void operator delete(void* ptr, const std::nothrow_t&) noexcept
{
    __libc_free(ptr);
}

ZU_BENCH_EXPORT void operator delete[](void* ptr, const std::nothrow_t&) noexcept
{
    __libc_free(ptr);
}

ZU_BENCH_EXPORT void operator delete(void* ptr, std::align_val_t) noexcept
{
    __libc_free(ptr);
}

ZU_BENCH_EXPORT void operator delete[](void* ptr, std::align_val_t) noexcept
{
    __libc_free(ptr);
}

ZU_BENCH_EXPORT void operator delete(void* ptr, std::size_t, std::align_val_t) noexcept
{
    __libc_free(ptr);
}

ZU_BENCH_EXPORT void operator delete[](void* ptr, std::size_t, std::align_val_t) noexcept
{
    __libc_free(ptr);
}

ZU_BENCH_EXPORT void operator delete(void* ptr, std::align_val_t, const std::nothrow_t&) noexcept
{
    __libc_free(ptr);
}

ZU_BENCH_EXPORT void operator delete[](void* ptr, std::align_val_t, const std::nothrow_t&) noexcept
{
    __libc_free(ptr);
}
