// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterUnitHandler.h"

namespace
{
// Slot orders of the handler's walks over the engines.
constexpr std::array<int, 15> prepareOrder{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 13};
constexpr std::array<int, 15> resetOrder{5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 1, 2, 3, 4, 13};
constexpr std::array<int, 4> paramUnitIds{5, 6, 7, 8};

bool isParamUnit(int unitId) noexcept
{
    return unitId >= 5 && unitId <= 8;
}

bool isValidUnitId(int unitId) noexcept
{
    return unitId >= 1 && unitId <= CenterUnitHandler::numUnitIds;
}
} // namespace

CenterUnitHandler::CenterUnitHandler(MirabelGlobalData& global, CtrPtchSqData& pitch, CtrPrmSqData& param,
                                     CtrCcSqData& cc, CtrOctSqData& octTp, CtrCcRackData& rack, ScaleData& scale,
                                     ChordData& chord, LfoData& lfo)
    : globalData(global), pitchData(pitch), paramData(param), ccData(cc), octTpData(octTp), ccRackData(rack),
      scaleData(scale), chordData(chord), lfoData(lfo)
{
    // At most six targets per track: rebuilding the lists never allocates.
    for (auto& list : ccLaneTargets)
        list.reserve(8);

    for (int i = 0; i < numPitchUnits; ++i)
        pitchEngines[(size_t) i] = std::make_unique<PtchSEQ_Engine>(globalData, pitchData, scaleData, chordData,
                                                                    lfoData, *scurve, *dispShare, pitchType, i, i);
    for (int i = 0; i < numParamUnits; ++i)
        paramEngines[(size_t) i] = std::make_unique<PrmSEQ_Engine>(globalData, paramData, scaleData, chordData, lfoData,
                                                                   *scurve, *dispShare, paramType, i, i + 4);
}

CenterUnitHandler::~CenterUnitHandler()
{
    // Pitch, parameter, CC, racks, then the octave-transpose engine.
    for (const int id : prepareOrder)
        destroyEngine(id);
    for (auto& engine : pitchEngines)
        engine.reset();
    for (auto& engine : paramEngines)
        engine.reset();
}

int CenterUnitHandler::unitTypeOf(int unitId) noexcept
{
    if (unitId >= 1 && unitId <= 4)
        return pitchType;
    if (unitId >= 5 && unitId <= 8)
        return paramType;
    if (unitId >= 9 && unitId <= 12)
        return ccType;
    if (unitId == octTpUnitId)
        return octTpType;
    if (unitId == 14 || unitId == 15)
        return ccRackType;
    return -1;
}

int CenterUnitHandler::unitIndexOf(int unitId) noexcept
{
    switch (unitTypeOf(unitId))
    {
    case pitchType:
        return unitId - 1;
    case paramType:
        return unitId - 5;
    case ccType:
        return unitId - 9;
    case octTpType:
        return 0;
    case ccRackType:
        return unitId - 14;
    default:
        return -1;
    }
}

int CenterUnitHandler::requestIndexOf(int unitId) noexcept
{
    if (unitId >= 1 && unitId <= 12)
        return unitId - 1;
    if (unitId == 14 || unitId == 15)
        return unitId - 2;
    if (unitId == octTpUnitId)
        return 14;
    return -1;
}

//==============================================================================
// Engine slots

SeqEngineBase* CenterUnitHandler::engineObjectOf(int unitId) const noexcept
{
    switch (unitTypeOf(unitId))
    {
    case pitchType:
        return pitchEngines[(size_t) unitIndexOf(unitId)].get();
    case paramType:
        return paramEngines[(size_t) unitIndexOf(unitId)].get();
    default:
        return nullptr;
    }
}

bool CenterUnitHandler::hasEngine(int unitId) const noexcept
{
    return isValidUnitId(unitId) && slotInUse[(size_t) (unitId - 1)];
}

PtchSEQ_Engine* CenterUnitHandler::getPitchEngine(int unitId) noexcept
{
    if (unitTypeOf(unitId) != pitchType || !hasEngine(unitId))
        return nullptr;
    return pitchEngines[(size_t) unitIndexOf(unitId)].get();
}

PrmSEQ_Engine* CenterUnitHandler::getParamEngine(int unitId) noexcept
{
    if (unitTypeOf(unitId) != paramType || !hasEngine(unitId))
        return nullptr;
    return paramEngines[(size_t) unitIndexOf(unitId)].get();
}

