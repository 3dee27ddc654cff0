// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeqEngineBase.h"

#include "Scurve.h"
#include "SwingHandler.h"

#include "ScaleData.h"
#include "ZuConvert.h"

#include <climits>
#include <cmath>

namespace
{
// Thresholds the trigger logic compares in double but that were chosen as
// single-precision values.
constexpr double insideStepFraction = (double) 0.01f;
constexpr double wrapPhaseFloor = (double) 1.0e-5f;

int clampDir(int d) noexcept
{
    return zu::clampInt(d, 0, SeqEngineBase::numDirections - 1);
}

// Stored window values are 1-based: start 1..32, size 1..32.
int clampWindowValue(int v) noexcept
{
    return zu::clampInt(v, 1, SeqEngineBase::numUnitSteps);
}

double indexScaleOf(int unitType) noexcept
{
    return unitType == zu::units::pitch || unitType == zu::units::cc ? SeqEngineBase::indexScaleCoarse
                                                                     : SeqEngineBase::indexScaleFine;
}

double searchScaleOf(int unitType) noexcept
{
    return unitType == zu::units::pitch ? SeqEngineBase::indexScaleCoarse : SeqEngineBase::indexScaleFine;
}

// (int) of a non-negative phase times a scale; the phase lies in [0, 1).
int phaseIndex(double phase, double scale) noexcept
{
    return zu::toIntSaturating(phase * scale);
}
} // namespace

const std::array<double, SeqEngineBase::numClockDivisions> SeqEngineBase::divRatioTable{
    1.0 / 2048, 1.0 / 1024, 1.0 / 512, 1.0 / 256, 1.0 / 128, 1.0 / 64, 1.0 / 32,
    1.0 / 16,   1.0 / 8,    1.0 / 4,   1.0 / 2,   1.0,       2.0,      4.0};

SeqEngineBase::SeqEngineBase(MirabelGlobalData& global, ScaleData& scale, ChordData& chord, LfoData& lfo,
                             const Scurve& depthCurve, const DispShareData& displayTables, int type, int index, int id)
    : scurve(depthCurve), dispShare(displayTables), clock(global), unitType(zu::clampInt(type, 0, zu::units::ccRack)),
      unitIndex(zu::clampInt(index, 0, SeqDataBase::maxUnits - 1)), engineId(zu::clampInt(id, 0, 14)),
      indexScale(indexScaleOf(unitType)), searchScale(searchScaleOf(unitType)),
      holdExtraSamples(unitType == zu::units::pitch ? 0 : 64), globalData(global), scaleData(scale), chordData(chord),
      lfoData(lfo), modHandler(global, lfo, engineId)
{
    const int zeros[StepOrderQueue::capacity] = {};
    stepTrigList.assign(zeros, numUnitSteps);
    pingPongTrigList.assign(zeros, numUnitSteps);
    juce::ignoreUnused(dispShare, scaleData, chordData, lfoData);
}

SeqEngineBase::~SeqEngineBase() = default;

//==============================================================================
void SeqEngineBase::prepareBase(const juce::dsp::ProcessSpec& newSpec)
{
    spec = newSpec;
    const int needed = (int) juce::jmin(newSpec.maximumBlockSize, (juce::uint32) INT_MAX);
    if ((int) phaseStorage.size() < needed)
        phaseStorage.resize((size_t) needed);
    std::fill(phaseStorage.begin(), phaseStorage.end(), 0.0);
    phaseCapacity = (int) phaseStorage.size();
    clock.prepare(newSpec);

    juce::Random seedSource;
    seedSource.setSeedRandomly();
    seedRandom(seedSource.nextInt64());
}

void SeqEngineBase::prepareClockedUnit(const juce::dsp::ProcessSpec& newSpec)
{
    prepareBase(newSpec);
    modHandler.prepare(newSpec);
    baseReset();
}

void SeqEngineBase::prepareRackUnit(const juce::dsp::ProcessSpec& newSpec)
{
    spec = newSpec;
    juce::Random seedSource;
    seedSource.setSeedRandomly();
    seedRandom(seedSource.nextInt64());
    modHandler.prepare(newSpec);
    baseReset();
}

void SeqEngineBase::seedRandom(juce::int64 seed) noexcept
{
    random.setSeed(seed);
    shuffleEngine.seed((std::mt19937::result_type)(seed ^ (seed >> 32)));
}

