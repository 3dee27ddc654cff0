// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainEngine.h"

#include "ScaleData.h"
#include "ZuConvert.h"
#include "ZuConvert.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{
// Capacities reserved by prepare (the small target lists by the
// constructor), so that the per-block clears and the usual appends of a
// block never allocate. A new instance that is never played (a host's scan)
// then touches none of this memory.
constexpr size_t noteInfoCapacity = 512;
constexpr size_t targetEventCapacity = 16;
constexpr size_t laneTargetCapacity = 8;
constexpr int laneBufferBytes = 32768;
constexpr double maxSampleRate = 1.0e7;

// A non-finite or non-positive rate takes the engine's default; absurd rates are capped.
double sanitiseSampleRate(double rate) noexcept
{
    if (!std::isfinite(rate) || rate <= 0.0)
        return MainEngine::defaultSampleRate;
    return std::min(rate, maxSampleRate);
}

// Half away from zero: 0.5 -> 1, -0.5 -> -1. Saturates, NaN gives 0.
int roundHalfAway(double x) noexcept
{
    return zu::toIntSaturating(x >= 0.0 ? std::floor(x + 0.5) : -std::floor(0.5 - x));
}
} // namespace

MainEngine::MainEngine(MirabelGlobalData& global, CtrPtchSqData& pitch, CtrPrmSqData& param, CtrCcSqData& cc,
                       CtrOctSqData& octTpModel, CtrCcRackData& rack, LfoData& lfo, MacroData& macros, ScaleData& scale,
                       ChordData& chord)
    : macroEngine(macros), unitHandler(global, pitch, param, cc, octTpModel, rack, scale, chord, lfo),
      modEngineHandler(global, lfo, macros), chainer(global), masterClock(global), globalData(global),
      scaleData(scale), recorders{{ZuMidiRecEngine{global, 0}, ZuMidiRecEngine{global, 1}, ZuMidiRecEngine{global, 2},
                                   ZuMidiRecEngine{global, 3}, ZuMidiRecEngine{global, 4}}}
{
    snapshotRequests.fill(SnapChainerEngine::noRequest);
    for (auto& list : prmSqTargetEvents)
        list.reserve(targetEventCapacity);
    for (auto& list : recorderLaneTargets)
        list.reserve(laneTargetCapacity);
}

MainEngine::~MainEngine() = default;

MainEngine::RecorderStoreKeeper::RecorderStoreKeeper(MainEngine& engineToServe) : engine(engineToServe)
{
    // Without a message loop (a command-line tool) nobody would call it back.
    if (juce::MessageManager::getInstanceWithoutCreating() != nullptr)
        startTimer(100);
}

MainEngine::RecorderStoreKeeper::~RecorderStoreKeeper()
{
    stopTimer();
}

void MainEngine::topUpRecorderStores()
{
    for (auto& recorder : recorders)
        recorder.topUpStore();
}

ZuMidiRecEngine& MainEngine::getRecorder(int lane) noexcept
{
    return recorders[static_cast<size_t>(juce::jlimit(0, numRecorders - 1, lane))];
}

//==============================================================================
void MainEngine::prepare(juce::dsp::ProcessSpec& newSpec)
{
    prepare(static_cast<const juce::dsp::ProcessSpec&>(newSpec));
}

void MainEngine::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    spec = newSpec;
    spec.sampleRate = sanitiseSampleRate(newSpec.sampleRate);
    spec.maximumBlockSize = std::max<juce::uint32>(newSpec.maximumBlockSize, 1);

    globalData.sampleRate = spec.sampleRate;
    globalData.maxBlockSize = spec.maximumBlockSize;
    globalData.numChannels = spec.numChannels;

    noteInfos.reserve(noteInfoCapacity);
    for (auto& lane : lanes)
        lane.ensureSize(laneBufferBytes);

    unitHandler.prepare(spec);
    chainer.prepare(spec);

    // The blocks keep their channel pointers inside their own storage.
    const size_t size = spec.maximumBlockSize;
    if (size != tickCapacity)
    {
        tickBlock = juce::dsp::AudioBlock<double>(tickStorage, 1, size);
        ownModBlock = juce::dsp::AudioBlock<float>(ownModStorage, static_cast<size_t>(numModChannels), size);
        tickCapacity = size;
    }
    tickBlock.clear();
    ownModBlock.clear();

    masterClock.prepare(spec);
    for (auto& recorder : recorders)
        recorder.prepare(spec);

    // The stored tempo may never change (a host at exactly the initial tempo):
    // its derived values must be right from the start.
    pushTempo();
}

void MainEngine::reset()
{
    unitHandler.updateUnitStates();
    needsStartReset = false;
    noteHandler.reset();
    unitHandler.reset();
    masterClock.reset();
    chainer.reset();
    for (auto& recorder : recorders)
        recorder.reset();
}

