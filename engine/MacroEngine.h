// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writes the eight global macros into the macro channels of the modulation
// block once per playing block, each channel holding its macro's value limited
// to 0..1 for every sample.

#include "Scurve.h"

#include <juce_dsp/juce_dsp.h>

class MacroData;

class MacroEngine
{
public:
    static constexpr int numMacros = 8;

    // Message thread (it takes a share of the depth curve).
    explicit MacroEngine(MacroData& macroData);
    ~MacroEngine();

    void prepare(const juce::dsp::ProcessSpec& newSpec);

    // Fills channel j (0..7) of macroChannels over the view's whole length with
    // macro j; numSamples is not used: the view's length decides. Channels the
    // view lacks are skipped.
    void processBlock(juce::dsp::AudioBlock<float>& macroChannels, int numSamples) noexcept;
    // The same fill into channels 0..7 of target.
    void processBlock(juce::dsp::AudioBlock<float>& ignored, juce::dsp::AudioBlock<float>& target, int, int) noexcept;
    void handleParamModKnobVal(juce::dsp::AudioBlock<float>&, float&, int, int) noexcept {}

    // Macro j limited to 0..1; a value that is not a number reads as 0.
    float getMacroValue(int j) const noexcept;

private:
    ScurveShared scurve;
    juce::dsp::ProcessSpec spec{0.0, 0, 0};
    MacroData& macros;

    JUCE_DECLARE_NON_COPYABLE(MacroEngine)
};
