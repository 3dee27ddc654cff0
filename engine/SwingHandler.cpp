// SPDX-License-Identifier: GPL-3.0-or-later
#include "SwingHandler.h"

#include <algorithm>

SwingHandler::SwingHandler()
{
    depthMap.initialise(
        [](double a)
        {
            const double sign = a >= 0.0 ? 1.0 : -1.0;
            return (sign * a * a + 1.0) * 0.5;
        },
        -1.0, 1.0, 128);
}

double SwingHandler::getDepth(double amount) const noexcept
{
    const double a = amount == amount ? std::clamp(amount, -1.0, 1.0) : 0.0;
    return depthMap.processSample(a);
}

double SwingHandler::getBreakpoint(double depth) const noexcept
{
    if (depth == 0.5)
        return 1.0;
    return depthRange.getStart() + depthRange.getLength() * depth;
}
