// SPDX-License-Identifier: GPL-3.0-or-later
#include "LfoSahEngine2.h"

#include "MirabelGlobalData.h"
#include "ZuConvert.h"

#include <algorithm>
#include <climits>
#include <cmath>

using namespace zu::lfo;

LfoSahEngine2::LfoSahEngine2(MirabelGlobalData& global, int slot) : ZuKolt_ModEngineBase(global, slot)
{
    weights.fill(50);
}

LfoSahEngine2::~LfoSahEngine2() = default;

void LfoSahEngine2::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    spec = newSpec;
    phaseBuffer.prepare(newSpec.maximumBlockSize);

    phasor.prepare(newSpec);
    phasor.setSyncedState(0.0f);
    slide.prepare(newSpec);
    sahSmoother.reset((int) std::floor(0.001 * newSpec.sampleRate));
    reset();
}

void LfoSahEngine2::reset()
{
    phasor.reset();
    lastProbPhase = 1.0f;
    drawHoldoff = 0;
}

void LfoSahEngine2::restoreConstructionState() noexcept
{
    phasor = ZuSsePhasor<float>();
    sahSmoother.setCurrentAndTargetValue(0.0f);
    lastSahPhase = 0.0f;
    sahValue = 0.0f;
    resyncEachBlock = true;
    drawHoldoff = 0;
    slide = zu::zudsp::ZuSlide<float>();
    weights.fill(50);
    lastProbPhase = 1.0f;
    probWave = 0;
    subBlockEnd = 0;
}

float LfoSahEngine2::readWavetable(int waveform, float x) const noexcept
{
    return wavetables[(size_t) juce::jlimit(0, LfoData::numWaveforms - 1, waveform)].processSample(x);
}

float LfoSahEngine2::hostPosition() const noexcept
{
    return (float) globalData.ppq.load();
}

float LfoSahEngine2::positionAfterSubBlock() const noexcept
{
    const double samplesPerBeat = (double) phasor.getSamplesPerBeat();
    return (float) (globalData.ppq.load() + (samplesPerBeat > 0.0 ? subBlockEnd / samplesPerBeat : 0.0));
}

//==============================================================================
// Knob modulation

void LfoSahEngine2::handleParamMod(const ModBlock& whole, const ModUnitData& rec, float& kph, float& kos, float& ksm,
                                   float& klv, int blockLength)
{
    const auto knobs = modulatedKnobs(*scurve, whole, rec, blockLength);
    kph = knobs.kph;
    kos = knobs.kos;
    ksm = knobs.ksm;
    klv = knobs.klv;
}

void LfoSahEngine2::handleParamModRate(const ModBlock& whole, const ModUnitData& rec, int& ksr, float& kfr, bool synced,
                                       int blockLength)
{
    ksr = rec.ksr.value;
    kfr = finiteOr(rec.kfr.value, defaultFreeRate);
    if (synced)
    {
        // A synced slot with a modulated rate runs freely; without, it is
        // locked to the host position.
        bool modulated = false;
        ksr = modulatedSyncedRate(*scurve, whole, rec, blockLength, modulated);
        resyncEachBlock = !modulated;
    }
    else
    {
        kfr = modulatedKnob(*scurve, whole, rec.kfr, defaultFreeRate, blockLength);
    }
}

//==============================================================================
// Rate and host alignment

void LfoSahEngine2::updatePhasorRate(const ModBlock& whole, const ModUnitData& rec, int blockLength)
{
    const bool synced = rec.csync;
    phasor.setSyncedState(synced ? 1.0f : 0.0f);
    phasor.setBpm((float) globalData.bpm.load());
    int ksr = defaultSyncedRate;
    float kfr = defaultFreeRate;
    handleParamModRate(whole, rec, ksr, kfr, synced, blockLength);
    if (synced)
        phasor.setFrequency(std::abs(getSyncedRateHz(ksr, juce::jmax((int) rec.clktyp, 0), phasor.getBpm())));
    else
        phasor.setFrequency(freeRateHz(freeRateCurve, kfr));
}

