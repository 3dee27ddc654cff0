// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one swing shaper that every unit engine uses: maps the global swing
// amount (-1..1) to a warp depth (0..1) and gives the range of breakpoints
// that the depth spans. The main engine owns it and hands it to the unit
// engines through the unit handler; the swinging units warp their own phase
// blocks with it.

#include <juce_dsp/juce_dsp.h>

class SwingHandler
{
public:
    // Message thread: builds the depth table.
    SwingHandler();

    // The depth for a swing amount: -1 -> 0, 0 -> 0.5, 1 -> 1. Amounts are
    // limited to -1..1; one that is not a number reads as 0 (straight).
    double getDepth(double amount) const noexcept;
    // The breakpoint for a depth: 1 (straight) at exactly 0.5, else spread
    // over depthRange.
    double getBreakpoint(double depth) const noexcept;

    // (sign(a) a^2 + 1) / 2 over [-1, 1], 128 points, linear interpolation.
    juce::dsp::LookupTableTransform<double> depthMap;
    // The breakpoints at depth 0 and 1.
    const juce::Range<double> depthRange{0.51, 1.49};

private:
    JUCE_DECLARE_NON_COPYABLE(SwingHandler)
};
