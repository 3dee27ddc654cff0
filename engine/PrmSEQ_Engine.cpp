// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrmSEQ_Engine.h"

#include "ZuConvert.h"

#include <cmath>

PrmSEQ_Engine::PrmSEQ_Engine(MirabelGlobalData& global, CtrPrmSqData& param, ScaleData& scale, ChordData& chord,
                             LfoData& lfo, const Scurve& depthCurve, const DispShareData& displayTables, int type,
                             int index, int id)
    : SeqEngineBase(global, scale, chord, lfo, depthCurve, displayTables, type, index, id), paramData(param)
{
    lastOutput.reserve(1);
}

PrmSEQ_Engine::~PrmSEQ_Engine() = default;

void PrmSEQ_Engine::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    prepareClockedUnit(newSpec);
    lastOutput.clear();
}

void PrmSEQ_Engine::reset()
{
    baseReset();
    lastOutput.clear();
}

void PrmSEQ_Engine::restoreNewState() noexcept
{
    restoreConstructionState();
    lastOutput.clear();
}

//==============================================================================
void PrmSEQ_Engine::prepareSeqBlockProcess(CtrPrmSqData& paramModel, const std::pair<bool, bool>& clockResetResync,
                                           int numSamples)
{
    auto& unit = paramModel.units[(size_t) unitIndex];

    // Everything below reads this block's copy of the snapshot, so that a
    // write from another thread in the middle of the block cannot mix two
    // states of the unit.
    snap = unit.snaps[(size_t) zu::clampInt(snapIndex, 0, SeqDataBase::numSnapshots - 1)];

    const BlockSettings settings = blockSettingsOf(unit.pwr, snap);
    beginBlockSettings(settings, numSamples);

    applyClockRequests(clockResetResync, unit.resyncRequest.exchange(false));
}

void PrmSEQ_Engine::processBlock(UnitBlockContext& block)
{
    const auto& unit = paramData.units[(size_t) unitIndex];
    auto& modBlock = block.modBlock;
    auto& events = block.prmSqTargetEvents;
    const double ppq = block.ppq;
    const int numSamples = block.numSamples;

    takeSnapshotRequest(
        block.snapshotRequests[(size_t) zu::units::requestIndexOf(zu::units::unitIdOf(unitType, unitIndex))],
        unit.pendingSnapshot, unit.currentSnapshot);
    // The chainer's restart drops the held entry with the unit's step state.
    if (resetThisBlock)
        lastOutput.clear();
    runModulationSlots(modBlock, ppq, block.playing, block.wrapSample, block.nearLoopEnd, numSamples);
    prepareSeqBlockProcess(paramData, block.clockResetResync, numSamples);

    if (!runClockAndTrigger(modBlock, snap.sclk, block.swing, ppq, block.nearLoopEnd, block.wrapSample, numSamples))
    {
        // Between steps the held entry keeps reaching its targets while the
        // unit is on; the targets are read from this block's snapshot.
        if (unitOn && !lastOutput.empty())
            sendLastOutput(events);
        endBlock();
        return;
    }

    if (beginStep(modBlock, snap.dir, snap.strt, snap.size, ppq, numSamples))
        lastOutput.clear();
    chooseStep(modBlock, snap.dir, snap.strt, snap.size, ppq, numSamples);
    publishCurrentStep();

    bool on = false;
    if (hasCurStep())
    {
        const auto& step = snap.steps[(size_t) curStep];
        on = step.spwr.value > 0;
        const float storedProb = step.prob.value;
        float prob = std::isfinite(storedProb) ? storedProb * 0.01f : 1.0f;
        handleParamModStepOnOffProb(modBlock, on, step.spwr, prob, step.prob, curStep, stepSamplePos, numSamples);
    }

    checkRestartLength();
    playStepEvent(modBlock, events, on, numSamples);
    endBlock();
}

void PrmSEQ_Engine::playStepEvent(ModBlock& modBlock, PrmSqTargetEvents& events, bool stepPlays, int numSamples)
{
    lastOutput.clear();
    if (!stepPlays || !unitOn || resetThisBlock || !hasCurStep())
        return;

    const auto& step = snap.steps[(size_t) curStep];
    const int code = step.emenu;
    if (code <= 0)
        return;

    float value = step.sval.value;
    handleParamModPrmSqStepVal(modBlock, value, step.sval, stepSamplePos, numSamples);
    // A value that is not a number sends nothing: the pitch units keep their own.
    if (!std::isfinite(value))
        return;

    lastOutput.emplace_back(code, value);
    sendLastOutput(events);
    // A restart acts once, in the block of its step.
    if (code == prmSqEventCode(Restart))
        lastOutput.clear();
}

void PrmSEQ_Engine::sendLastOutput(PrmSqTargetEvents& events) const
{
    if (lastOutput.empty())
        return;
    const auto& entry = lastOutput.front();
    for (size_t k = 0; k < events.size(); ++k)
        if (snap.tar[k])
            events[k].push_back(entry);
}
