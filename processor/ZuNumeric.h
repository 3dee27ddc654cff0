// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <limits>

namespace zu
{
// Float-to-int conversion that never hits undefined behaviour: truncates
// toward zero like a cast, saturates at the int limits and maps NaN to 0.
// Callers that must treat non-finite input as missing test std::isfinite first.
inline int saturatingToInt(double value) noexcept
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}
} // namespace zu