void SeqEngineBase::baseReset()
{
    stepCounter = -1;
    clock.reset();
    lastPhaseIdx = -1;
    lastPhase = 0.0;
    cycleCount = 0;
    regenTrigList = true;
    lastStrt = -1;
    startFlag = true;
    trigHoldSamples = 0;
    modHandler.reset();
}

void SeqEngineBase::resetCounter()
{
    stepTrigList.clear();
    pingPongTrigList.clear();
}

void SeqEngineBase::setResetFlag()
{
    resetFlag = true;
}

void SeqEngineBase::setReSyncFlag()
{
    resyncFlag = true;
}

void SeqEngineBase::bpmChanged()
{
    clock.bpmChanged();
}

int SeqEngineBase::getDisplayIndex() const noexcept
{
    return zu::units::displayIndexOf(unitType, unitIndex);
}

//==============================================================================
// Step order

void SeqEngineBase::generateStepTrigList()
{
    int offsets[StepOrderQueue::capacity];
    const int n = zu::clampInt(curSize, 0, StepOrderQueue::capacity);
    for (int i = 0; i < n; ++i)
        offsets[i] = i;
    stepTrigList.assign(offsets, n);
    pingPongTrigList.assign(offsets, n);
    trigListSize = curSize;
}

void SeqEngineBase::generateRnd2TrigList(int n)
{
    int offsets[StepOrderQueue::capacity];
    n = zu::clampInt(n, 0, StepOrderQueue::capacity);
    for (int i = 0; i < n; ++i)
        offsets[i] = i;
    // Fisher-Yates over the generator seeded when the engine was prepared.
    for (int i = n - 1; i > 0; --i)
    {
        std::uniform_int_distribution<int> pick(0, i);
        std::swap(offsets[i], offsets[pick(shuffleEngine)]);
    }
    rnd2TrigList.assign(offsets, n);
}

bool SeqEngineBase::checkCurStepInRange(int step, int start, int size)
{
    if (size == numSteps)
        return true;
    if (size <= 0)
        return false;
    for (int k = 0; k < size; ++k)
        if (step == (start + k) % numSteps)
            return true;
    return false;
}

void SeqEngineBase::rebuildStepLists()
{
    regenTrigList = false;
    generateStepTrigList();
}

SeqEngineBase::PassResult SeqEngineBase::stepProcessPass(int& drawCounter)
{
    const bool pingPong = curDir == 2 || curDir == 3;
    if (pingPong ? (stepTrigList.empty() && pingPongTrigList.empty()) : stepTrigList.empty())
        regenTrigList = true;

    if (curStrt != lastStrt)
    {
        lastStrt = curStrt;
        rebuildStepLists();
    }
    else if (trigListSize == -1 || regenTrigList)
    {
        rebuildStepLists();
    }

    auto takeForward = [this]
    {
        const int k = stepTrigList.front();
        stepTrigList.popFront();
        return (k + curStrt) % numSteps;
    };
    auto backwardStep = [this](int k) { return (curSize - 1 - k + curStrt) % numSteps; };

    bool skip = false;
    switch (curDir)
    {
    case 0:
        if (stepTrigList.empty())
        {
            curStep = -1;
            return PassResult::done;
        }
        curStep = takeForward();
        break;

    case 1:
        if (stepTrigList.empty())
        {
            curStep = -1;
            return PassResult::done;
        }
        {
            const int k = stepTrigList.front();
            stepTrigList.popFront();
            curStep = backwardStep(k);
        }
        break;

    case 2:
    case 3:
        if (!stepTrigList.empty())
        {
            curStep = takeForward();
            break;
        }
        if (pingPongTrigList.empty())
        {
            curStep = -1;
            return PassResult::done;
        }
        {
            const int k = pingPongTrigList.front();
            pingPongTrigList.popFront();
            curStep = backwardStep(k);
            // "><1" does not repeat the window's two end steps on the way back.
            if (curDir == 2 && (curStep == (curSize - 1 + curStrt) % numSteps || curStep == curStrt))
                skip = true;
        }
        break;

    case 4:
    {
        drawCounter = 0;
        bool found = false;
        while (drawCounter < maxRandomDraws)
        {
            const int k = random.nextInt(juce::jmax(curSize, 1));
            curStep = (k + curStrt) % numSteps;
            if (checkCurStepInRange(curStep, curStrt, curSize))
            {
                stepTrigList.popFront();
                found = true;
                break;
            }
            ++drawCounter;
        }
        if (!found)
        {
            curStep = -1;
            return PassResult::done;
        }
        break;
    }

    case 5:
    default:
        if (rnd2TrigList.empty())
        {
            // The first shuffle keeps the step the frame proposed for this call.
            generateRnd2TrigList(curSize);
            break;
        }
        {
            drawCounter = 0;
            bool found = false;
            while (drawCounter < maxRandomDraws)
            {
                const int k = rnd2TrigList.back();
                rnd2TrigList.popBack();
                curStep = (k + curStrt) % numSteps;
                if (rnd2TrigList.empty())
                    generateRnd2TrigList(curSize);
                if (checkCurStepInRange(curStep, curStrt, curSize))
                {
                    stepTrigList.popFront();
                    found = true;
                    break;
                }
                ++drawCounter;
            }
            if (!found)
            {
                curStep = -1;
                return PassResult::done;
            }
        }
        break;
    }

    curStep = zu::clampInt(curStep, -1, numSteps - 1);

    if (!checkCurStepInRange(curStep, curStrt, curSize) || skip)
        return PassResult::retry;
    return PassResult::done;
}

