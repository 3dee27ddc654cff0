// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A unit's eight modulation slots. Each block, just before the unit reads any
// modulation, it takes the slots' power flags from the unit's current
// snapshot, re-aligns the slots that are on when the unit asked for a resync,
// and fills channels 0 to 7 of the modulation block in sub-blocks of 32 and
// then 64 samples (the longest a knob modulation or a rate stays constant),
// running the slots in order so that a slot whose knobs read a lower slot's
// channel sees what that slot has written so far. It publishes each slot's
// last output in LfoData for the editor.
//
// Built on the message thread with its unit engine; everything else runs on
// the audio thread. The current snapshot comes from the unit model's atomic
// mirror (never a juce::Value); nothing allocates after prepare.

#include "LfoSahEngine2.h"

#include <juce_dsp/juce_dsp.h>

#include <array>
#include <memory>

class MirabelGlobalData;
class LfoData;

class ModEngineHandler2
{
public:
    using ModBlock = juce::dsp::AudioBlock<float>;
    static constexpr int numSlots = 8;
    static constexpr int firstSubBlockLength = 32;
    static constexpr int subBlockLength = 64;

    // engineIndex 0..14: the unit's block in LfoData (unit id - 1).
    ModEngineHandler2(MirabelGlobalData& globalData, LfoData& lfoData, int engineIndex);
    ~ModEngineHandler2();

    void prepare(const juce::dsp::ProcessSpec& newSpec);
    void reset();

    // The owning unit asks its slots to re-align at the next block.
    void setResyncRequest() noexcept { resyncRequest = true; }
    bool isResyncRequested() const noexcept { return resyncRequest; }

    // Fills channels 0 to 7 of block over numSamples samples from its start
    // sample (no more than the block holds). The four values after the block
    // are passed on to the slots, which do not use them.
    void processBlock(ModBlock& block, float ppq, bool flag, int loopWrapSample, bool nearLoopEnd, int numSamples);

    // Calls fn(offset, length, first) for each sub-block of a block of n
    // samples: 32 samples first, then 64, the last one shortened.
    template <typename Fn> static void forEachSubBlock(int n, Fn&& fn)
    {
        bool first = true;
        for (int offset = 0; offset < n;)
        {
            const int length = juce::jmin(first ? firstSubBlockLength : subBlockLength, n - offset);
            fn(offset, length, first);
            offset += length;
            first = false;
        }
    }

    // Copies the power flags of one snapshot (0..7) into slotOn.
    void updateUnitOnOffStateList(const std::array<LfoData::SnapData, LfoData::numSnapshots>& snaps, int snapshot);
    void modActiveStateChanged() {}

    // The slots back to the state of a newly built host (the unit engine's
    // slot reused on the audio thread); allocates nothing.
    void restoreConstructionState() noexcept;

    int getEngineIndex() const noexcept { return engineIndex; }
    bool isSlotOn(int slot) const noexcept { return slotOn[(size_t) juce::jlimit(0, numSlots - 1, slot)]; }
    LfoSahEngine2& getSlotEngine(int slot) noexcept { return *engines[(size_t) juce::jlimit(0, numSlots - 1, slot)]; }

private:
    juce::dsp::ProcessSpec spec{0.0, 0, 0};
    const int engineIndex;
    bool resyncRequest = false;
    std::array<std::unique_ptr<LfoSahEngine2>, numSlots> engines;
    std::array<bool, numSlots> slotOn{};
    MirabelGlobalData& globalData;
    LfoData& lfoData;

    JUCE_DECLARE_NON_COPYABLE(ModEngineHandler2)
};
