// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Conversions that stay defined for every input, so that a damaged value from
// the host or a file can never turn into undefined behaviour on the audio thread.

#include <climits>
#include <cmath>

namespace zusafe
{
// Truncates toward zero. NaN gives 0; values beyond the int range give the
// nearest limit instead of undefined behaviour.
inline int truncToInt(double value) noexcept
{
    if (value != value)
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

// The value when it is finite, otherwise the fallback: a non-finite number counts as missing.
inline double finiteOr(double value, double fallback) noexcept
{
    return std::isfinite(value) ? value : fallback;
}

// Rounds to the nearest float, saturating at the largest finite float instead of
// overflowing to infinity (a double beyond the float range has no defined conversion).
inline float toFloatSaturating(double value) noexcept
{
    constexpr double maxFloat = 3.4028234663852886e38;
    if (value != value)
        return 0.0f;
    if (value > maxFloat)
        return static_cast<float>(maxFloat);
    if (value < -maxFloat)
        return static_cast<float>(-maxFloat);
    return static_cast<float>(value);
}
} // namespace zusafe