void SeqEngineBase::stepProcess(ModBlock&, MyParam<int>, MyParam<int>, MyParam<int>, double, int, int& counter)
{
    // Values that come from elsewhere than the frame (a derived engine, a
    // damaged state) are kept to their ranges here, where they select a mode
    // and bound the window.
    curDir = clampDir(curDir);
    curStrt = zu::clampInt(curStrt, 0, numSteps - 1);
    curSize = clampWindowValue(curSize);

    // Each pass consumes a list entry or draws afresh; a step outside the
    // window, or an end step that "><1" skips, moves on to the next one.
    counter = 0;
    for (int pass = 0;; ++pass)
    {
        int drawCounter = 0;
        if (stepProcessPass(drawCounter) == PassResult::done || pass >= maxStepRetries)
            return;
        ++counter;
    }
}

//==============================================================================
// Modulation

int SeqEngineBase::roundHalfAway(double x) noexcept
{
    return x >= 0.0 ? zu::toIntSaturating(std::floor(x + 0.5)) : -zu::toIntSaturating(std::floor(0.5 - x));
}

int SeqEngineBase::modReadPosition(int stepSamplePos, int numSamples) noexcept
{
    return juce::jmin(numSamples - 1, juce::jmax(stepSamplePos, earliestModReadSample));
}

float SeqEngineBase::readModSample(const ModBlock& modBlock, int channel, int sample) noexcept
{
    if (channel < 0 || (size_t) channel >= modBlock.getNumChannels() || sample < 0 ||
        (size_t) sample >= modBlock.getNumSamples())
        return 0.0f;
    const float v = modBlock.getSample(channel, sample);
    return std::isfinite(v) ? v : 0.0f;
}

float SeqEngineBase::curvedDepth(float depth) const noexcept
{
    const float d = scurve.calcModDep(depth);
    return std::isfinite(d) ? d : 0.0f;
}

void SeqEngineBase::handleParamModDirStrtSize(ModBlock& modBlock, MyParam<int> dir, MyParam<int> strt,
                                              MyParam<int> size, int numSamples)
{
    const int pos = modReadPosition(stepSamplePos, numSamples);

    if (dir.modActive)
    {
        const float m = modulationSum(modBlock, dir, 2, pos);
        int d = roundHalfAway((double) m * 5.0 + curDir);
        if (d < 0)
        {
            d += numDirections;
            if (d < 0)
                d = 0;
        }
        if (d > numDirections - 1)
            d %= numDirections;
        curDir = d;
    }

    if (strt.modActive)
    {
        const float m = modulationSum(modBlock, strt, 2, pos);
        curStrt = zu::clampInt(roundHalfAway((double) m * 31.0 + curStrt), 0, numSteps - 1);
    }

    if (size.modActive)
    {
        const float m = modulationSum(modBlock, size, 2, pos);
        int s = roundHalfAway((double) m * 31.0 + curSize);
        if (s > numSteps)
            s = numSteps;
        if (s <= 0)
            s = 1;
        curSize = s;
    }
}

