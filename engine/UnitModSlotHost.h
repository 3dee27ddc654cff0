// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The stand-in for a unit's eight modulation slots until they exist: it acts
// as eight switched-off slots, so channels 0 to 7 of the modulation block read
// 0 over every block the unit runs. It has the shape the slot host will have
// (construction with the global model, the modulation slot model and the
// engine index; prepare, reset, resync request, block processing), so that
// SeqEngineBase::ModSlotHost can name the real host instead without any other
// change to the unit engines.

#include <juce_dsp/juce_dsp.h>

class MirabelGlobalData;
class LfoData;

class UnitModSlotHost
{
public:
    static constexpr int numSlots = 8;

    UnitModSlotHost(MirabelGlobalData& globalData, LfoData& lfoData, int engineIndex) noexcept;

    void prepare(const juce::dsp::ProcessSpec& newSpec) noexcept { spec = newSpec; }
    void reset() noexcept {}

    // The owning unit asks its slots to re-align at the next block.
    void setResyncRequest() noexcept { resyncRequest = true; }
    bool isResyncRequested() const noexcept { return resyncRequest; }

    // Fills channels 0 to 7 of the block over numSamples samples (no more
    // than the block holds) and consumes a pending resync request.
    void processBlock(const juce::dsp::AudioBlock<float>& block, float ppq, bool playing, int loopWrapSample,
                      bool nearLoopEnd, int numSamples) noexcept;

    int getEngineIndex() const noexcept { return engineIndex; }

private:
    juce::dsp::ProcessSpec spec{0.0, 0, 0};
    int engineIndex = 0;
    bool resyncRequest = false;
    MirabelGlobalData& globalData;
    LfoData& lfoData;
};
