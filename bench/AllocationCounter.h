// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Counts heap allocations made by a thread while it measures. Linking
// AllocationCounter.cpp into an executable replaces the global operator new and
// delete (every form) and the C allocation functions (malloc, calloc, realloc,
// posix_memalign, aligned_alloc, memalign; glibc only), so both C++ allocations
// and JUCE's HeapBlock (juce::Array, juce::MidiBuffer, ...) are seen. Counting
// happens only on a thread that has switched it on, so other threads do not
// disturb a measurement.

#include <cstdint>

namespace zubench
{
struct AllocationCounts
{
    std::uint64_t operatorNew = 0; // operator new and new[], every form
    std::uint64_t cAlloc = 0;      // malloc family; realloc counts once per call with a size

    std::uint64_t total() const noexcept { return operatorNew + cAlloc; }
};

class AllocationCounter
{
public:
    // Counting is per thread: on for the calling thread only.
    static void startCountingOnThisThread() noexcept;
    static void stopCountingOnThisThread() noexcept;
    static bool isCountingOnThisThread() noexcept;

    // Totals over every thread that counted, since the last reset.
    static AllocationCounts getCounts() noexcept;
    static void resetCounts() noexcept;
};

// Counts the allocations of the calling thread for the lifetime of the object.
class ScopedAllocationCount
{
public:
    ScopedAllocationCount() noexcept : before(AllocationCounter::getCounts())
    {
        AllocationCounter::startCountingOnThisThread();
    }
    ~ScopedAllocationCount() { AllocationCounter::stopCountingOnThisThread(); }

    AllocationCounts countsSoFar() const noexcept
    {
        const auto now = AllocationCounter::getCounts();
        return {now.operatorNew - before.operatorNew, now.cAlloc - before.cAlloc};
    }

    ScopedAllocationCount(const ScopedAllocationCount&) = delete;
    ScopedAllocationCount& operator=(const ScopedAllocationCount&) = delete;

private:
    AllocationCounts before;
};
} // namespace zubench