void SeqEngineBase::handleParamModClock(ModBlock& modBlock, MyParam<int> sclk, int samplePos, int numSamples)
{
    if (!sclk.modActive)
        return;
    const float m = modulationSum(modBlock, sclk, 2, modReadPosition(samplePos, numSamples));
    if (clockSync)
        clockDiv = zu::clampInt(clockDiv + roundHalfAway((double) m * 13.0), 0, numClockDivisions - 1);
    else
        freeRate = juce::jlimit(1.0e-7, 0.9999999, freeRate + (double) m);
}

void SeqEngineBase::handleParamModStepOnOff(ModBlock& modBlock, bool& on, MyParam<int> spwr, int, int samplePos,
                                            int numSamples)
{
    if (!spwr.modActive)
        return;
    float m = modulationSum(modBlock, spwr, 1, modReadPosition(samplePos, numSamples));
    if (on)
        m += 1.0f;
    on = juce::jlimit(0.0f, 1.0f, m) > 0.5f;
}

void SeqEngineBase::handleParamModStepOnOffProb(ModBlock& modBlock, bool& on, MyParam<int> spwr, float& prob,
                                                MyParam<float> probParam, int step, int samplePos, int numSamples)
{
    handleParamModStepOnOff(modBlock, on, spwr, step, samplePos, numSamples);

    // A probability that is not a number counts as missing: the step plays.
    if (!std::isfinite(prob))
        prob = 1.0f;
    if (probParam.modActive)
    {
        const float m = modulationSum(modBlock, probParam, 1, modReadPosition(samplePos, numSamples));
        prob = juce::jlimit(0.0f, 1.0f, prob + m);
    }

    if (on && prob < 1.0f)
        on = random.nextFloat() < prob;
}

void SeqEngineBase::handleParamModSwing(ModBlock& modBlock, MyParam<float> swing, int samplePos, int numSamples)
{
    if (!swing.modActive)
        return;
    const float m = modulationSum(modBlock, swing, 2, modReadPosition(samplePos, numSamples));
    swingAmount = juce::jlimit(-1.0, 1.0, 2.0 * (double) m + swingAmount);
}

namespace
{
// a + b kept to lo..hi without overflow, whatever the operands hold.
int addClamped(int a, int b, int lo, int hi) noexcept
{
    const juce::int64 sum = (juce::int64) a + (juce::int64) b;
    return (int) juce::jlimit((juce::int64) lo, (juce::int64) hi, sum);
}

// The 0..1 values of a step: at or above 1 they are 1, at or below 0 they are 0.
float addUnitRange(float value, float amount) noexcept
{
    const float x = value + amount;
    if (x >= 1.0f)
        return 1.0f;
    if (!(x > 0.0f))
        return 0.0f;
    return x;
}
} // namespace

void SeqEngineBase::handleParamModOctTpStepPrms(ModBlock& modBlock, int& unitOctave, MyParam<int> goct, int& transpose,
                                                MyParam<int> tp, int& pitch, MyParam<int> pch, int& stepOctave,
                                                MyParam<int> oct, float& velocity, MyParam<float> vel, float& gate,
                                                MyParam<float> gateParam, float& probability, MyParam<float> prob,
                                                bool& slur, MyParam<int> slr, int, int samplePos, int numSamples)
{
    const int pos = modReadPosition(samplePos, numSamples);

    if (goct.modActive)
    {
        const float x = modulationSum(modBlock, goct, 2, pos);
        unitOctave = addClamped(unitOctave, 12 * roundHalfAway(6.0 * (double) x), -36, 36);
    }
    if (tp.modActive)
    {
        const float x = modulationSum(modBlock, tp, 2, pos);
        transpose = addClamped(transpose, roundHalfAway(24.0 * (double) x), -12, 12);
    }
    if (pch.modActive)
    {
        const float x = modulationSum(modBlock, pch, 2, pos);
        pitch = addClamped(pitch, roundHalfAway(12.0 * (double) x), 0, 127);
    }
    if (oct.modActive)
    {
        const float x = modulationSum(modBlock, oct, 2, pos);
        stepOctave = addClamped(stepOctave, 12 * roundHalfAway(4.0 * (double) x), -24, 24);
    }
    if (vel.modActive)
        velocity = addUnitRange(velocity, modulationSum(modBlock, vel, 1, pos));
    if (gateParam.modActive)
        gate = addUnitRange(gate, modulationSum(modBlock, gateParam, 1, pos));
    if (prob.modActive)
        probability = addUnitRange(probability, modulationSum(modBlock, prob, 1, pos));
    if (slr.modActive && !slur)
    {
        // Modulation can turn a slur on, never off.
        const float x = juce::jlimit(0.0f, 1.0f, modulationSum(modBlock, slr, 1, pos));
        slur = x >= 0.5f;
    }
}

