// SPDX-License-Identifier: GPL-3.0-or-later
#include "CcRack_Engine.h"

#include "CcOutput.h"
#include "ZuConvert.h"

#include <cmath>

CcRack_Engine::CcRack_Engine(MirabelGlobalData& global, CtrCcRackData& rack, ScaleData& scale, ChordData& chord,
                             LfoData& lfo, const Scurve& depthCurve, const DispShareData& displayTables, int type,
                             int index, int id)
    : SeqEngineBase(global, scale, chord, lfo, depthCurve, displayTables, type, index, id), rackData(rack)
{
    forgetSentValues();
}

CcRack_Engine::~CcRack_Engine() = default;

void CcRack_Engine::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    prepareRackUnit(newSpec);
    forgetSentValues();
}

void CcRack_Engine::reset()
{
    baseReset();
    forgetSentValues();
}

void CcRack_Engine::restoreNewState() noexcept
{
    restoreConstructionState();
    forgetSentValues();
}

void CcRack_Engine::handleParamModKnobVal(ModBlock& modBlock, float& value, MyParam<float> kval, int samplePos,
                                          int numSamples)
{
    if (!std::isfinite(value))
        value = 0.0f;
    if (kval.modActive)
        value += modulationSum(modBlock, kval, 2, modReadPosition(samplePos, numSamples));
    value = juce::jlimit(0.0f, 1.0f, value);
}

void CcRack_Engine::processBlock(UnitBlockContext& block)
{
    auto& unit = rackData.units[(size_t) unitIndex];
    auto& modBlock = block.modBlock;
    const int numSamples = block.numSamples;

    processModEngine(modBlock, (float) block.ppq, block.playing, block.wrapSample, block.nearLoopEnd, numSamples);

    unitOn = unit.pwr;
    if (unit.resendRequest.exchange(false))
        forgetSentValues();
    if (!unitOn)
    {
        forgetSentValues();
        return;
    }

    takeSnapshotRequest(
        block.snapshotRequests[(size_t) zu::units::requestIndexOf(zu::units::unitIdOf(zu::units::ccRack, unitIndex))],
        unit.pendingSnapshot, unit.currentSnapshot);
    if (resetThisBlock)
        forgetSentValues();

    snap = unit.snaps[(size_t) zu::clampInt(snapIndex, 0, SeqDataBase::numSnapshots - 1)];

    const int subLength = juce::jmin(numSamples, subBlockLength);
    for (int k = 0; k < numKnobs; ++k)
    {
        const auto& knob = snap.knobs[(size_t) k];
        const int controller = zu::ccoutput::controllerOfMenuValue(knob.ktarcc);
        if (!knob.kpwr || controller < 0 || block.midiMute)
        {
            lastSent[(size_t) k] = -1;
            continue;
        }

        // The rack sets no step position, so every sub-block reads the
        // modulation at the same sample: only the first one can send.
        for (int offset = 0; subLength > 0 && numSamples - offset >= subLength; offset += subLength)
        {
            const int channel = zu::ccoutput::channelOf(knob.kch, globalData.gch.load());
            float value = knob.kval.value;
            handleParamModKnobVal(modBlock, value, knob.kval, stepSamplePos, numSamples);
            const int out = zu::ccoutput::scaledValue(value, knob.kmin, knob.kmax);
            if (out != lastSent[(size_t) k] && !resetThisBlock)
            {
                lastSent[(size_t) k] = out;
                zu::ccoutput::send(block, juce::MidiMessage::controllerEvent(channel, controller, out),
                                   juce::jmin(offset, numSamples - 1), zu::ccoutput::laneTargetOfRack(unitIndex));
            }
        }
    }
}