//==============================================================================
double MainEngine::ppqPerSample() const noexcept
{
    return std::max(zu::finiteOr(globalData.bpm.load(), 0.0), minIncBpm) / (60.0 * spec.sampleRate);
}

void MainEngine::writeTempo(double bpm)
{
    globalData.bpm = bpm;
    globalData.invBpm = 1.0 / std::max(bpm, minIncBpm);
    globalData.samplesPerBeat = 60.0 * spec.sampleRate / std::max(bpm, minBeatBpm);
    for (auto& recorder : recorders)
        recorder.setBpm(bpm);
}

void MainEngine::pushTempo()
{
    const double bpm = globalData.bpm.load();
    writeTempo(std::isfinite(bpm) && bpm > 0.0 ? bpm : minBeatBpm);
}

void MainEngine::updateTempo(const juce::AudioPlayHead::PositionInfo& info)
{
    // A tempo that is missing or not a number keeps the stored one; zero or a
    // negative tempo takes the lowest floor.
    const auto hostBpm = info.getBpm();
    if (!hostBpm.hasValue() || !std::isfinite(*hostBpm))
        return;
    const double bpm = *hostBpm > 0.0 ? *hostBpm : minBeatBpm;
    if (bpm != globalData.bpm.load())
        writeTempo(bpm);
}

MainEngine::Transport MainEngine::readTransport(const juce::AudioPlayHead::PositionInfo& info, int numSamples)
{
    juce::ignoreUnused(numSamples);
    Transport t;

    // A host that plays without a usable position continues from where the
    // previous block ended (from 0 when play has just begun).
    const auto position = info.getPpqPosition();
    if (position.hasValue() && std::isfinite(*position))
        t.ppq = *position;
    else
        t.ppq = hasExpectedPpq ? expectedPpq : 0.0;
    globalData.ppq = t.ppq;

    // Loop points that are missing or not numbers mean no loop.
    if (info.getIsLooping())
        if (const auto loop = info.getLoopPoints(); loop.hasValue())
            if (std::isfinite(loop->ppqStart) && std::isfinite(loop->ppqEnd))
            {
                t.loopStart = loop->ppqStart;
                t.loopEnd = loop->ppqEnd;
                t.looping = t.loopStart <= t.ppq && t.ppq <= t.loopEnd;
            }

    updateTempo(info);
    return t;
}

bool MainEngine::waitsForBeat(double ppq, int numSamples)
{
    if (!startOnBeat.load() || !firstBlockAfterStop)
        return false;

    firstBlockAfterStop = false;
    startedOnBeat = false;

    // Play starts on a block that begins just after a beat. Blocks as long as
    // that window could step over it at every beat and never start: those
    // start on the block that reaches the next beat instead.
    const double beat = std::floor(ppq);
    const double blockBeats = static_cast<double>(numSamples) * ppqPerSample();
    const bool justAfterBeat = ppq - beat < startOnBeatWindow;
    const bool reachesNextBeat = blockBeats >= startOnBeatWindow && ppq + blockBeats > beat + 1.0;
    if (justAfterBeat || reachesNextBeat)
    {
        startedOnBeat = true;
        return false;
    }
    return true;
}

//==============================================================================
void MainEngine::processBlock(juce::MidiBuffer& engineInput, juce::MidiBuffer& output, InputNotes& inputNotes,
                              Position& position, int numSamples)
{
    if (numSamples < 1)
        return;

    if (noTransport.load(std::memory_order_relaxed))
    {
        globalData.bpm = 120.0;
        globalData.invBpm = 1.0 / 120.0;
        globalData.samplesPerBeat = 0.5 * globalData.sampleRate.load();
        Transport t;
        t.ppq = -1.0;
        if (preparedBlockSize() > 0)
            processPlayingBlock(engineInput, output, inputNotes, t, std::min(numSamples, preparedBlockSize()));
        return;
    }

    bool playing = false;
    Transport transport;
    if (position.hasValue() && position->getIsPlaying())
    {
        transport = readTransport(*position, numSamples);
        // Nothing plays before the engine has been prepared.
        playing = transport.ppq >= 0.0 && preparedBlockSize() > 0 && !waitsForBeat(transport.ppq, numSamples);
    }

    if (!playing)
    {
        processStoppedBlock(output, numSamples);
        return;
    }

    if (needsStartReset)
        startPlay();

    // The processor prepares for every larger block first; should a larger one
    // arrive anyway, only the prepared part of it plays.
    processPlayingBlock(engineInput, output, inputNotes, transport, std::min(numSamples, preparedBlockSize()));
}