void SeqEngineBase::handleParamModRelBaseNote(ModBlock& modBlock, int& baseNote, MyParam<int> relbn, int& relPitch,
                                              MyParam<int> relpch, int, int samplePos, int numSamples)
{
    const int pos = modReadPosition(samplePos, numSamples);

    if (relbn.modActive)
    {
        // The square: modulation of either sign raises the base note.
        const float x = modulationSum(modBlock, relbn, 2, pos);
        baseNote = addClamped(baseNote, zu::toIntSaturating((double) (x * x * 127.0f + 0.5f)), 0, 127);
    }
    if (relpch.modActive)
    {
        const float x = modulationSum(modBlock, relpch, 2, pos);
        relPitch = addClamped(relPitch, roundHalfAway(24.0 * (double) x), -12, 12);
    }
}

void SeqEngineBase::processHumanizeVelGate(float& velocity, float& gate, float amount)
{
    auto vary = [this](float& value, float range)
    {
        const float r = random.nextFloat();
        const float sign = random.nextBool() ? 1.0f : -1.0f;
        value = juce::jmax(juce::jmin(value + sign * r * range, 0.999999f), 0.01f);
    };
    if (velocity > 0.0f)
        vary(velocity, 0.2f * amount);
    if (gate > 0.0f)
        vary(gate, 0.08f * amount);
}

void SeqEngineBase::processScaleType1(int& note, int transpose)
{
    const bool transposeAfter = scaleData.scaleOrder.load() == 1;
    const juce::int64 root = zu::clampInt(scaleData.scaleRoot.load(), 0, 11);
    const juce::int64 t = transpose;

    const juce::int64 x = transposeAfter ? (juce::int64) note : (juce::int64) note + t;
    juce::int64 r;
    if (scaleData.rootShift)
    {
        // The quantised melody moves up by the root. A note pushed below 0 by
        // the transpose still has a pitch class: the one of its octave below.
        const int pc = (int) (((x % 12) + 12) % 12);
        r = x - pc + scaleTable[(size_t) pc] + root;
    }
    else
    {
        // The scale is laid from the root: the note keeps its place.
        const juce::int64 y = juce::jmax(x - root, (juce::int64) 0);
        const int pc = (int) (y % 12);
        r = y - pc + scaleTable[(size_t) pc] + root;
    }

    if (r < 0)
    {
        note = -1;
        return;
    }
    r = juce::jmin(r, (juce::int64) 127);
    if (transposeAfter)
        r = juce::jlimit((juce::int64) 0, (juce::int64) 127, r + t);
    note = (int) r;
}

void SeqEngineBase::processScaleType2(int&, int, const std::array<int, 12>&) {}

void SeqEngineBase::prepareTrigChordList(int shift, const std::array<int, 5>& notes)
{
    for (size_t k = 0; k < trigChordList.size(); ++k)
    {
        int n = addClamped(notes[k], -1, INT_MIN, INT_MAX);
        if (n >= 0 && shift != 0)
        {
            n = addClamped(n, shift, INT_MIN, INT_MAX);
            if (n > 127)
                n = -1;
        }
        trigChordList[k] = n < 0 ? -1 : n;
    }
}

void SeqEngineBase::updateScaleTableType1() noexcept
{
    if (!scaleData.copyTableIfChanged(scaleTable))
        scaleData.copyTable(scaleTable);
}

void SeqEngineBase::copyScaleTableType1() noexcept
{
    scaleData.copyTable(scaleTable);
}

void SeqEngineBase::stepProbProcess(const float& prob, bool& on)
{
    if (prob < 1.0f)
        on = random.nextFloat() < prob;
}

//==============================================================================
// Modulation slots and swing

void SeqEngineBase::processModEngine(ModBlock& modBlock, float ppq, bool playing, int wrapSample, bool nearLoopEnd,
                                     int numSamples)
{
    modHandler.processBlock(modBlock, ppq, playing, wrapSample, nearLoopEnd, numSamples);
}

void SeqEngineBase::resyncModEngine() noexcept
{
    modHandler.setResyncRequest();
}

