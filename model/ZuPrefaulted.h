// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace zu
{
// Memory for the few large objects that are written whole as soon as they are
// built (the processor, the engine). Taken from the heap, such memory is new
// to the process page by page, and each first touch of a 4 KB page is a page
// fault; on a virtual machine each costs several microseconds, which made up
// most of the time a host waits for a new instance. A block of 64 KB or more
// is instead mapped with all its pages filled in one call. Smaller blocks use
// the ordinary allocator. Throws std::bad_alloc as operator new does.
void* allocatePrefaulted(std::size_t bytes);
// Frees a block from allocatePrefaulted; bytes must be the size asked for.
void freePrefaulted(void* memory, std::size_t bytes) noexcept;
} // namespace zu

// Gives a class the allocation above: its objects are made with new and
// deleted through sized delete (a virtual destructor passes the size of the
// object's real class).
#define ZU_PREFAULTED_ALLOCATION                                                                                       \
    static void* operator new(std::size_t bytes)                                                                       \
    {                                                                                                                  \
        return zu::allocatePrefaulted(bytes);                                                                          \
    }                                                                                                                  \
    static void operator delete(void* memory, std::size_t bytes) noexcept                                              \
    {                                                                                                                  \
        zu::freePrefaulted(memory, bytes);                                                                             \
    }
