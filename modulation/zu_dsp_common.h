// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small numeric helpers shared by the signal module's templates.

#include <juce_dsp/juce_dsp.h>

#include <cmath>
#include <limits>

namespace zu::zudsp::detail
{
// The fractional part in [0, 1). Rounding can make x - floor(x) reach 1 for a
// tiny negative x, and a non-finite x has no fraction: both give 0.
template <typename T> inline T fractionOf(T x) noexcept
{
    const T f = x - std::floor(x);
    return (f >= T(0) && f < T(1)) ? f : T(0);
}

// A sample count from a real number: the integer part, 0 for NaN or anything
// below 0, saturated far below the int range.
inline int toCount(double v) noexcept
{
    constexpr double maxCount = 1 << 30;
    if (!(v > 0.0))
        return 0;
    return v >= maxCount ? static_cast<int>(maxCount) : static_cast<int>(v);
}

// A value that moves in equal steps to its target, one step per call of next().
template <typename V> struct LinearGlide
{
    V current = V(0);
    V target = V(0);
    int stepsRemaining = 0;
    V increment = V(0);
    int length = 0;

    V next() noexcept
    {
        if (stepsRemaining <= 0)
            return target;
        if (--stepsRemaining == 0)
            current = target;
        else
            current += increment;
        return current;
    }

    void jumpTo(V value) noexcept
    {
        stepsRemaining = 0;
        current = value;
        target = value;
    }

    // Glides over `length` steps from wherever the value is; jumps without a length.
    void glideTo(V value) noexcept
    {
        if (length < 1)
        {
            jumpTo(value);
            return;
        }
        target = value;
        stepsRemaining = length;
        increment = (value - current) / static_cast<V>(length);
    }
};

inline bool isPositiveFinite(double v) noexcept
{
    return std::isfinite(v) && v > 0.0;
}

// A block's length as an int, for loops that count in int.
template <typename T> inline int lengthOf(const juce::dsp::AudioBlock<T>& block) noexcept
{
    constexpr size_t maxLength = 1 << 30;
    return static_cast<int>(block.getNumSamples() < maxLength ? block.getNumSamples() : maxLength);
}
} // namespace zu::zudsp::detail
