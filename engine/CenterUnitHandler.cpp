// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterUnitHandler.h"

using zu::units::indexOf;
using zu::units::kindOf;

namespace
{
// Slot orders of the handler's walks over the engines.
constexpr std::array<int, 15> prepareOrder{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 13};
constexpr std::array<int, 15> resetOrder{5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 1, 2, 3, 4, 13};

bool isParamUnit(int unitId) noexcept
{
    return kindOf(unitId) == zu::units::param;
}

bool isValidUnitId(int unitId) noexcept
{
    return zu::units::isUnitId(unitId);
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
        pitchEngines[(size_t) i] = std::make_unique<PtchSEQ_Engine>(
            globalData, pitchData, scaleData, chordData, lfoData, *scurve, *dispShare, zu::units::pitch, i, i);
    for (int i = 0; i < numParamUnits; ++i)
        paramEngines[(size_t) i] =
            std::make_unique<PrmSEQ_Engine>(globalData, paramData, scaleData, chordData, lfoData, *scurve, *dispShare,
                                            zu::units::param, i, zu::units::unitNumberOf(zu::units::param, i));
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

//==============================================================================
// Engine slots

SeqEngineBase* CenterUnitHandler::engineObjectOf(int unitId) const noexcept
{
    switch (kindOf(unitId))
    {
    case zu::units::pitch:
        return pitchEngines[(size_t) indexOf(unitId)].get();
    case zu::units::param:
        return paramEngines[(size_t) indexOf(unitId)].get();
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
    if (kindOf(unitId) != zu::units::pitch || !hasEngine(unitId))
        return nullptr;
    return pitchEngines[(size_t) indexOf(unitId)].get();
}

PrmSEQ_Engine* CenterUnitHandler::getParamEngine(int unitId) noexcept
{
    if (kindOf(unitId) != zu::units::param || !hasEngine(unitId))
        return nullptr;
    return paramEngines[(size_t) indexOf(unitId)].get();
}

void CenterUnitHandler::destroyEngine(int unitId) noexcept
{
    if (isValidUnitId(unitId))
        slotInUse[(size_t) (unitId - 1)] = false;
}

void CenterUnitHandler::prepareEngine(int unitId)
{
    if (kindOf(unitId) == zu::units::pitch)
        pitchEngines[(size_t) indexOf(unitId)]->prepare(spec);
    else if (kindOf(unitId) == zu::units::param)
        paramEngines[(size_t) indexOf(unitId)]->prepare(spec);
}

void CenterUnitHandler::resetEngine(int unitId)
{
    if (kindOf(unitId) == zu::units::pitch)
        pitchEngines[(size_t) indexOf(unitId)]->reset();
    else if (kindOf(unitId) == zu::units::param)
        paramEngines[(size_t) indexOf(unitId)]->reset();
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
    switch (kindOf(unitId))
    {
    case zu::units::pitch:
        pitchEngines[(size_t) indexOf(unitId)]->processBlock(block);
        break;
    case zu::units::param:
        paramEngines[(size_t) indexOf(unitId)]->processBlock(block);
        break;
    default:
        // The other kinds have no engine yet, so no slot of theirs is in use.
        break;
    }
}

void CenterUnitHandler::createUnitInstance(int type, int index)
{
    // The octave-transpose engine ignores the index.
    if (!zu::units::isUnit(type, type == zu::units::octTp ? 0 : index))
        return;

    switch (type)
    {
    case zu::units::pitch:
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
    case zu::units::param:
    {
        auto& engine = *paramEngines[(size_t) index];
        engine.restoreNewState();
        engine.prepare(spec);
        engine.setStartFlag();
        slotInUse[(size_t) (zu::units::unitIdOf(type, index) - 1)] = true;
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
            createUnitInstance(kindOf(id), indexOf(id));
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

void CenterUnitHandler::processBlock(UnitBlockContext& block)
{
    if (block.recording)
        updateRecTarPchSqList();

    hasRun = true;
    lastRunOrder = {};
    updateUnitStates();

    clockResetResync = {globalData.clkReset.exchange(false), globalData.clkResync.exchange(false)};
    block.clockResetResync = clockResetResync;
    block.ccLaneTargets = &ccLaneTargets;

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
    for (int i = 0; i < zu::units::unitsOfKind[zu::units::param]; ++i)
    {
        const int id = zu::units::unitIdOf(zu::units::param, i);
        if (!units.contains(id) && hasEngine(id))
            clearLastOutputOf(id);
    }

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
