// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine of one CC sequencer unit (unit ids 9 to 12, index 0 to 3). Each
// step that begins and plays sends one controller message: the step value,
// modulated and scaled into the unit's output range, on the unit's channel
// to its target controller, into the block's output and, while recording,
// into the recorder lanes. Every playing step sends, also when its value
// equals the previous one.
//
// Audio thread only, except construction (with the unit handler) and
// prepare (with the host's preparation). Nothing on the block path
// allocates, locks or builds text.

#include "SeqEngineBase.h"
#include "UnitBlockContext.h"

#include "CtrCcSqData.h"

#include <utility>

class CcSEQ_Engine : public SeqEngineBase
{
public:
    // type 2, index 0..3, engine id index + 8; the depth curve and the
    // display tables belong to the owner (see SeqEngineBase).
    CcSEQ_Engine(MirabelGlobalData& globalData, CtrCcSqData& ccData, ScaleData& scaleData, ChordData& chordData,
                 LfoData& lfoData, const Scurve& depthCurve, const DispShareData& displayTables, int type, int index,
                 int engineId);
    ~CcSEQ_Engine() override;

    void prepare(const juce::dsp::ProcessSpec& newSpec);
    void reset();
    // Back to the state of a newly built engine; prepare follows.
    void restoreNewState() noexcept { restoreConstructionState(); }

    void processBlock(UnitBlockContext& block);

    // The block preparation: swing, hold-off, the clock settings of the
    // snapshot and the reset and resync requests.
    void prepareSeqBlockProcess(CtrCcSqData& ccModel, const std::pair<bool, bool>& resetResync, int numSamples);

    // Moves a step value by its modulation, kept to 0..1.
    void handleParamModStepCcVal(ModBlock& modBlock, float& value, MyParam<float> step, int, int samplePos,
                                 int numSamples);

    // The target controller number (0..127) of a stored "tarcc" value; -1 for
    // "--" and for values no menu item stores.
    static int targetController(int tarcc) noexcept;

private:
    void sendStep(UnitBlockContext& block);

    CtrCcSqData& ccData;
    // This block's copy of the snapshot the unit plays.
    CtrCcSqData::SnapData snap;

    JUCE_DECLARE_NON_COPYABLE(CcSEQ_Engine)
};
