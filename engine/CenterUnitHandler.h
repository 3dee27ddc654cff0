// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Owns the engines of the sequencer units listed in the editor and runs them
// in a fixed order every playing block: the octave-transpose unit, the
// parameter units, then the pitch units, the CC units and the CC racks.
//
// Unit ids (the editor's): 1-4 pitch, 5-8 parameter, 9-12 CC, 13 the
// octave-transpose unit, 14-15 the CC racks. A listed unit gets its engine on
// the first playing block that follows the list; an engine whose unit left the
// list idles until the first stopped block, where it is destroyed.
//
// No engine is allocated or freed on the audio thread: the engine objects of
// every slot are built with the handler (message thread) and sized in
// prepare. Creating a unit's engine brings its slot's object back to the
// state of a newly built engine and prepares it with the stored spec, which
// allocates nothing once prepare has sized it; deleting takes the slot out of
// use. Pitch and parameter engines exist so far: the slots of the other kinds
// stay empty, so their units wait for an engine (the list is read again every
// block) and take no part in the block.

#include "NoteInfo.h"
#include "PrmSEQ_Engine.h"
#include "PrmSqTargetEvents.h"
#include "PtchSEQ_Engine.h"
#include "Scurve.h"

#include "DispShareData.h"
#include "MirabelGlobalData.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>
#include <juce_graphics/juce_graphics.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class CtrPtchSqData;
class CtrPrmSqData;
class CtrCcSqData;
class CtrOctSqData;
class CtrCcRackData;
class ScaleData;
class ChordData;
class LfoData;
class SwingHandler;

class CenterUnitHandler
{
public:
    static constexpr int numUnitIds = 15;
    static constexpr int octTpUnitId = 13;
    static constexpr int numLanes = 5;
    static constexpr int numRecTracks = 4;

    // Unit kinds (type numbers) as createUnitInstance takes them.
    enum UnitType
    {
        pitchType = 0,
        paramType = 1,
        ccType = 2,
        octTpType = 3,
        ccRackType = 4
    };

    using Lanes = std::array<juce::MidiBuffer, numLanes>;
    using LaneTargets = std::array<std::vector<int>, numRecTracks>;
    using SnapshotRequests = std::array<int, numUnitIds>;

    static constexpr int numPitchUnits = 4;
    static constexpr int numParamUnits = 4;

    // Message thread: builds the engine objects of every slot.
    CenterUnitHandler(MirabelGlobalData&, CtrPtchSqData&, CtrPrmSqData&, CtrCcSqData&, CtrOctSqData&, CtrCcRackData&,
                      ScaleData&, ChordData&, LfoData&);
    ~CenterUnitHandler();

    // The thread of MainEngine::prepare; prepares every existing engine and
    // reserves the memory of the engines not in use.
    void prepare(const juce::dsp::ProcessSpec& newSpec);
    // Everything below runs on the audio thread.
    void reset();
    void forceAllToResync();
    void updateScaleTableType1();
    // Creates (or replaces) the engine of one unit: type 0..4, index within the kind.
    void createUnitInstance(int type, int index);
    // Follows the global unit list when it changed: creates missing engines.
    void updateUnitStates();
    // Stopped blocks: destroys the engines of units no longer listed.
    void checkAndDeleteInactiveUnits();
    // Rebuilds ccLaneTargets from the recorder track targets.
    void updateRecTarPchSqList();
    void processBlock(juce::MidiBuffer& engineInput, juce::MidiBuffer& output, bool recording, Lanes& lanes,
                      SwingHandler& swing, std::vector<NoteInfo>& noteInfos, std::array<bool, 5>& pitchUnitOn,
                      juce::dsp::AudioBlock<float>& modBlock, PrmSqTargetEvents& prmSqTargetEvents,
                      SnapshotRequests& snapshotRequests, juce::Point<int>& octTp, double ppq, double, bool midiMute,
                      bool playing, bool nearLoopEnd, int wrapSample, int numSamples);

