// SPDX-License-Identifier: GPL-3.0-or-later
#include "CcSEQ_Engine.h"

#include "CcOutput.h"
#include "ZuConvert.h"

#include <cmath>

CcSEQ_Engine::CcSEQ_Engine(MirabelGlobalData& global, CtrCcSqData& cc, ScaleData& scale, ChordData& chord, LfoData& lfo,
                           const Scurve& depthCurve, const DispShareData& displayTables, int type, int index, int id)
    : SeqEngineBase(global, scale, chord, lfo, depthCurve, displayTables, type, index, id), ccData(cc)
{
}

CcSEQ_Engine::~CcSEQ_Engine() = default;

void CcSEQ_Engine::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    prepareClockedUnit(newSpec);
}

void CcSEQ_Engine::reset()
{
    baseReset();
}

int CcSEQ_Engine::targetController(int tarcc) noexcept
{
    return zu::ccoutput::controllerOfMenuValue(tarcc);
}

void CcSEQ_Engine::prepareSeqBlockProcess(CtrCcSqData& model, const std::pair<bool, bool>& resetResync, int numSamples)
{
    auto& unit = model.units[(size_t) unitIndex];
    snap = unit.snaps[(size_t) zu::clampInt(snapIndex, 0, SeqDataBase::numSnapshots - 1)];

    beginBlockSettings(blockSettingsOf(unit.pwr, snap), numSamples);

    applyClockRequests(resetResync, unit.resyncRequest.exchange(false));
}

void CcSEQ_Engine::handleParamModStepCcVal(ModBlock& modBlock, float& value, MyParam<float> step, int, int samplePos,
                                           int numSamples)
{
    if (!std::isfinite(value))
        value = 0.0f;
    if (step.modActive)
        value += modulationSum(modBlock, step, 2, modReadPosition(samplePos, numSamples));
    value = juce::jlimit(0.0f, 1.0f, value);
}

void CcSEQ_Engine::processBlock(UnitBlockContext& block)
{
    const auto& unit = ccData.units[(size_t) unitIndex];
    auto& modBlock = block.modBlock;
    const double ppq = block.ppq;
    const int numSamples = block.numSamples;

    takeSnapshotRequest(
        block.snapshotRequests[(size_t) zu::units::requestIndexOf(zu::units::unitIdOf(unitType, unitIndex))],
        unit.pendingSnapshot, unit.currentSnapshot);
    runModulationSlots(modBlock, ppq, block.playing, block.wrapSample, block.nearLoopEnd, numSamples);
    prepareSeqBlockProcess(ccData, block.clockResetResync, numSamples);

    bool on = false;
    if (runSwitchedStep(modBlock, snap, block.swing, ppq, block.nearLoopEnd, block.wrapSample, numSamples, on) && on &&
        unitOn && !block.midiMute && !resetThisBlock)
        sendStep(block);
    endBlock();
}

void CcSEQ_Engine::sendStep(UnitBlockContext& block)
{
    const int controller = targetController(snap.tarcc);
    if (controller < 0)
        return;

    const int numSamples = block.numSamples;
    const int samplePos = juce::jlimit(0, juce::jmax(numSamples - 1, 0), stepSamplePos);
    const auto& step = snap.steps[(size_t) curStep];
    float value = step.sval.value;
    handleParamModStepCcVal(block.modBlock, value, step.sval, 0, stepSamplePos, numSamples);

    const float lo = snap.omin;
    const float hi = snap.omax;
    const int out = zu::ccoutput::scaledValue(value, lo, hi);
    const int channel = zu::ccoutput::channelOf(ccData.units[(size_t) unitIndex].ch.load(), globalData.gch.load());
    zu::ccoutput::send(block, juce::MidiMessage::controllerEvent(channel, controller, out), samplePos,
                       zu::ccoutput::laneTargetOfCcUnit(unitIndex));
}
