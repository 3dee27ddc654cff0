// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <type_traits>

// A model field that one thread writes and another reads in place.
//
// The models are written on the message thread (and on host threads for
// parameters) and read by the audio thread without locks, so every field
// that crosses threads is an atomic. Unlike std::atomic this one is copyable
// (field by field), so whole snapshots, units and modulatable values can be
// copied the way the unit operations and the engines need. Stores publish
// with release and loads read with acquire: a request flag raised after its
// data is seen together with that data. On x86-64 both are plain moves.
template <typename T> class ZuAtomic
{
    static_assert(std::is_trivially_copyable_v<T>, "ZuAtomic holds plain values only");
    static_assert(std::atomic<T>::is_always_lock_free, "the audio thread must never wait on a model field");

public:
    constexpr ZuAtomic() noexcept : v(T{}) {}
    constexpr ZuAtomic(T initial) noexcept : v(initial) {}
    ZuAtomic(const ZuAtomic& other) noexcept : v(other.load()) {}

    ZuAtomic& operator=(const ZuAtomic& other) noexcept
    {
        store(other.load());
        return *this;
    }

    ZuAtomic& operator=(T x) noexcept
    {
        store(x);
        return *this;
    }

    operator T() const noexcept { return load(); }

    T load() const noexcept { return v.load(std::memory_order_acquire); }
    void store(T x) noexcept { v.store(x, std::memory_order_release); }

    // Takes the old value and leaves the new one: the way a request flag is
    // lowered by the side that acts on it.
    T exchange(T x) noexcept { return v.exchange(x, std::memory_order_acq_rel); }

private:
    std::atomic<T> v;
};

// A fixed-capacity single-producer single-consumer queue of integers: the
// producer never blocks (a full queue drops the newest value), nothing is
// allocated after construction.
template <int Capacity> class ZuIntFifo
{
public:
    static constexpr int capacity = Capacity;

    // Producer side (any one thread, the audio thread included).
    bool push(int value) noexcept
    {
        const auto scope = fifo.write(1);
        if (scope.blockSize1 > 0)
        {
            storage[(size_t) scope.startIndex1].store(value, std::memory_order_relaxed);
            return true;
        }
        if (scope.blockSize2 > 0)
        {
            storage[(size_t) scope.startIndex2].store(value, std::memory_order_relaxed);
            return true;
        }
        return false;
    }

    // Consumer side: moves up to maxCount values, oldest first, into dest and
    // returns how many it moved.
    int pop(int* dest, int maxCount) noexcept
    {
        if (dest == nullptr || maxCount <= 0)
            return 0;
        const auto scope = fifo.read(maxCount);
        int n = 0;
        for (int i = 0; i < scope.blockSize1; ++i)
            dest[n++] = storage[(size_t) (scope.startIndex1 + i)].load(std::memory_order_relaxed);
        for (int i = 0; i < scope.blockSize2; ++i)
            dest[n++] = storage[(size_t) (scope.startIndex2 + i)].load(std::memory_order_relaxed);
        return n;
    }

    // Consumer side: empties the queue into a new list.
    juce::Array<int> takeAll()
    {
        juce::Array<int> result;
        int chunk[32];
        for (int n = pop(chunk, 32); n > 0; n = pop(chunk, 32))
            result.addArray(static_cast<const int*>(chunk), n);
        return result;
    }

    int getNumReady() const noexcept { return fifo.getNumReady(); }

private:
    // One slot more than the capacity: the fifo keeps one free to tell full from empty.
    juce::AbstractFifo fifo{Capacity + 1};
    std::array<std::atomic<int>, (size_t) Capacity + 1> storage{};
};