void LfoSahEngine2::updatePhasorRate(const ModUnitData& rec)
{
    const bool synced = rec.csync;
    phasor.setSyncedState(synced ? 1.0f : 0.0f);
    phasor.setBpm((float) globalData.bpm.load());
    if (synced)
    {
        phasor.setFrequency(std::abs(getSyncedRateHz(rec.ksr.value, juce::jmax((int) rec.clktyp, 0), phasor.getBpm())));
    }
    else
    {
        phasor.setFrequency(freeRateHz(freeRateCurve, rec.kfr.value));
    }
}

void LfoSahEngine2::forceToResync(const ModUnitData& rec)
{
    syncToHost(hostPosition(), rec.csync, true);
}

void LfoSahEngine2::syncToHost(float ppq, bool synced, bool freeToo)
{
    if (!std::isfinite(ppq))
        return;
    if (synced && phasor.getSyncedState())
    {
        phasor.syncToHost(ppq);
    }
    else if (!synced && ppq > 0.0f && freeToo)
    {
        const float inc = phasor.getFrequency() * phasor.getInverseSampleRate();
        const double x = (double) (std::abs(hostPosition()) * inc) * (double) phasor.getSamplesPerBeat();
        if (std::isfinite(x))
            phasor.setPos((float) (x - std::floor(x)));
    }
}

//==============================================================================
// Rendering

void LfoSahEngine2::processBlock(ModBlock& whole, ModBlock& sub, ModUnitData& rec, float, bool, int, bool,
                                 bool firstSubBlock, int subLength, int blockLength)
{
    const int n = juce::jmin(subLength, (int) sub.getNumSamples(), phaseBuffer.capacity());
    // Only "has the hold-off passed" matters: stop at 0 instead of running
    // towards the int range's end.
    drawHoldoff = juce::jmax(drawHoldoff - juce::jmax(n, 0), 0);
    if (n <= 0 || sub.getNumChannels() == 0)
        return;
    subBlockEnd = (firstSubBlock ? 0 : subBlockEnd) + n;
    float* out = sub.getChannelPointer(0);
    if (!rec.pwr)
    {
        juce::FloatVectorOperations::clear(out, n);
        return;
    }

    updatePhasorRate(whole, rec, blockLength);
    const int mode = rec.engn;
    if (mode == lfoMode && firstSubBlock && resyncEachBlock && globalData.ppq.load() >= 0.0)
        syncToHost(hostPosition(), rec.csync, false);

    const Knobs knobs = modulatedKnobs(*scurve, whole, rec, blockLength);

    phasor.setPhaseOffset(knobs.kph);
    auto phaseBlock = phaseBuffer.view(n);
    phasor.process(phaseBlock, n);
    const float* phase = phaseBuffer.channel(0);

    if (mode == lfoMode)
        procWavetable(phase, out, rec.bwf, n);
    else if (mode == probabilityMode)
        procWavetable2(phase, out, rec, n);
    else
    {
        processSampleHold(sub, out, rec, knobs, n);
        return;
    }
    rec.dispValue = applyOutputChain(out, n, rec, knobs, satCurve, slide, sub);
}

void LfoSahEngine2::procWavetable(const float* phase, float* out, int waveform, int n) const noexcept
{
    const int w = juce::jlimit(0, LfoData::numWaveforms - 1, waveform);
    switch (w)
    {
    case zuWavetableHandler::triangle:
        for (int i = 0; i < n; ++i)
            out[i] = phase[i] <= 0.5f ? 2.0f * phase[i] : 2.0f - 2.0f * phase[i];
        break;
    case zuWavetableHandler::rampUp:
        juce::FloatVectorOperations::copy(out, phase, n);
        break;
    case zuWavetableHandler::square:
    {
        // At most one transition per sub-block.
        const bool high = phase[0] >= 0.5f;
        int i = 1;
        while (i < n && (phase[i] >= 0.5f) == high)
            ++i;
        juce::FloatVectorOperations::fill(out, high ? 1.0f : 0.0f, i);
        if (i < n)
            juce::FloatVectorOperations::fill(out + i, high ? 0.0f : 1.0f, n - i);
        break;
    }
    default:
        for (int i = 0; i < n; ++i)
            out[i] = zuWavetableHandler::directValue(w, phase[i]);
        break;
    }
}

