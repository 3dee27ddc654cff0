// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuPrefaulted.h"

#include <limits>
#include <mutex>
#include <new>
#include <sys/mman.h>
#include <type_traits>
#include <unistd.h>
#include <utility>

namespace zu
{
namespace
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// Under a sanitizer the ordinary allocator, so that it sees these objects'
// use after free and their races.
constexpr std::size_t mappedFrom = std::numeric_limits<std::size_t>::max();
#else
constexpr std::size_t mappedFrom = 64 * 1024;
#endif

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

// The last freed block of each size is kept, its pages still in place, for
// the next object of that size: a host that creates and destroys instances
// one after another (a scan, a validator) reuses one block instead of mapping
// and filling a new one each time, as the heap would have reused its memory.
// Only construction and destruction use it, never the audio thread. The
// storage is constant-initialised and never destroyed, so that an object
// freed while the library's statics are torn down still finds it; the kept
// blocks themselves are unmapped then, and later frees unmap at once.
struct KeptBlock
{
    void* memory = nullptr;
    std::size_t mapped = 0;
};

// The mutex must outlive every late free: a trivial destructor never runs.
static_assert(std::is_trivially_destructible_v<std::mutex>);
std::mutex keptMutex;
KeptBlock keptBlocks[4];
bool keepingClosed = false;

void* takeKept(std::size_t mapped)
{
    const std::lock_guard<std::mutex> lock(keptMutex);
    for (auto& kept : keptBlocks)
        if (kept.memory != nullptr && kept.mapped == mapped)
            return std::exchange(kept.memory, nullptr);
    return nullptr;
}

// False when every place is taken or the library is closing: the caller
// unmaps the block.
bool keep(void* memory, std::size_t mapped)
{
    const std::lock_guard<std::mutex> lock(keptMutex);
    if (keepingClosed)
        return false;
    for (auto& kept : keptBlocks)
        if (kept.memory == nullptr)
        {
            kept = {memory, mapped};
            return true;
        }
    return false;
}

struct UnmapKeptAtUnload
{
    ~UnmapKeptAtUnload()
    {
        const std::lock_guard<std::mutex> lock(keptMutex);
        keepingClosed = true;
        for (auto& kept : keptBlocks)
            if (kept.memory != nullptr)
                munmap(std::exchange(kept.memory, nullptr), kept.mapped);
    }
} unmapKeptAtUnload;
} // namespace

void* allocatePrefaulted(std::size_t bytes)
{
    if (bytes < mappedFrom)
        return ::operator new(bytes);
    // Rounding up a size this large would wrap round to a small one.
    if (bytes > std::numeric_limits<std::size_t>::max() - pageSize())
        throw std::bad_alloc();
    const auto mapped = pageRounded(bytes);
    if (void* kept = takeKept(mapped))
        return kept;
    void* memory = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
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
    const auto mapped = pageRounded(bytes);
    if (!keep(memory, mapped))
        munmap(memory, mapped);
}
} // namespace zu
