// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuPrefaulted.h"

#include <limits>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace zu
{
namespace
{
constexpr std::size_t mappedFrom = 64 * 1024;

std::size_t pageSize()
{
    static const std::size_t page = []
    {
        const long size = sysconf(_SC_PAGESIZE);
        return size > 0 ? (std::size_t) size : (std::size_t) 4096;
    }();
    return page;
}

std::size_t pageRounded(std::size_t bytes)
{
    return (bytes + pageSize() - 1) / pageSize() * pageSize();
}
} // namespace

void* allocatePrefaulted(std::size_t bytes)
{
    if (bytes < mappedFrom)
        return ::operator new(bytes);
    // Rounding up a size this large would wrap round to a small one.
    if (bytes > std::numeric_limits<std::size_t>::max() - pageSize())
        throw std::bad_alloc();
    void* memory =
        mmap(nullptr, pageRounded(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    return memory;
}

void freePrefaulted(void* memory, std::size_t bytes) noexcept
{
    if (memory == nullptr)
        return;
    if (bytes < mappedFrom)
    {
        ::operator delete(memory);
        return;
    }
    munmap(memory, pageRounded(bytes));
}
} // namespace zu