void CenterUnitHandler::destroyEngine(int unitId) noexcept
{
    if (isValidUnitId(unitId))
        slotInUse[(size_t) (unitId - 1)] = false;
}

void CenterUnitHandler::prepareEngine(int unitId)
{
    if (unitTypeOf(unitId) == pitchType)
        pitchEngines[(size_t) unitIndexOf(unitId)]->prepare(spec);
    else if (unitTypeOf(unitId) == paramType)
        paramEngines[(size_t) unitIndexOf(unitId)]->prepare(spec);
}

void CenterUnitHandler::resetEngine(int unitId)
{
    if (unitTypeOf(unitId) == pitchType)
        pitchEngines[(size_t) unitIndexOf(unitId)]->reset();
    else if (unitTypeOf(unitId) == paramType)
        paramEngines[(size_t) unitIndexOf(unitId)]->reset();
}

void CenterUnitHandler::resyncEngine(int unitId)
{
    if (auto* engine = engineObjectOf(unitId))
        engine->setReSyncFlag();
}

void CenterUnitHandler::setEngineStartFlag(int unitId)
{
    if (auto* engine = engineObjectOf(unitId))
        engine->setStartFlag();
}

void CenterUnitHandler::clearLastOutputOf(int unitId)
{
    // A parameter unit's last event stops reaching its targets.
    if (auto* engine = getParamEngine(unitId))
        engine->clearLastOutput();
}

void CenterUnitHandler::runEngine(int unitId, BlockContext& block)
{
    switch (unitTypeOf(unitId))
    {
    case pitchType:
    {
        const int index = unitIndexOf(unitId);
        pitchEngines[(size_t) index]->processBlock(
            block.engineInput, block.output, block.swing, block.noteInfos, block.pitchUnitOn, block.modBlock,
            block.prmSqTargetEvents[(size_t) index], block.octTp, clockResetResync,
            block.snapshotRequests[(size_t) requestIndexOf(unitId)], block.ppq, 0.0, block.midiMute, block.playing,
            block.nearLoopEnd, block.wrapSample, block.numSamples);
        break;
    }
    case paramType:
    {
        const int index = unitIndexOf(unitId);
        paramEngines[(size_t) index]->processBlock(
            block.engineInput, block.output, block.swing, block.noteInfos, block.modBlock, block.prmSqTargetEvents,
            clockResetResync, block.snapshotRequests[(size_t) requestIndexOf(unitId)], block.ppq, 0.0, block.midiMute,
            block.playing, block.nearLoopEnd, block.wrapSample, block.numSamples);
        break;
    }
    default:
        // The other kinds have no engine yet, so no slot of theirs is in use.
        break;
    }
}

void CenterUnitHandler::createUnitInstance(int type, int index)
{
    const bool indexInRange = (type >= pitchType && type <= ccType && index >= 0 && index <= 3) || type == octTpType ||
                              (type == ccRackType && (index == 0 || index == 1));
    if (!indexInRange)
        return;

    switch (type)
    {
    case pitchType:
    {
        // The slot's object becomes a new engine: as built, prepared with the
        // stored spec, with the scale table as it is now (without lowering
        // the table's change flag, which the engines already running still
        // have to see), aligned to the host position at its first step.
        auto& engine = *pitchEngines[(size_t) index];
        engine.restoreNewState();
        engine.prepare(spec);
        engine.copyScaleTableType1();
        engine.setStartFlag();
        slotInUse[(size_t) index] = true;
        break;
    }
    case paramType:
    {
        auto& engine = *paramEngines[(size_t) index];
        engine.restoreNewState();
        engine.prepare(spec);
        engine.setStartFlag();
        slotInUse[(size_t) (index + 4)] = true;
        break;
    }
    default:
        // CC, octave-transpose and rack engines do not exist yet: their
        // slots stay empty.
        break;
    }
}

//==============================================================================
void CenterUnitHandler::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    spec = newSpec;
    for (const int id : prepareOrder)
        if (hasEngine(id))
            prepareEngine(id);

    // The engines not in use reserve their buffers now, so that creating
    // one on the audio thread allocates nothing.
    for (const int id : prepareOrder)
        if (!hasEngine(id))
            prepareEngine(id);
}

void CenterUnitHandler::reset()
{
    for (const int id : resetOrder)
        if (hasEngine(id))
            resetEngine(id);
}

void CenterUnitHandler::forceAllToResync()
{
    for (const int id : prepareOrder)
        if (hasEngine(id))
            resyncEngine(id);
}