void LfoSahEngine2::procWavetable2(const float* phase, float* out, ModUnitData& rec, int n)
{
    procWavetable(phase, out, probWave, n);
    const float pe = phase[n - 1];
    if (pe < lastProbPhase && drawHoldoff <= 0)
    {
        probWave = probWaveform(rec);
        const float inc = phasor.getPhaseIncFactor();
        int k = drawSample(pe, inc, n);
        if (phase[k] < 0.1f)
        {
            int j = k - 1;
            while (j >= 0 && phase[j] < 0.1f)
                --j;
            k = j;
        }
        const int start = juce::jmax(k, 0);
        // The new waveform starts at its phase 0 plus the offset.
        const float offset = phasor.getPhaseOffset();
        for (int i = start; i < n; ++i)
            out[i] = zuWavetableHandler::directValue(probWave, frac((float) (i - start) * inc + offset));
        if (resyncEachBlock)
            syncToHost(positionAfterSubBlock(), rec.csync, false);
        drawHoldoff = drawHoldoffSamples;
    }
    lastProbPhase = pe;
    rec.dispWaveIndex = probWave;
}

void LfoSahEngine2::fillFromSmoother(float* out, int from, int to) noexcept
{
    for (int i = from; i < to; ++i)
        out[i] = sahSmoother.getNextValue();
}

void LfoSahEngine2::processSampleHold(ModBlock& sub, float* out, ModUnitData& rec, const Knobs& knobs, int n)
{
    // The phase offset has no effect on the timing of draws.
    if (phasor.getPhaseOffset() > 0.0f)
        phasor.setPhaseOffset(0.0f);
    const bool glide = rec.bsahm != 0;
    const float ph = phasor.getCurPhasePos();
    const float inc = phasor.getPhaseIncFactor();

    if (ph < lastSahPhase && drawHoldoff <= 0)
    {
        const int k = drawSample(ph, inc, n);
        if (k > 0)
        {
            if (glide)
                fillFromSmoother(out, 0, n);
            else
                juce::FloatVectorOperations::fill(out, sahValue, n);
        }
        sahValue = random.nextFloat();
        const float freq = phasor.getFrequency();
        const double cycle = freq > 0.0f ? spec.sampleRate / (double) freq : 0.0;
        sahSmoother.reset(juce::jmax(0, zu::toIntSaturating(std::round(cycle))));
        sahSmoother.setTargetValue(sahValue);
        if (glide)
            fillFromSmoother(out, k, n);
        else
            juce::FloatVectorOperations::fill(out + k, sahValue, n - k);
        if (resyncEachBlock)
            syncToHost(positionAfterSubBlock(), rec.csync, false);
        drawHoldoff = drawHoldoffSamples;
    }
    else if (glide)
    {
        fillFromSmoother(out, 0, n);
    }
    else
    {
        juce::FloatVectorOperations::fill(out, sahValue, n);
    }
    lastSahPhase = ph;

    const bool bipolar = rec.bbi;
    if (bipolar)
        juce::FloatVectorOperations::add(out, -0.5f, n);
    if (knobs.klv != 1.0f)
        juce::FloatVectorOperations::multiply(out, knobs.klv, n);
    runSlide(slide, sub, knobs.ksm, n);

    rec.dispHeldValue = out[n - 1] + (bipolar ? 0.5f : 0.0f) + random.nextFloat() * 0.0000001f;
    rec.dispValue = phasor.getCurPhasePos();
}

//==============================================================================
// Probability weights

void LfoSahEngine2::updateWeightTable(ModUnitData& rec)
{
    buildWeights(rec, weights);
}

int LfoSahEngine2::probWaveform(ModUnitData& rec)
{
    if (rec.weightsChanged.exchange(false))
        updateWeightTable(rec);
    return chooseWaveform(random, weights);
}
