// SPDX-License-Identifier: GPL-3.0-or-later
#include "PtchSEQ_Engine.h"

#include "ChordData.h"
#include "DispShareData.h"
#include "ScaleData.h"
#include "ZuConvert.h"

#include <climits>
#include <cmath>

namespace
{
int addSaturating(int a, int b) noexcept
{
    const juce::int64 sum = (juce::int64) a + (juce::int64) b;
    return (int) juce::jlimit((juce::int64) INT_MIN, (juce::int64) INT_MAX, sum);
}

// A stored step value: a value that is not a number reads as the default,
// others are kept to the value's range.
float stepValue(float v, float lo, float hi, float def) noexcept
{
    return std::isfinite(v) ? juce::jlimit(lo, hi, v) : def;
}

// Inserts a note into an ascending list unless it is there already.
void insertSortedUnique(PtchSEQ_Engine::NoteList& list, int note) noexcept
{
    int pos = 0;
    while (pos < list.count && list.notes[(size_t) pos] < note)
        ++pos;
    if ((pos < list.count && list.notes[(size_t) pos] == note) || list.count >= PtchSEQ_Engine::NoteList::capacity)
        return;
    for (int i = list.count; i > pos; --i)
        list.notes[(size_t) i] = list.notes[(size_t) (i - 1)];
    list.notes[(size_t) pos] = note;
    ++list.count;
}
} // namespace

PtchSEQ_Engine::PtchSEQ_Engine(MirabelGlobalData& global, CtrPtchSqData& pitch, ScaleData& scale, ChordData& chord,
                               LfoData& lfo, const Scurve& depthCurve, const DispShareData& displayTables, int type,
                               int index, int id)
    : SeqEngineBase(global, scale, chord, lfo, depthCurve, displayTables, type, index, id), pitchData(pitch)
{
}

PtchSEQ_Engine::~PtchSEQ_Engine() = default;

void PtchSEQ_Engine::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    prepareClockedUnit(newSpec);
}

void PtchSEQ_Engine::reset()
{
    baseReset();
}

//==============================================================================
void PtchSEQ_Engine::prepareSeqBlockProcess(CtrPtchSqData& pitchModel, std::pair<bool, bool>& resetResync,
                                            bool hasTargetEvents, std::vector<PrmSqTargetEntry>& targetEvents,
                                            int numSamples)
{
    auto& unit = pitchModel.units[(size_t) unitIndex];

    // Everything below reads this block's copy of the snapshot, so that a
    // write from another thread in the middle of the block cannot mix two
    // states of the unit.
    snap = unit.snaps[(size_t) zu::clampInt(snapIndex, 0, SeqDataBase::numSnapshots - 1)];

    const BlockSettings settings = blockSettingsOf(unit.pwr, snap);
    beginBlockSettings(settings, numSamples);
    humanizeFlag = false;
    humanizeAmount = 0.0f;

    // The realignment counts cycles of the unit's own division.
    const int type = settings.clockType;
    const double typeFactor = type == 1 ? 1.5 : (type == 2 ? 0.666666666 : 1.0);
    cyclesPerBar = divRatioTable[(size_t) clockDiv] * typeFactor;

    applyClockRequests(resetResync, unit.resyncRequest.exchange(false));

    if (unitOn && hasTargetEvents)
        for (const auto& entry : targetEvents)
            if (isUsablePrmSqEntry(entry) && std::get<0>(entry) == prmSqEventCode(Restart) &&
                prmSqToRestart(std::get<1>(entry)))
                restartPending = true;
}