void SeqEngineBase::updateSwingState(int n) noexcept
{
    swingParam = globalData.swing;
    const float value = swingParam.value;
    swingAmount = std::isfinite(value) ? (double) value : 0.0;
    swingOn = n >= 0 && n < MirabelGlobalData::numSeqUnits && globalData.swgTar[(size_t) n];
}

bool SeqEngineBase::isSwingActiveForThisUnit() const noexcept
{
    return swingOn && (swingAmount != 0.0 || swingParam.modActive);
}

void SeqEngineBase::swingProcess(PhaseBlock& phaseBlock, ModBlock& modBlock, SwingHandler& swing, int numSamples)
{
    // Swing reads its modulation at sample 65 (or the last), whatever the step's sample.
    handleParamModSwing(modBlock, swingParam, 0, numSamples);
    swing.processBlock(phaseBlock, swingAmount, numSamples);
}

void SeqEngineBase::getLocalPhFromMasterPh(double masterPh, double& localPh, double x, double& y, int divIndex,
                                           int) const noexcept
{
    const double r = divRatioTable[(size_t) zu::clampInt(divIndex, 0, numClockDivisions - 1)];
    localPh = std::fmod(masterPh * r, 1.0);
    y = x * r;
}

double SeqEngineBase::padePowTwenty(double v) noexcept
{
    const double h = v * 2.995732273553991; // ln 20
    const double num = (((h + 20.0) * h + 180.0) * h + 840.0) * h + 1680.0;
    const double den = (((h - 20.0) * h + 180.0) * h - 840.0) * h + 1680.0;
    return num / den;
}

double SeqEngineBase::freeRateHz(double v) noexcept
{
    return 0.01 + (padePowTwenty(v) - 1.0) * 1.0521052631578947; // 19.99 / 19
}

//==============================================================================
// Per-block frame

int SeqEngineBase::takeSnapshotRequest(int request, int pendingSnapshot, int currentSnapshot)
{
    resetThisBlock = false;

    int r = request;
    if (r < 0)
    {
        // Anything but 0..7 in the model means "no pending snapshot".
        r = pendingSnapshot >= 0 && pendingSnapshot < SeqDataBase::numSnapshots ? pendingSnapshot : -1;
        if (r < 0)
            r = zu::clampInt(currentSnapshot, 0, SeqDataBase::numSnapshots - 1);
    }

    if (r > SeqDataBase::numSnapshots - 1)
    {
        snapIndex = 0;
        resetThisBlock = true;
        baseReset();
    }
    else
    {
        snapIndex = juce::jmax(r, 0);
    }
    return snapIndex;
}

void SeqEngineBase::runModulationSlots(ModBlock& modBlock, double ppq, bool playing, int wrapSample, bool nearLoopEnd,
                                       int numSamples)
{
    if (resyncFlag || startFlag)
        resyncModEngine();
    processModEngine(modBlock, (float) ppq, playing, wrapSample, nearLoopEnd, numSamples);
}

void SeqEngineBase::beginBlockSettings(const BlockSettings& settings, int numSamples)
{
    updateSwingState(getDisplayIndex());
    if (trigHoldSamples > 0)
        trigHoldSamples = juce::jmax(trigHoldSamples - juce::jmax(numSamples, 0), 0);

    unitOn = settings.unitOn;
    resetFlag = false;
    trigFlag = false;
    stepSamplePos = 0;
    curPhaseIdx = 0;

    clockSync = settings.clockSync;
    clockType = zu::clampInt(settings.clockType, 0, 2);
    const float knob = settings.freeRate;
    freeRate = std::isfinite(knob) ? juce::jlimit(0.0, 1.0, (double) knob) : 0.3;
    clockDiv = zu::clampInt(settings.clockDiv, 0, numClockDivisions - 1);
    restartLength = settings.restartLength;
}

void SeqEngineBase::applyClockRequests(const std::pair<bool, bool>& resetResync, bool modelResyncRequest) noexcept
{
    const int target = getDisplayIndex();
    const bool isTarget =
        target >= 0 && target < MirabelGlobalData::numSeqUnits && globalData.rebtnTar[(size_t) target];
    if (resetResync.first && isTarget)
        restartPending = true;
    if (((resetResync.second && isTarget) || modelResyncRequest) && clockSync)
        startFlag = true;
}

int SeqEngineBase::frameLength(int numSamples) const noexcept
{
    return juce::jlimit(0, phaseCapacity, numSamples);
}

