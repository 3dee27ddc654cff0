// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine of one parameter sequencer unit (unit ids 5 to 8, index 0 to 3).
// It plays no MIDI. Each of its 32 steps holds a value 0..1 and an event code
// naming a property of the pitch units; when a step with an event begins and
// plays, the engine sends the entry (code, value) to the pitch units its
// snapshot targets and sends it again every block until its next step.
//
// Audio thread only, except construction (with the unit handler) and
// prepare (with the host's preparation). Nothing on the block path
// allocates, locks or builds text.

#include "NoteInfo.h"
#include "PrmSqTargetEvents.h"
#include "SeqEngineBase.h"
#include "UnitBlockContext.h"

#include "CtrPrmSqData.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <utility>
#include <vector>

class PrmSEQ_Engine : public SeqEngineBase
{
public:
    // type 1, index 0..3, engineId index + 4; the depth curve and the display
    // tables belong to the owner (see SeqEngineBase).
    PrmSEQ_Engine(MirabelGlobalData& globalData, CtrPrmSqData& paramData, ScaleData& scaleData, ChordData& chordData,
                  LfoData& lfoData, const Scurve& depthCurve, const DispShareData& displayTables, int type, int index,
                  int engineId);
    ~PrmSEQ_Engine() override;

    // Sizes the phase buffer, prepares the clock and the modulation slots,
    // restarts the unit and drops the held entry. With the spec the engine
    // was prepared with before (or a smaller block size) it allocates nothing.
    void prepare(const juce::dsp::ProcessSpec& newSpec);
    // Back to the start, without a held entry.
    void reset();
    // Back to the state of a newly built engine; prepare follows.
    void restoreNewState() noexcept;
    // The unit left the unit list: its entry stops reaching the pitch units at once.
    void clearLastOutput() noexcept { lastOutput.clear(); }

    // The block preparation: swing, hold-off, the clock settings of the
    // snapshot, and the reset and resync requests.
    void prepareSeqBlockProcess(CtrPrmSqData& paramModel, const std::pair<bool, bool>& clockResetResync,
                                int numSamples);

    // One block. The MIDI buffers, the note records and the mute are not
    // used; the unit appends its entry to the target event lists of the
    // pitch units it targets and reads its own snapshot request (-1 keep,
    // 0..7 snapshot, 8 restart) and the block's reset and resync requests.
    void processBlock(UnitBlockContext& block);

    // The entry sent in every block until the next step: empty or one entry.
    const std::vector<PrmSqTargetEntry>& getLastOutput() const noexcept { return lastOutput; }
    int getUnitNumber() const noexcept { return unitIndex + 1; }

private:
    // Appends the held entry to the list of every targeted pitch unit.
    void sendLastOutput(PrmSqTargetEvents& events) const;
    // The step's event: holds and sends it when the step plays, else drops
    // the held entry.
    void playStepEvent(ModBlock& modBlock, PrmSqTargetEvents& events, bool stepPlays, int numSamples);

    CtrPrmSqData& paramData;
    // This block's copy of the snapshot the unit plays.
    CtrPrmSqData::SnapData snap;
    // Never longer than one entry; reserved once, so holding one never allocates.
    std::vector<PrmSqTargetEntry> lastOutput;

    JUCE_DECLARE_NON_COPYABLE(PrmSEQ_Engine)
};