void MainEngine::processStoppedBlock(juce::MidiBuffer& output, int numSamples)
{
    globalData.isPlaying = false;
    needsStartReset = true;
    firstBlockAfterStop = true;
    hasExpectedPpq = false;

    unitHandler.checkAndDeleteInactiveUnits();

    if (!noteHandler.isEmpty())
        noteHandler.allActiveNotesOff(output, numSamples);

    if (wasPlaying)
    {
        wasPlaying = false;
        for (size_t k = 0; k < recorders.size(); ++k)
        {
            if (globalData.recRunning[k].exchange(false) && k == 0)
                globalData.recStateChanged = true;
            globalData.recArmed[k] = false;
        }
    }
}

void MainEngine::startPlay()
{
    for (size_t k = 0; k < recorders.size(); ++k)
        if (globalData.recRunning[k].exchange(false) && k == 0)
            globalData.recStateChanged = true;

    // A loop state left from before the stop must not hold back the units.
    nearLoopEnd = false;
    lastLoopPpq = -1.0;
    loopPassEnded = false;
    // Tempo values right before the recorders start their takes.
    pushTempo();
    reset();
}

int MainEngine::handleLoop(const Transport& transport, int numSamples)
{
    const double ppq = transport.ppq;
    const double inc = ppqPerSample();
    const double blockEnd = ppq + static_cast<double>(numSamples) * inc;
    int wrapSample = -1;

    if (transport.loopEnd - blockEnd < nearLoopEndDistance)
        nearLoopEnd = true;

    if (nearLoopEnd)
    {
        if (blockEnd > transport.loopEnd)
        {
            wrapSample = numSamples - 1;
            double x = ppq;
            for (int i = 0; i < numSamples; ++i)
            {
                x += inc;
                if (x > transport.loopEnd)
                {
                    wrapSample = i;
                    break;
                }
            }
        }

        // A new pass: back at the loop start, jumped backwards, or the previous
        // block ran past the loop end. A block that merely starts close to the
        // loop start is no new pass: in a loop shorter than about half a beat
        // every block does, and restarting there would retrigger the units in
        // every block near the loop end.
        if (ppq == transport.loopStart || ppq <= lastLoopPpq || loopPassEnded)
        {
            chainer.reset();
            unitHandler.reset();
            nearLoopEnd = false;
        }
    }

    loopPassEnded = blockEnd > transport.loopEnd;
    lastLoopPpq = ppq;
    return wrapSample;
}

juce::dsp::AudioBlock<float> MainEngine::modulationFor(int numSamples) noexcept
{
    const auto n = static_cast<size_t>(numSamples);
    if (modBlock.getNumChannels() >= static_cast<size_t>(numModChannels) && modBlock.getNumSamples() >= n)
        return modBlock.getSubsetChannelBlock(0, numModChannels).getSubBlock(0, n);
    return ownModBlock.getSubBlock(0, n);
}

void MainEngine::processPlayingBlock(juce::MidiBuffer& engineInput, juce::MidiBuffer& output, InputNotes& inputNotes,
                                     const Transport& transport, int numSamples)
{
    const double ppq = transport.ppq;

    globalData.isPlaying = true;
    wasPlaying = true;
    int wrapSample = -1;
    if (transport.looping)
        wrapSample = handleLoop(transport, numSamples);
    else
    {
        nearLoopEnd = false; // a host that left its loop or jumped away must not freeze the units
        loopPassEnded = false;
    }
    lastWrapSample = wrapSample;

    // Master clock: one cycle per bar, scaled to ticks of 960 per quarter note.
    auto ticks = tickBlock.getSubBlock(0, static_cast<size_t>(numSamples));
    double inc = 0.0;
    double stepLen = 0.0;
    masterClock.updateSamplesPerBeat();
    masterClock.processBlock(ticks, inc, ppq, -1, masterClockDivision, 0, 0.0, true, stepLen);
    ticks.multiplyBy(ticksPerBar);

    noteInfos.clear();
    for (auto& lane : lanes)
        lane.clear();

    auto modulation = modulationFor(numSamples);
    auto macroChannels = modulation.getSubsetChannelBlock(firstMacroChannel, numModChannels - firstMacroChannel);
    macroEngine.processBlock(macroChannels, numSamples);

    applyGlobalOctTp(modulation, inputNotes, numSamples);

    if (scaleTableChanged())
        unitHandler.updateScaleTableType1();

    pitchUnitOn.fill(false);
    for (auto& list : prmSqTargetEvents)
        list.clear();

    const bool recording = globalData.recArmed[0].load();
    const bool midiMute = globalData.midiMute.load();
    if (globalData.forceResync.exchange(false))
        unitHandler.forceAllToResync();

    chainer.processBlock(ppq, nearLoopEnd, wrapSample, snapshotRequests, numSamples);

    // The units play whenever this runs: playing is always true here.
    UnitBlockContext unitBlock{
        engineInput,       output,           recording, lanes, swingHandler, noteInfos, pitchUnitOn, modulation,
        prmSqTargetEvents, snapshotRequests, octTp,     ppq,   midiMute,     true,      nearLoopEnd, wrapSample,
        numSamples};
    unitHandler.processBlock(unitBlock);

    if (recording)
        updateRecTarPchSqList();

    noteHandler.handleNoteOn(output, lanes, recorderLaneTargets, noteInfos, numSamples);
    noteHandler.processGate(output, lanes, recorderLaneTargets, pitchUnitOn, numSamples);

    for (auto& recorder : recorders)
        recorder.processBlock(lanes[static_cast<size_t>(recorder.getLaneIndex())], ticks, false, wrapSample, 0, ppq,
                              numSamples);

    expectedPpq = ppq + static_cast<double>(numSamples) * ppqPerSample();
    hasExpectedPpq = true;
}