SeqEngineBase::PhaseBlock SeqEngineBase::phaseView(int numSamples) noexcept
{
    // The block refers to the channel list, so the list lives in the engine.
    phaseChannel[0] = phaseStorage.data();
    return PhaseBlock(phaseChannel.data(), 1, (size_t) frameLength(numSamples));
}

bool SeqEngineBase::runClockAndTrigger(ModBlock& modBlock, const MyParam<int>& sclk, SwingHandler& swing, double ppq,
                                       bool nearLoopEnd, int wrapSample, int numSamples)
{
    handleParamModClock(modBlock, sclk, stepSamplePos, numSamples);

    if (!clockSync)
    {
        freeRate = freeRateHz(freeRate);
        if ((resyncFlag || startFlag) && ppq > 0.0)
        {
            // Where the free clock would be had it run at this rate since position 0.
            double inc = 0.0;
            clock.calcPhseIncFactor2(inc, freeRate);
            clock.setPosVal(inc * (double) globalData.samplesPerBeat * std::abs(ppq));
        }
    }

    const int n = frameLength(numSamples);
    if (n < 1)
    {
        // Nothing to clock: a block without samples holds no step.
        if (!unitOn)
            publishDisplay(-1);
        wrapped = false;
        return false;
    }

    auto phases = phaseView(n);
    double inc = 0.0;
    clock.updateSamplesPerBeat();
    clock.processBlock(phases, inc, ppq, wrapSample, clockDiv, clockType, freeRate, clockSync, stepLen);
    const double* phase = phaseStorage.data();

    // Cycle count and wrap detection from the phase before any swing.
    const double x = phase[n - 1];
    if (x < lastPhase)
    {
        if (x >= wrapPhaseFloor)
        {
            if (cycleCount < INT_MAX)
                ++cycleCount;
            wrapped = true;
            lastPhase = x;
        }
    }
    else
    {
        lastPhase = x;
    }

    if (isSwingActiveForThisUnit())
        swingProcess(phases, modBlock, swing, n);

    curPhaseIdx = phaseIndex(phase[n - 1], indexScale);

    if (decideTrigger(phase, nearLoopEnd))
        return true;

    if (!unitOn)
        publishDisplay(-1);
    wrapped = false;
    return false;
}

bool SeqEngineBase::decideTrigger(const double* phase, bool nearLoopEnd) noexcept
{
    const int i = curPhaseIdx;
    int last = lastPhaseIdx;
    const double p0 = phase[0] * indexScale;
    const int i0 = zu::toIntSaturating(p0);
    // The block starts inside a sixteenth that had already begun.
    const bool startsInsideStep = i0 == i && (p0 - std::floor(p0)) > insideStepFraction;

    trigFlag = false;
    bool candidate = false;
    if (wrapped && startsInsideStep)
    {
        last = i;
    }
    else if (nearLoopEnd || i == last)
    {
    }
    else if (i < last)
    {
        if (wrapped)
        {
            wrapped = false;
            last = i;
            trigFlag = true;
            candidate = true;
        }
    }
    else
    {
        const bool hadIndex = last != -1;
        last = i;
        trigFlag = true;
        if (startsInsideStep && hadIndex)
            trigFlag = false;
        else
            candidate = true;
    }

    bool step = false;
    if (candidate)
    {
        if (trigHoldSamples > 0)
        {
            last = i;
            trigFlag = false;
        }
        else
        {
            step = true;
        }
    }
    if (!step && trigHoldSamples > 0)
        last = i;

    lastPhaseIdx = last;
    return step;
}

bool SeqEngineBase::beginStep(ModBlock& modBlock, const MyParam<int>& dir, const MyParam<int>& strt,
                              const MyParam<int>& size, double ppq, int numSamples)
{
    const int n = frameLength(numSamples);
    const double* phase = phaseStorage.data();

    if (stepCounter < INT_MAX)
        ++stepCounter;
    curSize = clampWindowValue(size.value);
    if (restartPending)
    {
        restartPending = false;
        resetCounter();
    }
    stepSamplePos = 0;
    for (int j = 0; j < n; ++j)
    {
        if (phaseIndex(phase[j], searchScale) == curPhaseIdx)
        {
            stepSamplePos = j;
            break;
        }
    }

    bool didReset = false;
    if (resetFlag)
    {
        baseReset();
        didReset = true;
    }

    if ((resyncFlag || startFlag) && n >= 1)
        realign(modBlock, dir, strt, size, phase, ppq, n);

    if (clockSync)
        trigHoldSamples = clock.len128Samples + holdExtraSamples;

    // A provisional step, which the step order replaces (the first "??" round keeps it).
    if (unitType == zu::units::pitch)
        curStep = juce::jmax(stepCounter % numSteps, 0);
    else
        curStep = stepCounter > 0 ? stepCounter % curSize : juce::jmax(stepCounter, 0);

    curDir = curSize > 1 ? clampDir(dir.value) : 0;
    curStrt = clampWindowValue(strt.value) - 1;

    handleParamModDirStrtSize(modBlock, dir, strt, size, numSamples);
    return didReset;
}

