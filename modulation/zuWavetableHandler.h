// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The eight waveforms of the modulation slots, each a function of a phase in
// [0, 1] with a value in [0, 1] that starts at 0. The slots' modulators and
// the editor's LFO display build their tables from these same functions, in
// the same order (the order of the slot property "bwf"), so that the curve on
// screen is the curve a slot plays.
//
// One process-wide instance, shared through
// juce::SharedResourcePointer<zuWavetableHandler>; it holds no data. The
// functions are also reachable without an instance (waveValue,
// directValue), for code that builds no modulator.

#include <functional>

class zuWavetableHandler
{
public:
    static constexpr int numWaveforms = 8;

    enum Waveform
    {
        bell = 0,
        triangle = 1,
        rampUp = 2,
        sCurve = 3,
        upDownUp = 4,
        square = 5,
        threeSteps = 6,
        fourSteps = 7
    };

    // The waveform function of index 0..7; other indices give the ramp.
    std::function<float(float)> getWavetableFunc(int index) const;

    // The tabulated form: the value of waveform index at phase x.
    static float waveValue(int index, float x) noexcept;

    // The form the modulators render from, sample by sample: the bell without
    // its clamp, the S-curve with float powers, the square from x >= 0.5.
    static float directValue(int index, float x) noexcept;
};
