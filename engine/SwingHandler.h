// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Swing: delays (or advances) every second step of a unit by warping the
// unit's clock phase before its step triggers are derived from it. The main
// engine owns one SwingHandler and every swinging unit applies it to its own
// phase block, one unit after the other on the audio thread.

#include "zu_dsp.h"

#include <juce_dsp/juce_dsp.h>

class SwingHandler
{
public:
    static constexpr int depthMapPoints = 128;

    // Message thread (with the main engine): builds the depth map.
    SwingHandler();

    // The depth (0..1) of a swing amount (-1..1, clamped; not a number reads as 0):
    // -1 gives 0, 0 gives 0.5, 1 gives 1.
    double getDepth(double amount) const noexcept;
    // The breakpoint of a depth: 1 (straight) at exactly 0.5, else the
    // depth's place within depthRange.
    double getBreakpoint(double depth) const noexcept;

    // Warps the first n samples of a unit's phase block for a swing amount
    // that already carries the unit's modulation.
    void processBlock(const juce::dsp::AudioBlock<double>& phaseBlock, double amount, int n) noexcept;

    // The time warp of the unit phases.
    zu::zudsp::ZuSwinger<double> swinger;
    // (sign(a) a^2 + 1) / 2 over [-1, 1], read with linear interpolation.
    juce::dsp::LookupTableTransform<double> depthMap;
    // The breakpoints reached at depth 0 and 1.
    const juce::Range<double> depthRange{0.51, 1.49};

private:
    JUCE_DECLARE_NON_COPYABLE(SwingHandler)
};