void SeqEngineBase::realign(ModBlock& modBlock, const MyParam<int>& dir, const MyParam<int>& strt,
                            const MyParam<int>& size, const double* phase, double ppq, int numSamples)
{
    resyncFlag = false;
    startFlag = false;

    cycleCount = zu::toIntSaturating(std::floor(ppq * 0.25 * cyclesPerBar));
    const juce::int64 counted = juce::jmax((juce::int64) cycleCount * 16, (juce::int64) 0);
    stepCounter = (int) juce::jmin(counted, (juce::int64) INT_MAX);
    curPhaseIdx = lastPhaseIdx = phaseIndex(phase[numSamples - 1], indexScale);
    generateStepTrigList();

    // Bring the step order to where the host position puts it, with the
    // direction and start of the previous step and this step's size.
    if (stepCounter >= 0)
    {
        const int k = (int) (((juce::int64) curPhaseIdx + stepCounter) % numSteps);
        for (int s = 0; s < k; ++s)
        {
            stepProcCounter = 0;
            stepProcess(modBlock, dir, strt, size, ppq, numSamples, stepProcCounter);
        }
    }
}

void SeqEngineBase::chooseStep(ModBlock& modBlock, const MyParam<int>& dir, const MyParam<int>& strt,
                               const MyParam<int>& size, double ppq, int numSamples)
{
    stepProcCounter = 0;
    stepProcess(modBlock, dir, strt, size, ppq, numSamples, stepProcCounter);
}

void SeqEngineBase::publishCurrentStep() noexcept
{
    publishDisplay(unitOn && !resetThisBlock ? curStep : -1);
}

void SeqEngineBase::publishDisplay(int value) noexcept
{
    const int index = getDisplayIndex();
    if (index >= 0 && index < numDisplayEntries)
        globalData.curSteps[(size_t) index] = value;
}

void SeqEngineBase::checkRestartLength() noexcept
{
    if (restartLength > 0 && stepCounter % restartLength >= restartLength - 1)
        restartPending = true;
}

void SeqEngineBase::endBlock() noexcept
{
    if (trigFlag && stepCounter > 0)
        stepCounter %= INT_MAX;
    wrapped = false;
}

void SeqEngineBase::restoreConstructionState() noexcept
{
    const int zeros[StepOrderQueue::capacity] = {};
    stepProcCounter = 0;
    regenTrigList = false;
    resetThisBlock = false;
    trigListSize = -1;
    stepTrigList.assign(zeros, numUnitSteps);
    pingPongTrigList.assign(zeros, numUnitSteps);
    rnd2TrigList.clear();
    unitOn = true;
    snapIndex = 0;
    startFlag = false;
    trigHoldSamples = 0;
    cyclesPerBar = 1.0;
    resetFlag = false;
    restartLength = 0;
    restartPending = false;
    resyncFlag = false;
    cycleCount = 0;
    clockSync = true;
    clockDiv = 11;
    clockType = 0;
    freeRate = 0.3;
    swingOn = false;
    swingAmount = 0.0;
    swingParam = MyParam<float>{};
    trigFlag = false;
    stepSamplePos = 0;
    curPhaseIdx = 0;
    curDir = 0;
    curStrt = 0;
    curSize = 0;
    curStep = 0;
    lastPhase = 0.0;
    stepCounter = 0;
    lastPhaseIdx = -1;
    wrapped = false;
    lastStrt = 0;
    stepLen = 0.0;
    clock.reset();
    modHandler.reset();
    scaleTable = identityScaleTable();
    trigChordList.fill(-1);
    humanizeFlag = false;
    humanizeAmount = 0.0f;
    prmSqTarStates.fill(false);
}
