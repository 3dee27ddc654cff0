// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fixed-capacity hand-offs between the audio thread, host threads and the
// message thread. Nothing here allocates after construction or blocks: a full
// queue drops the newest item.

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>
#include <cstddef>

// One producer thread, one consumer thread.
template <typename T, int Capacity> class ZuSpscQueue
{
public:
    bool push(const T& item) noexcept
    {
        const auto scope = fifo.write(1);
        if (scope.blockSize1 == 0)
            return false;
        items[(size_t) scope.startIndex1] = item;
        return true;
    }

    bool pop(T& item) noexcept
    {
        const auto scope = fifo.read(1);
        if (scope.blockSize1 == 0)
            return false;
        item = items[(size_t) scope.startIndex1];
        return true;
    }

    int size() const noexcept { return fifo.getNumReady(); }
    bool isEmpty() const noexcept { return size() == 0; }

private:
    // AbstractFifo keeps one slot free, so ask for one more.
    juce::AbstractFifo fifo{Capacity + 1};
    std::array<T, (size_t) Capacity + 1> items{};
};

// Any number of producer threads (a host may automate parameters from several
// threads at once), one consumer. A bounded ring whose cells carry a sequence
// number, so producers claim a cell with one compare-and-swap and never wait.
template <typename T, int Capacity> class ZuMpscQueue
{
    static_assert((Capacity & (Capacity - 1)) == 0, "capacity must be a power of two");

public:
    ZuMpscQueue() noexcept
    {
        for (size_t i = 0; i < (size_t) Capacity; ++i)
            cells[i].sequence.store(i, std::memory_order_relaxed);
    }

    bool push(const T& item) noexcept
    {
        size_t pos = tail.load(std::memory_order_relaxed);
        for (;;)
        {
            auto& cell = cells[pos & mask];
            const size_t seq = cell.sequence.load(std::memory_order_acquire);
            const auto diff = (std::ptrdiff_t) seq - (std::ptrdiff_t) pos;
            if (diff == 0)
            {
                if (tail.compare_exchange_weak(pos, pos + 1, std::memory_order_relaxed))
                {
                    cell.value = item;
                    cell.sequence.store(pos + 1, std::memory_order_release);
                    return true;
                }
            }
            else if (diff < 0)
            {
                return false; // full
            }
            else
            {
                pos = tail.load(std::memory_order_relaxed);
            }
        }
    }

    bool pop(T& item) noexcept
    {
        auto& cell = cells[head & mask];
        const size_t seq = cell.sequence.load(std::memory_order_acquire);
        if ((std::ptrdiff_t) seq - (std::ptrdiff_t)(head + 1) < 0)
            return false; // empty
        item = cell.value;
        cell.sequence.store(head + mask + 1, std::memory_order_release);
        ++head;
        return true;
    }

    // Items present now; the consumer drains only these, so items that arrive
    // while it drains wait for the next run.
    int size() const noexcept { return (int) (tail.load(std::memory_order_acquire) - head); }

private:
    static constexpr size_t mask = (size_t) Capacity - 1;

    struct Cell
    {
        std::atomic<size_t> sequence{0};
        T value{};
    };

    std::array<Cell, (size_t) Capacity> cells;
    std::atomic<size_t> tail{0};
    size_t head = 0; // consumer only
};
