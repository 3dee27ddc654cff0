// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zuWavetableHandler.h"

#include <juce_dsp/juce_dsp.h>

#include <array>

// The eight modulator waveforms as 128-point lookup tables over 0..1, built
// once per process from the same functions the modulators play, so that the
// displays and the probability icons show the curves the slots run.
// Shared through juce::SharedResourcePointer; message thread only.
class LfoSharedTable
{
public:
    static constexpr int numTables = zuWavetableHandler::numWaveforms;
    static constexpr size_t numPoints = 128;

    LfoSharedTable();

    // Curve index (clamped to 0..7) at x, x clamped to 0..1, interpolated
    // linearly between the two nearest table points.
    float lookup(int index, float x) const noexcept;

private:
    juce::SharedResourcePointer<zuWavetableHandler> waveHandler;
    std::array<juce::dsp::LookupTableTransform<float>, numTables> tables;
};
