// SPDX-License-Identifier: GPL-3.0-or-later
#include "SwingHandler.h"

#include <cmath>

void SwingHandler::Swinger::setSwingDepth(double depth, juce::Range<double> range) noexcept
{
    if (depth == 0.5 || !std::isfinite(depth))
    {
        breakpoint = 1.0;
        return;
    }
    const double b = range.getStart() + (range.getEnd() - range.getStart()) * depth;
    // A breakpoint at 0 or 2 would leave one half of a pair without length.
    constexpr double margin = 1.0e-6;
    breakpoint = juce::jlimit(margin, 2.0 - margin, b);
}

void SwingHandler::Swinger::updateSwingTable() noexcept
{
    if (breakpoint != builtBreakpoint)
    {
        builtBreakpoint = breakpoint;
        makeNewSwingTable();
    }
}

double SwingHandler::Swinger::calcSwingPosSample(double x) const noexcept
{
    const int pairsPerCycle = stepsPerCycle / 2;
    const double y = pairsPerCycle * x;
    const double e = std::fmod(y, 1.0);
    const double f = 2.0 * e;          // time inside the pair, in steps
    const double base = 2.0 * (y - e); // first step of the pair

    double g;
    if (breakpoint > f)
        g = pairStart + (f - pairStart) * (pairMid - pairStart) / (breakpoint - pairStart);
    else
        g = pairMid + (f - breakpoint) * (pairEnd - pairMid) / (pairEnd - breakpoint);

    return (base + g) / stepsPerCycle;
}

void SwingHandler::Swinger::makeNewSwingTable() noexcept
{
    const double spacing = 1.0 / (tablePoints - 1);
    for (int j = 0; j < tablePoints; ++j)
        table[(size_t) j] = calcSwingPosSample(j * spacing);
    // The guard repeats the first point; a position of exactly 1 reads the
    // last point plus nothing of it.
    table[(size_t) tablePoints] = table[0];
    ++numTableBuilds;
}

double SwingHandler::Swinger::processSample(double x) const noexcept
{
    if (!(x > 0.0))
        x = 0.0;
    else if (x > 1.0)
        x = 1.0;
    const double scaled = x * (tablePoints - 1);
    const int i = (int) scaled;
    return table[(size_t) i] + (scaled - i) * (table[(size_t) i + 1] - table[(size_t) i]);
}

void SwingHandler::Swinger::processBlock(const juce::dsp::AudioBlock<double>& block, int n) noexcept
{
    if (block.getNumChannels() == 0 || n <= 0)
        return;
    const int count = juce::jmin(n, (int) block.getNumSamples());
    double* samples = block.getChannelPointer(0);
    for (int i = 0; i < count; ++i)
        samples[i] = processSample(samples[i]);
}

//==============================================================================
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
