// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine of one pitch sequencer unit (unit ids 1 to 4, index 0 to 3).
// Once per block it runs the unit frame of SeqEngineBase, and when a step
// begins it turns the step's values into note records for the note handler:
// pitch (absolute, or relative to a base note), octave, velocity, gate, slur,
// probability, channel and chords, after the unit's modulation, the global
// octave and transpose and the scale. It writes no MIDI itself.
//
// Audio thread only, except construction (with the unit handler) and
// prepare (with the host's preparation). Nothing on the block path
// allocates, locks or builds text.

#include "NoteInfo.h"
#include "PrmSqTargetEvents.h"
#include "SeqEngineBase.h"
#include "UnitBlockContext.h"

#include "CtrPtchSqData.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <utility>
#include <vector>

class PtchSEQ_Engine : public SeqEngineBase
{
public:
    // A step's notes: at most five (a chord of five intervals or five
    // custom notes). Fixed storage, so building them never allocates.
    struct NoteList
    {
        static constexpr int capacity = 5;

        std::array<int, capacity> notes{};
        int count = 0;

        void clear() noexcept { count = 0; }
        void add(int note) noexcept
        {
            if (count < capacity)
                notes[(size_t) count++] = note;
        }
        int size() const noexcept { return count; }
        bool isEmpty() const noexcept { return count == 0; }
        int operator[](int i) const noexcept { return notes[(size_t) i]; }
        int* begin() noexcept { return notes.data(); }
        int* end() noexcept { return notes.data() + count; }
        const int* begin() const noexcept { return notes.data(); }
        const int* end() const noexcept { return notes.data() + count; }
    };

    // The factor that turns a stored velocity 0..127 into 0..1: a hair below
    // 1/127, so that 127 gives just under 1.
    static constexpr float velocityScale = 0.00787401013f;
    // The longest gate, just under a whole step.
    static constexpr float maxGate = 0.999998987f;
    // A slurred step's note length, in steps, until the next note decides its end.
    static constexpr float slurGate = 0.1f;

    // type 0, index 0..3 = engineId; the depth curve and the display tables
    // belong to the owner (see SeqEngineBase).
    PtchSEQ_Engine(MirabelGlobalData& globalData, CtrPtchSqData& pitchData, ScaleData& scaleData, ChordData& chordData,
                   LfoData& lfoData, const Scurve& depthCurve, const DispShareData& displayTables, int type, int index,
                   int engineId);
    ~PtchSEQ_Engine() override;

    // Sizes the phase buffer, prepares the clock and the modulation slots and
    // restarts the unit. With the spec the engine was prepared with before
    // (or a smaller block size) it allocates nothing.
    void prepare(const juce::dsp::ProcessSpec& newSpec);
    // Back to the start: clock, step count, realignment at the next step.
    void reset();
    // Back to the state of a newly built engine; prepare follows.
    void restoreNewState() noexcept { restoreConstructionState(); }

    // One block. engineInput and output are not used (notes travel in
    // noteInfos); pitchUnitOn[index + 1] receives whether the unit runs; the
    // unit reads its own list of parameter-unit entries and its own snapshot
    // request (-1 keep, 0..7 snapshot, 8 restart), the global octave (x) and
    // transpose (y) in semitones and the block's reset and resync requests.
    void processBlock(UnitBlockContext& block);

    // The block preparation: swing, hold-off, the clock settings of the
    // snapshot, the cycles per bar of the division, the reset and resync
    // requests, and a restart sent by a parameter unit.
    void prepareSeqBlockProcess(CtrPtchSqData& pitchModel, std::pair<bool, bool>& resetResync, bool hasTargetEvents,
                                std::vector<PrmSqTargetEntry>& targetEvents, int numSamples);

    // Replaces a one-note list by the chord of its note's pitch class:
    // stepOctave and unitOctave in semitones (custom chords add them to their
    // notes). An empty list stays empty.
    void chordProcess(NoteList& list, int stepOctave, int unitOctave) const noexcept;

    int getUnitNumber() const noexcept { return unitIndex + 1; }

private:
    // The notes of the step curStep, appended to noteInfos.
    void buildStepNotes(ModBlock& modBlock, std::vector<NoteInfo>& noteInfos,
                        const std::vector<PrmSqTargetEntry>& targetEvents, const OctTpShift& octTp, bool midiMute,
                        int numSamples);
    int noteChannel() const noexcept;

    CtrPtchSqData& pitchData;
    // This block's copy of the snapshot the unit plays.
    CtrPtchSqData::SnapData snap;

    JUCE_DECLARE_NON_COPYABLE(PtchSEQ_Engine)
};
