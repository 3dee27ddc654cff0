// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A double-ended queue of step offsets with fixed storage: the step-order
// lists of a unit engine are rebuilt and consumed on the audio thread, so
// they never allocate. A unit has 32 steps, so no list ever holds more.

#include <array>

class StepOrderQueue
{
public:
    static constexpr int capacity = 32;

    bool empty() const noexcept { return count == 0; }
    int size() const noexcept { return count; }
    bool full() const noexcept { return count == capacity; }

    void clear() noexcept
    {
        head = 0;
        count = 0;
    }

    // A full queue ignores further entries.
    void pushBack(int value) noexcept
    {
        if (full())
            return;
        slots[(size_t) wrap(head + count)] = value;
        ++count;
    }

    // Reading or removing from an empty queue gives 0 and changes nothing.
    int front() const noexcept { return empty() ? 0 : slots[(size_t) head]; }
    int back() const noexcept { return empty() ? 0 : slots[(size_t) wrap(head + count - 1)]; }

    void popFront() noexcept
    {
        if (empty())
            return;
        head = wrap(head + 1);
        --count;
    }

    void popBack() noexcept
    {
        if (!empty())
            --count;
    }

    // Entry i counted from the front, 0 when i is out of range.
    int operator[](int i) const noexcept { return i >= 0 && i < count ? slots[(size_t) wrap(head + i)] : 0; }

    // Replaces the contents with values[0..n-1] (at most the capacity).
    void assign(const int* values, int n) noexcept
    {
        clear();
        for (int i = 0; i < n; ++i)
            pushBack(values[i]);
    }

private:
    static int wrap(int i) noexcept { return i % capacity; }

    std::array<int, capacity> slots{};
    int head = 0;
    int count = 0;
};
