// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine of the octave-transpose sequencer unit (unit id 13). It steps
// through 32 steps of an octave shift and a transpose and, while its last
// step was on, puts the step's pair in place of the global octave and
// transpose that the pitch units targeted by "p0_gocttptar" add to their
// notes. The unit handler runs it before every other unit. It makes no MIDI.
//
// Audio thread only, except construction (with the unit handler) and
// prepare (with the host's preparation). Nothing on the block path
// allocates, locks or builds text.

#include "SeqEngineBase.h"
#include "UnitBlockContext.h"

#include "CtrOctSqData.h"

#include <utility>

class OctTpSEQ_Engine : public SeqEngineBase
{
public:
    // type 3, index 0, engine id 12; the depth curve and the display tables
    // belong to the owner (see SeqEngineBase).
    OctTpSEQ_Engine(MirabelGlobalData& globalData, CtrOctSqData& octTpData, ScaleData& scaleData, ChordData& chordData,
                    LfoData& lfoData, const Scurve& depthCurve, const DispShareData& displayTables, int type, int index,
                    int engineId);
    ~OctTpSEQ_Engine() override;

    void prepare(const juce::dsp::ProcessSpec& newSpec);
    // Back to the start; the unit hands out no pair until its next step.
    void reset();
    // Back to the state of a newly built engine; prepare follows.
    void restoreNewState() noexcept;

    // One block: may replace block.octTp by the last step's pair.
    void processBlock(UnitBlockContext& block);

    // The block preparation: swing, hold-off, the clock settings of the
    // snapshot and the reset and resync requests.
    void prepareSeqBlockProcess(CtrOctSqData& octTpModel, const std::pair<bool, bool>& resetResync, int numSamples);

    // Moves a step's octave (semitones) and transpose by their modulation.
    void handleParamModStepOctTopVal(ModBlock& modBlock, int& stepOctave, MyParam<int> soct, int& stepTranspose,
                                     MyParam<int> stp, int step, int samplePos, int numSamples);

    // The pair the unit hands out (x octave, y transpose, in semitones), if any.
    bool hasOutput() const noexcept { return hasPair; }
    OctTpShift getOutput() const noexcept { return pair; }

private:
    void clearOutput() noexcept { hasPair = false; }

    CtrOctSqData& octTpData;
    // This block's copy of the snapshot the unit plays.
    CtrOctSqData::SnapData snap;
    bool hasPair = false;
    OctTpShift pair;

    JUCE_DECLARE_NON_COPYABLE(OctTpSEQ_Engine)
};
