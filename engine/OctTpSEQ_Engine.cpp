// SPDX-License-Identifier: GPL-3.0-or-later
#include "OctTpSEQ_Engine.h"

#include "ZuConvert.h"

#include <cmath>

namespace
{
// "soct" 0..4 is an octave shift of -2..2 octaves.
constexpr int octaveOffsetSteps = 2;
constexpr int maxOctaveSemitones = 24;
constexpr int maxTransposeSemitones = 12;
} // namespace

OctTpSEQ_Engine::OctTpSEQ_Engine(MirabelGlobalData& global, CtrOctSqData& octTp, ScaleData& scale, ChordData& chord,
                                 LfoData& lfo, const Scurve& depthCurve, const DispShareData& displayTables, int type,
                                 int index, int id)
    : SeqEngineBase(global, scale, chord, lfo, depthCurve, displayTables, type, index, id), octTpData(octTp)
{
}

OctTpSEQ_Engine::~OctTpSEQ_Engine() = default;

void OctTpSEQ_Engine::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    prepareClockedUnit(newSpec);
    clearOutput();
}

void OctTpSEQ_Engine::reset()
{
    baseReset();
    clearOutput();
}

void OctTpSEQ_Engine::restoreNewState() noexcept
{
    restoreConstructionState();
    clearOutput();
}

void OctTpSEQ_Engine::prepareSeqBlockProcess(CtrOctSqData& model, const std::pair<bool, bool>& resetResync,
                                             int numSamples)
{
    auto& unit = model.units[0];
    snap = unit.snaps[(size_t) zu::clampInt(snapIndex, 0, SeqDataBase::numSnapshots - 1)];

    beginBlockSettings(blockSettingsOf(unit.pwr, snap), numSamples);
    humanizeFlag = false;
    humanizeAmount = 0.0f;
    // cyclesPerBar keeps 1.0: a realignment counts one cycle per bar whatever the division.

    applyClockRequests(resetResync, unit.resyncRequest.exchange(false));
}

void OctTpSEQ_Engine::handleParamModStepOctTopVal(ModBlock& modBlock, int& stepOctave, MyParam<int> soct,
                                                  int& stepTranspose, MyParam<int> stp, int, int samplePos,
                                                  int numSamples)
{
    const int readPos = modReadPosition(samplePos, numSamples);
    if (soct.modActive)
    {
        const float m = modulationSum(modBlock, soct, 2, readPos);
        stepOctave =
            zu::clampInt(stepOctave + 12 * roundHalfAway(4.0 * (double) m), -maxOctaveSemitones, maxOctaveSemitones);
    }
    if (stp.modActive)
    {
        const float m = modulationSum(modBlock, stp, 2, readPos);
        stepTranspose = zu::clampInt(stepTranspose + roundHalfAway(24.0 * (double) m), -maxTransposeSemitones,
                                     maxTransposeSemitones);
    }
}

void OctTpSEQ_Engine::processBlock(UnitBlockContext& block)
{
    const auto& unit = octTpData.units[0];
    auto& modBlock = block.modBlock;
    const double ppq = block.ppq;
    const int numSamples = block.numSamples;

    takeSnapshotRequest(block.snapshotRequests[(size_t) zu::units::requestIndexOf(zu::units::octTpUnitId)],
                        unit.pendingSnapshot, unit.currentSnapshot);
    if (resetThisBlock)
        clearOutput();
    runModulationSlots(modBlock, ppq, block.playing, block.wrapSample, block.nearLoopEnd, numSamples);
    prepareSeqBlockProcess(octTpData, block.clockResetResync, numSamples);
    globalData.octTpOn = unitOn;

    bool on = false;
    if (runSwitchedStep(modBlock, snap, block.swing, ppq, block.nearLoopEnd, block.wrapSample, numSamples, on))
    {
        if (on && unitOn && !resetThisBlock)
        {
            const auto& step = snap.steps[(size_t) curStep];
            int octave = 12 * (zu::clampInt(step.soct.value, 0, 4) - octaveOffsetSteps);
            int transpose = zu::clampInt(step.stp.value, -maxTransposeSemitones, maxTransposeSemitones);
            handleParamModStepOctTopVal(modBlock, octave, step.soct, transpose, step.stp, curStep, stepSamplePos,
                                        numSamples);
            pair = {zu::clampInt(octave, -maxOctaveSemitones, maxOctaveSemitones),
                    zu::clampInt(transpose, -maxTransposeSemitones, maxTransposeSemitones)};
            hasPair = true;
        }
        else
        {
            publishDisplay(-1);
            clearOutput();
        }
    }
    else if (!unitOn)
    {
        publishDisplay(-1);
        clearOutput();
    }
    endBlock();

    // The pair stays in force between steps; without one the global values stand.
    if (unitOn && hasPair)
        block.octTp = pair;
}
