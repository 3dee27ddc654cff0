// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The first-generation slot host, a member of the main engine that nothing
// prepares or runs (the unit engines each own a ModEngineHandler2 instead).
// It is kept complete: eight older modulators, its own macro engine, and the
// same 32-then-64 sub-block loop. Its slot flags are never raised, so if it
// did run it would write 0.0 into channels 0 to 7 and the macros into 8 to 15.

#include "LfoSahEngine.h"
#include "MacroEngine.h"

#include <juce_dsp/juce_dsp.h>

#include <array>
#include <memory>

class MirabelGlobalData;
class LfoData;
class MacroData;

class ModEngineHandler
{
public:
    using ModBlock = juce::dsp::AudioBlock<float>;
    static constexpr int numSlots = 8;

    // Message thread.
    ModEngineHandler(MirabelGlobalData& globalData, LfoData& lfoData, MacroData& macroData);
    ~ModEngineHandler();

    void prepare(const juce::dsp::ProcessSpec& newSpec);
    void reset();
    void updateUnitOnOffStateList() {}
    void processBlock(ModBlock& block, float ppq, bool flag, int loopWrapSample, bool nearLoopEnd, int numSamples);

private:
    juce::dsp::ProcessSpec spec{0.0, 0, 0};
    // A view that never receives memory of its own.
    ModBlock ownBlock;
    MacroEngine macroEngine;
    std::array<std::unique_ptr<LfoSahEngine>, numSlots> engines;
    std::array<float, numSlots> firstValues{};
    std::array<bool, numSlots> slotOn{};

    JUCE_DECLARE_NON_COPYABLE(ModEngineHandler)
};
