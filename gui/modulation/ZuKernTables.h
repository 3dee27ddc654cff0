// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_dsp/juce_dsp.h>

#include <array>

// Seventeen shaping curves as lookup tables (curve k = table k - 1): square
// root, exponential rises, smooth steps, a level law in decibels, a sine and
// the soft-knee curves 13 to 16 that end at 2, 3, 4 and 5. One instance per
// process (juce::SharedResourcePointer); only ZuModulatableNumbBox2 builds
// it, and no running panel builds that. Read-only once built.
class ZuKernTables
{
public:
    static constexpr int numCurves = 17;

    ZuKernTables();

    // Curve k (1..17) at x, clamped to the curve's range.
    float lookup(int curve, float x) const;
    const juce::dsp::LookupTableTransform<float>& table(int curve) const;

    // The curves themselves, as the tables sample them.
    static double curve(int k, double x);
    // The range and point count of curve k.
    static double rangeStart(int k) noexcept { return (k == 4 || k == 6) ? -1.0 : 0.0; }
    static int numPoints(int k) noexcept { return k == 7 ? 109 : (k >= 13 && k <= 16 ? 256 : 128); }

private:
    std::array<juce::dsp::LookupTableTransform<float>, numCurves> tables;
};
