// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine of one CC rack (unit ids 14 and 15, index 0 and 1): eight knobs,
// each sending a controller message on its own channel and controller
// whenever its 7-bit output value changes, modulation included. It has no
// clock and no steps; the unit handler runs the racks last.
//
// Audio thread only, except construction (with the unit handler) and
// prepare (with the host's preparation). Nothing on the block path
// allocates, locks or builds text.

#include "SeqEngineBase.h"
#include "UnitBlockContext.h"

#include "CtrCcRackData.h"

#include <array>

class CcRack_Engine : public SeqEngineBase
{
public:
    static constexpr int numKnobs = zu::units::numRackKnobs;
    // Knob values are evaluated once per sub-block of this many samples.
    static constexpr int subBlockLength = 128;

    // type 4, index 0..1, engine id index + 13; the depth curve and the
    // display tables belong to the owner (see SeqEngineBase).
    CcRack_Engine(MirabelGlobalData& globalData, CtrCcRackData& rackData, ScaleData& scaleData, ChordData& chordData,
                  LfoData& lfoData, const Scurve& depthCurve, const DispShareData& displayTables, int type, int index,
                  int engineId);
    ~CcRack_Engine() override;

    void prepare(const juce::dsp::ProcessSpec& newSpec);
    // Back to the start: every knob sends its value again.
    void reset();
    // Back to the state of a newly built engine; prepare follows.
    void restoreNewState() noexcept;

    void processBlock(UnitBlockContext& block);

    // Moves a knob value by its modulation, kept to 0..1.
    void handleParamModKnobVal(ModBlock& modBlock, float& value, MyParam<float> kval, int samplePos, int numSamples);

    // The value a knob sent last (-1: nothing since the last forget).
    int getLastSent(int knob) const noexcept { return lastSent[(size_t) juce::jlimit(0, numKnobs - 1, knob)]; }

private:
    void forgetSentValues() noexcept { lastSent.fill(-1); }

    CtrCcRackData& rackData;
    // This block's copy of the knobs of the snapshot the rack plays.
    CtrCcRackData::SnapData snap;
    std::array<int, numKnobs> lastSent{};

    JUCE_DECLARE_NON_COPYABLE(CcRack_Engine)
};