void PtchSEQ_Engine::processBlock(UnitBlockContext& block)
{
    const auto& unit = pitchData.units[(size_t) unitIndex];
    auto& modBlock = block.modBlock;
    auto& targetEvents = block.prmSqTargetEvents[(size_t) unitIndex];
    const double ppq = block.ppq;
    const int numSamples = block.numSamples;

    takeSnapshotRequest(
        block.snapshotRequests[(size_t) zu::units::requestIndexOf(zu::units::unitIdOf(unitType, unitIndex))],
        unit.pendingSnapshot, unit.currentSnapshot);
    runModulationSlots(modBlock, ppq, block.playing, block.wrapSample, block.nearLoopEnd, numSamples);
    const bool hasTargetEvents = !targetEvents.empty();
    prepareSeqBlockProcess(pitchData, block.clockResetResync, hasTargetEvents, targetEvents, numSamples);
    if (hasTargetEvents)
        updatePrmSqTarStates(targetEvents);

    // The note handler holds a slurred note only while its unit runs and may
    // still end it. A muted unit starts no note that could, so it reports as
    // not running and its slurred note is released.
    block.pitchUnitOn[(size_t) (unitIndex + 1)] = unitOn && !block.midiMute;

    if (runClockAndTrigger(modBlock, snap.sclk, block.swing, ppq, block.nearLoopEnd, block.wrapSample, numSamples))
    {
        beginStep(modBlock, snap.dir, snap.strt, snap.size, ppq, numSamples);
        // A parameter unit's direction and window replace the unit's own for
        // the step about to be chosen.
        if (hasTargetEvents)
            handlePrmSqToDirStrtSize(targetEvents);
        chooseStep(modBlock, snap.dir, snap.strt, snap.size, ppq, numSamples);
        publishCurrentStep();

        bool on = false;
        if (hasCurStep())
        {
            const auto& step = snap.steps[(size_t) curStep];
            on = step.spwr.value > 0;
            handleParamModStepOnOff(modBlock, on, step.spwr, curStep, stepSamplePos, numSamples);
            if (hasTargetEvents)
                handlePrmSqToStepOnOff(targetEvents, on);
        }

        checkRestartLength();

        if (on && !resetThisBlock && unitOn)
            buildStepNotes(modBlock, block.noteInfos, targetEvents, block.octTp, block.midiMute, numSamples);
    }
    endBlock();
}

