// SPDX-License-Identifier: GPL-3.0-or-later
#include "SwingHandler.h"

#include <cmath>

SwingHandler::SwingHandler()
{
    depthMap.initialise(
        [](double a)
        {
            const double sign = a >= 0.0 ? 1.0 : -1.0;
            return (sign * a * a + 1.0) / 2.0;
        },
        -1.0, 1.0, (size_t) depthMapPoints);
}

double SwingHandler::getDepth(double amount) const noexcept
{
    if (!std::isfinite(amount))
        amount = 0.0;
    return depthMap.processSample(juce::jlimit(-1.0, 1.0, amount));
}

double SwingHandler::getBreakpoint(double depth) const noexcept
{
    if (depth == 0.5)
        return 1.0;
    return depthRange.getStart() + depthRange.getLength() * depth;
}

void SwingHandler::processBlock(const juce::dsp::AudioBlock<double>& phaseBlock, double amount, int n) noexcept
{
    swinger.setSwingDepth(getDepth(amount), depthRange);
    swinger.updateSwingTable();
    swinger.processBlock(phaseBlock, n);
}