//==============================================================================
void MainEngine::applyGlobalOctTp(juce::dsp::AudioBlock<float>& modulation, const InputNotes& inputNotes,
                                  int numSamples)
{
    const ZuDataModelBase::MyParam<int> octave = globalData.goct;
    const ZuDataModelBase::MyParam<int> transpose = globalData.gtp;

    // The stored values are kept to the parameters' ranges (-2..2 octaves,
    // -12..12 semitones), whatever a damaged state wrote.
    octTp.x = zu::clampInt(octave.value.load(), -2, 2) * 12;
    octTp.y = zu::clampInt(transpose.value.load(), -12, 12);

    // A key press in the keyboard transpose range transposes this block; the
    // last one wins.
    if (globalData.midiTp.load())
    {
        int note = -1;
        for (const auto& record : inputNotes)
            if (std::get<3>(record) == 0)
                note = zu::clampInt(std::get<0>(record), 0, 127);
        if (note >= 0)
            octTp.y = zu::clampInt(note - zu::clampInt(globalData.midiTpNote.load(), 0, 127) - 12, -12, 12);
    }

    handleParamModGlbOctTp(modulation, octTp, octave, transpose, numSamples);
}

void MainEngine::handleParamModGlbOctTp(juce::dsp::AudioBlock<float>& modulation, OctTpShift& point,
                                        ZuDataModelBase::MyParam<int> octave, ZuDataModelBase::MyParam<int> transpose,
                                        int numSamples)
{
    const auto numChannels = static_cast<int>(modulation.getNumChannels());
    const auto blockLength = static_cast<int>(modulation.getNumSamples());

    // The source channel at the read position; with no length given, the
    // channel's maximum over the block. Sources the block lacks read 0.
    auto readSource = [&](int source) -> double
    {
        if (source < 1 || source > numChannels || blockLength < 1)
            return 0.0;
        const float* channel = modulation.getChannelPointer(static_cast<size_t>(source - 1));
        if (numSamples <= 0)
            return static_cast<double>(*std::max_element(channel, channel + blockLength));
        return static_cast<double>(channel[std::min({numSamples - 1, 65, blockLength - 1})]);
    };

    // The sum of the shaped depths times their sources, or nothing when no slot applies.
    auto modulationSum = [&](const ZuDataModelBase::MyParam<int>& param, double& sum) -> bool
    {
        bool applied = false;
        sum = 0.0;
        for (int slot = 0; slot < 2; ++slot)
        {
            const int source = param.modSource[slot].load();
            const float depth = scurve->calcModDep(param.modDepth[slot].load());
            if (source >= 1 && depth != 0.0f)
            {
                sum += static_cast<double>(depth) * readSource(source);
                applied = true;
            }
        }
        if (!std::isfinite(sum))
            sum = 0.0;
        sum = std::clamp(sum, -static_cast<double>(0.999999f), static_cast<double>(0.999999f));
        return applied;
    };

    // Sums in 64 bits: the point handed in may hold anything.
    auto addAndClamp = [](int value, int offset, int limit)
    { return static_cast<int>(std::clamp<int64_t>(static_cast<int64_t>(value) + offset, -limit, limit)); };

    double m = 0.0;
    if (octave.modActive.load())
        point.x = addAndClamp(point.x, modulationSum(octave, m) ? 12 * roundHalfAway(4.0 * m) : 0, 24);
    if (transpose.modActive.load())
        point.y = addAndClamp(point.y, modulationSum(transpose, m) ? roundHalfAway(24.0 * m) : 0, 12);
}

void MainEngine::updateRecTarPchSqList()
{
    for (size_t t = 0; t < recorderLaneTargets.size(); ++t)
    {
        auto& list = recorderLaneTargets[t];
        list.clear();
        for (int u = 1; u <= 4; ++u)
            if (globalData.recTargets[t][static_cast<size_t>(u - 1)].load())
                list.push_back(u - 1);
    }
}

bool MainEngine::scaleTableChanged() const noexcept
{
    return scaleData.scaleTableChanged.load();
}