//==============================================================================
void PtchSEQ_Engine::buildStepNotes(ModBlock& modBlock, std::vector<NoteInfo>& noteInfos,
                                    const std::vector<PrmSqTargetEntry>& targetEvents, const OctTpShift& octTp,
                                    bool midiMute, int numSamples)
{
    const int s = curStep;
    const auto& step = snap.steps[(size_t) s];

    // Working values; a damaged state is kept to the editor's ranges.
    int p = zu::clampInt(step.pch.value, 0, 12);
    int rp = zu::clampInt(step.relpch.value, -12, 12);
    int o = 12 * zu::clampInt(step.oct.value, 0, 4) - 24;
    float v = stepValue(step.vel.value, 0.0f, 127.0f, 100.0f) * velocityScale;
    float g = stepValue(step.gate.value, 0.0f, 100.0f, 50.0f) * 0.01f;
    float q = stepValue(step.prob.value, 0.0f, 100.0f, 100.0f) * 0.01f;
    bool slur = step.slr.value > 0;
    int go = 12 * zu::clampInt(snap.goct.value, -3, 3);
    int t = zu::clampInt(snap.tp.value, -12, 12);

    const bool chordOn = chordData.chordPower && chordData.chordTargets[(size_t) unitIndex];

    handleParamModOctTpStepPrms(modBlock, go, snap.goct, t, snap.tp, p, step.pch, o, step.oct, v, step.vel, g,
                                step.gate, q, step.prob, slur, step.slr, s, stepSamplePos, numSamples);
    if (!targetEvents.empty())
        handlePrmSqToStepParams(targetEvents, go, t, p, o, v, g, q, slur);

    if (globalData.goctTpTar[(size_t) unitIndex])
    {
        go = addSaturating(go, octTp.x);
        t = addSaturating(t, octTp.y);
    }

    NoteList list;
    if (!snap.relmode)
    {
        list.add(juce::jlimit(0, 127, addSaturating(addSaturating(o, p), addSaturating(go, 48))));
        if (chordOn)
            chordProcess(list, o, go);
    }
    else
    {
        // Relative mode plays no chords.
        int base = zu::clampInt(snap.relbn.value, 1, 128) - 1;
        handleParamModRelBaseNote(modBlock, base, snap.relbn, rp, step.relpch, s, stepSamplePos, numSamples);
        list.add(juce::jlimit(0, 127, addSaturating(addSaturating(rp, base), addSaturating(o, go))));
    }

    const bool scaleOn = scaleData.scalePower && scaleData.scaleTargets[(size_t) unitIndex];
    for (int& note : list)
    {
        if (note < 0)
            continue;
        if (scaleOn)
            processScaleType1(note, t);
        else
            note = addSaturating(note, t);
    }

    g = juce::jmax(juce::jmin(g, maxGate), 0.0f);
    if (humanizeFlag)
        processHumanizeVelGate(v, g, humanizeAmount);
    const double gate = slur ? (double) slurGate : (double) g;

    // The step plays when the draw falls below the probability: 0 never plays.
    if (q < 1.0f && !(random.nextFloat() < q))
        v = 0.0f;

    // Notes below 0 are dropped; the others are limited to 127 before
    // repeats are removed, so two notes above the top give one note.
    NoteList notes;
    for (const int note : list)
        if (note >= 0)
            insertSortedUnique(notes, juce::jmin(note, 127));

    if (!(v > 0.0f) || midiMute || resetThisBlock)
        return;
    const int length = zu::toIntSaturating(stepLen * gate);
    if (length <= 0)
        return;

    const int channel = noteChannel();
    const int start = juce::jlimit(0, juce::jmax(numSamples - 1, 0), stepSamplePos);
    for (const int note : notes)
    {
        NoteInfo info;
        info.noteNumber = note;
        info.endSample = addSaturating(start, length);
        info.slur = slur;
        info.startSample = start;
        info.velocity = juce::jmin(v, 1.0f);
        info.channel = channel;
        info.unitNumber = unitIndex + 1;
        info.endPending = false;
        info.pendingEndSample = 0;
        info.merged = false;
        noteInfos.push_back(info);
    }
}

int PtchSEQ_Engine::noteChannel() const noexcept
{
    const int ch = pitchData.units[(size_t) unitIndex].ch;
    if (ch != 0)
        return zu::clampInt(ch, 1, 16);
    return zu::clampInt(globalData.gch, 1, 16);
}

void PtchSEQ_Engine::chordProcess(NoteList& list, int stepOctave, int unitOctave) const noexcept
{
    if (list.isEmpty())
        return;
    const int root = list[0];
    list.clear();

    const auto& slot = chordData.chordSlots[(size_t) ScaleData::pitchClass(root)];

    if (slot.custom)
    {
        // The chosen notes as they are, moved by the octaves; the step's pitch plays no part.
        const int shift = addSaturating(stepOctave, unitOctave);
        for (const auto& stored : slot.customNotes)
        {
            const int c = stored;
            if (c > 0)
                list.add(juce::jlimit(0, 127, addSaturating(c - 1, shift)));
        }
        return;
    }

    const int type = slot.chordType;
    if (type < 0 || type >= DispShareData::numChordTypes)
    {
        // No such chord: the step's note plays alone.
        list.add(root);
        return;
    }

    auto intervals = dispShare.getChordIntervals(type);
    const int inversion = slot.inversion;
    if (inversion >= 1 && inversion <= 3 && intervals.count >= inversion + 1)
        for (int k = 0; k < inversion; ++k)
            intervals.notes[(size_t) k] += 12;

    const int chordRoot = zu::clampInt(slot.chordRoot, 0, 11);
    const int octaveBase = (root / 12) * 12;
    for (const int d : intervals)
        list.add(octaveBase + d + chordRoot);
}
