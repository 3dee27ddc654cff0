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
#include "UnitBlockContext.h"

#include "DispShareData.h"
#include "MirabelGlobalData.h"
#include "ZuUnits.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

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
    static constexpr int numUnitIds = zu::units::numUnits;
    static constexpr int octTpUnitId = zu::units::octTpUnitId;
    static constexpr int numLanes = UnitBlockContext::numLanes;
    static constexpr int numRecTracks = UnitBlockContext::numRecTracks;

    using Lanes = UnitBlockContext::Lanes;
    using LaneTargets = UnitBlockContext::LaneTargets;
    using SnapshotRequests = UnitBlockContext::SnapshotRequests;

    static constexpr int numPitchUnits = zu::units::unitsOfKind[zu::units::pitch];
    static constexpr int numParamUnits = zu::units::unitsOfKind[zu::units::param];

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
    // Creates (or replaces) the engine of one unit: type a zu::units::Kind, index within the kind.
    void createUnitInstance(int type, int index);
    // Follows the global unit list when it changed: creates missing engines.
    void updateUnitStates();
    // Stopped blocks: destroys the engines of units no longer listed.
    void checkAndDeleteInactiveUnits();
    // Rebuilds ccLaneTargets from the recorder track targets.
    void updateRecTarPchSqList();
    // Runs the listed units over one block. The handler sets the block's
    // clock requests and lane lists in the context and hands it to every engine.
    void processBlock(UnitBlockContext& block);

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
    using BlockContext = UnitBlockContext;

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