    // Kind and index within the kind of a unit id 1..15 (-1 for other ids).
    static int unitTypeOf(int unitId) noexcept;
    static int unitIndexOf(int unitId) noexcept;
    // The element of the snapshot request array that belongs to a unit id
    // (ids 1-12 -> 0-11, racks 14, 15 -> 12, 13, octave-transpose 13 -> 14).
    static int requestIndexOf(int unitId) noexcept;

    bool hasEngine(int unitId) const noexcept;
    // The engine of a listed pitch unit (ids 1..4), null while it has none.
    PtchSEQ_Engine* getPitchEngine(int unitId) noexcept;
    // The engine of a parameter unit (ids 5..8), listed or idle; null while it has none.
    PrmSEQ_Engine* getParamEngine(int unitId) noexcept;
    // The unit ids visited in the last block, in run order (units with and
    // without an engine alike).
    const CenterUnitList& getLastRunOrder() const noexcept { return lastRunOrder; }
    const CenterUnitList& getUnits() const noexcept { return units; }
    const LaneTargets& getCcLaneTargets() const noexcept { return ccLaneTargets; }
    std::pair<bool, bool> getClockResetResync() const noexcept { return clockResetResync; }

private:
    // What every engine of a block receives, gathered once per block.
    struct BlockContext
    {
        juce::MidiBuffer& engineInput;
        juce::MidiBuffer& output;
        bool recording;
        Lanes& lanes;
        SwingHandler& swing;
        std::vector<NoteInfo>& noteInfos;
        std::array<bool, 5>& pitchUnitOn;
        juce::dsp::AudioBlock<float>& modBlock;
        PrmSqTargetEvents& prmSqTargetEvents;
        SnapshotRequests& snapshotRequests;
        juce::Point<int>& octTp;
        double ppq;
        bool midiMute;
        bool playing;
        bool nearLoopEnd;
        int wrapSample;
        int numSamples;
    };

    // Engine slot operations by unit id.
    // The slot's engine object (in use or not); null for kinds not built.
    SeqEngineBase* engineObjectOf(int unitId) const noexcept;
    void destroyEngine(int unitId) noexcept;
    void prepareEngine(int unitId);
    void resetEngine(int unitId);
    void resyncEngine(int unitId);
    void setEngineStartFlag(int unitId);
    void clearLastOutputOf(int unitId);
    void runEngine(int unitId, BlockContext& block);
    // Runs a listed unit, or asks the next block to create its missing engine.
    void runListed(int unitId, BlockContext& block);
    bool takeUnitList() noexcept;

    // The shared tables every engine reads; held here so that engines need
    // not take a share of their own.
    ScurveShared scurve;
    juce::SharedResourcePointer<DispShareData> dispShare;

    juce::dsp::ProcessSpec spec{0.0, 0, 0};
    CenterUnitList units;
    bool hasRun = false;

    // Engine slots in unit-id order: the engine objects of each kind (built
    // once, never freed before the handler) and whether slot id - 1 is in use.
    std::array<std::unique_ptr<PtchSEQ_Engine>, numPitchUnits> pitchEngines;
    std::array<std::unique_ptr<PrmSEQ_Engine>, numParamUnits> paramEngines;
    std::array<bool, numUnitIds> slotInUse{};
    CenterUnitList lastRunOrder;

    MirabelGlobalData& globalData;
    CtrPtchSqData& pitchData;
    CtrPrmSqData& paramData;
    CtrCcSqData& ccData;
    CtrOctSqData& octTpData;
    CtrCcRackData& ccRackData;
    ScaleData& scaleData;
    ChordData& chordData;
    LfoData& lfoData;

    // List t: the CC units (4-7) and racks (8, 9) whose controllers also go to lane t + 1.
    LaneTargets ccLaneTargets;
    std::pair<bool, bool> clockResetResync{false, false};

    JUCE_DECLARE_NON_COPYABLE(CenterUnitHandler)
};
