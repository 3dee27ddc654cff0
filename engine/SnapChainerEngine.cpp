// SPDX-License-Identifier: GPL-3.0-or-later
#include "SnapChainerEngine.h"

#include "MirabelGlobalData.h"
#include "ZuConvert.h"

#include <algorithm>
#include <cmath>

SnapChainerEngine::SnapChainerEngine(MirabelGlobalData& globalDataToUse)
    : clock(globalDataToUse), globalData(globalDataToUse)
{
}

void SnapChainerEngine::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    spec = newSpec;
    const size_t size = std::max<size_t>(newSpec.maximumBlockSize, 1);
    if (size != phaseCapacity)
    {
        phaseStorage.allocate(size, true);
        phaseCapacity = size;
    }
    else
        phaseStorage.clear(phaseCapacity);
    clock.prepare(newSpec);
}

void SnapChainerEngine::reset() noexcept
{
    clock.reset();
    lastClockIdx = -1;
    chainCounter = -1;
    firstBlock = true;
}

int SnapChainerEngine::counterFromPpq(double ppq, double stepsPerBarOfSpeed) noexcept
{
    // A start just before a beat counts as that beat.
    double q = std::floor(ppq);
    if (ppq - q > 0.9)
        q += 1.0;
    const int32_t steps = zu::toIntSaturating(stepsPerBarOfSpeed * 0.25 * q);
    return steps > INT32_MIN ? steps - 1 : steps;
}

void SnapChainerEngine::calcCounterFromMasterPpq(double ppq, double stepsPerBarOfSpeed) noexcept
{
    chainCounter = counterFromPpq(ppq, stepsPerBarOfSpeed);
}

void SnapChainerEngine::processBlock(double ppq, bool nearLoopEnd, int wrapSample, Requests& requests,
                                     int numSamples) noexcept
{
    if (!globalData.chrPwr.load())
    {
        requests.fill(noRequest);
        globalData.chrCurStep = -1;
        return;
    }

    const int speed = zu::clampInt(globalData.chrSpd.load(), 0, numSpeeds - 1);

    // One clock step of division index speed + 3 ("16/1" .. "1/4") is one chain step.
    const size_t n = std::min(static_cast<size_t>(std::max(numSamples, 0)), phaseCapacity);
    double* channels[] = {phaseStorage.get()};
    const juce::dsp::AudioBlock<double> phases(channels, 1, n);
    double inc = 0.0;
    double stepLen = 0.0;
    clock.updateSamplesPerBeat();
    clock.processBlock(phases, inc, ppq, wrapSample, speed + 3, 0, 0.1, true, stepLen);
    const double x = n > 0 ? phaseStorage[n - 1] : static_cast<double>(clock.getCurPhasePos());

    if (firstBlock)
    {
        firstBlock = false;
        chainCounter = counterFromPpq(ppq, stepsPerBar[static_cast<size_t>(speed)]);
    }

    if (nearLoopEnd)
    {
        // No chain step in the last moments before a loop end; before the
        // chain has counted at all, the requests stay as they were.
        if (lastClockIdx < 0)
            return;
    }
    else
    {
        const int i = zu::clampInt(zu::toIntSaturating(x * 15.99999999), 0, 15);
        if (i != lastClockIdx)
        {
            lastClockIdx = i;
            if (chainCounter < INT32_MAX)
                ++chainCounter;
        }
    }

    // Positions before 0 give a negative counter: a floor modulo keeps the
    // step within the chain.
    const int length = zu::clampInt(globalData.chrSize.load(), 2, MirabelGlobalData::numChainerSteps);
    int step = chainCounter % length;
    if (step < 0)
        step += length;

    requests.fill(noRequest);
    for (size_t t = 0; t < requests.size(); ++t)
    {
        const int row = globalData.chrTargets[t].load();
        if (row > 0 && row <= MirabelGlobalData::numChainerRows)
            requests[t] =
                zu::clampInt(globalData.chrSteps[static_cast<size_t>(row - 1)][static_cast<size_t>(step)].load(), 0, 8);
    }
    globalData.chrCurStep = step;
}