void CenterUnitHandler::updateScaleTableType1()
{
    // The first engine lowers the model's flag as it copies; the others copy
    // the same newest table.
    bool first = true;
    for (int id = 1; id <= numPitchUnits; ++id)
        if (auto* engine = getPitchEngine(id))
        {
            if (first)
                engine->updateScaleTableType1();
            else
                engine->copyScaleTableType1();
            first = false;
        }
}

bool CenterUnitHandler::takeUnitList() noexcept
{
    return globalData.takeCenterUnits(units);
}

void CenterUnitHandler::updateUnitStates()
{
    if (!globalData.centerUnitsChanged.load())
        return;
    // A copy that overlapped an edit leaves the flag raised: the next block reads again.
    if (!takeUnitList())
        return;
    for (const int id : units)
        if (isValidUnitId(id) && !hasEngine(id))
            createUnitInstance(unitTypeOf(id), unitIndexOf(id));
}

void CenterUnitHandler::checkAndDeleteInactiveUnits()
{
    if (!hasRun)
        return;
    if (!takeUnitList())
        return; // the next stopped block tries again
    hasRun = false;
    for (const int id : prepareOrder)
        if (!units.contains(id) && hasEngine(id))
            destroyEngine(id);
}

void CenterUnitHandler::updateRecTarPchSqList()
{
    for (size_t t = 0; t < ccLaneTargets.size(); ++t)
    {
        auto& list = ccLaneTargets[t];
        list.clear();
        for (int u = 5; u <= MirabelGlobalData::numRecTargets; ++u)
            if (globalData.recTargets[t][static_cast<size_t>(u - 1)].load())
                list.push_back(u - 1);
    }
}

void CenterUnitHandler::runListed(int unitId, BlockContext& block)
{
    if (lastRunOrder.count < CenterUnitList::capacity)
        lastRunOrder.ids[(size_t) lastRunOrder.count++] = unitId;
    if (hasEngine(unitId))
        runEngine(unitId, block);
    else
        globalData.centerUnitsChanged = true;
}

void CenterUnitHandler::processBlock(juce::MidiBuffer& engineInput, juce::MidiBuffer& output, bool recording,
                                     Lanes& lanes, SwingHandler& swing, std::vector<NoteInfo>& noteInfos,
                                     std::array<bool, 5>& pitchUnitOn, juce::dsp::AudioBlock<float>& modBlock,
                                     PrmSqTargetEvents& prmSqTargetEvents, SnapshotRequests& snapshotRequests,
                                     juce::Point<int>& octTp, double ppq, double, bool midiMute, bool playing,
                                     bool nearLoopEnd, int wrapSample, int numSamples)
{
    BlockContext block{
        engineInput,      output, recording, lanes,    swing,   noteInfos,   pitchUnitOn, modBlock,  prmSqTargetEvents,
        snapshotRequests, octTp,  ppq,       midiMute, playing, nearLoopEnd, wrapSample,  numSamples};

    if (recording)
        updateRecTarPchSqList();

    hasRun = true;
    lastRunOrder = {};
    updateUnitStates();

    clockResetResync = {globalData.clkReset.exchange(false), globalData.clkResync.exchange(false)};

    // The octave-transpose unit runs first: it may replace the global octave
    // and transpose before the pitch units read them.
    if (units.contains(octTpUnitId))
        runListed(octTpUnitId, block);
    else
    {
        if (hasEngine(octTpUnitId))
            setEngineStartFlag(octTpUnitId);
        globalData.octTpOn = false;
    }

    // An unlisted parameter unit's last event stops reaching its targets.
    for (const int id : paramUnitIds)
        if (!units.contains(id) && hasEngine(id))
            clearLastOutputOf(id);

    // Parameter units fill the target events that the pitch units read in this block.
    // A damaged list may name a unit twice (the list is sorted): an engine
    // still steps at most once per block.
    const CenterUnitList paramPass = units;
    int previous = 0;
    for (const int id : paramPass)
    {
        if (isParamUnit(id) && id != previous)
            runListed(id, block);
        previous = id;
    }

    const CenterUnitList otherPass = units;
    previous = 0;
    for (const int id : otherPass)
    {
        if (isValidUnitId(id) && id != octTpUnitId && !isParamUnit(id) && id != previous)
            runListed(id, block);
        previous = id;
    }

    for (int id = 1; id <= 12; ++id)
        if (!units.contains(id) && hasEngine(id))
            setEngineStartFlag(id);
}
