// SPDX-License-Identifier: GPL-3.0-or-later
#include "LfoSahEngine.h"

#include "MirabelGlobalData.h"
#include "ZuConvert.h"

#include <climits>
#include <cmath>

using namespace zu::lfo;

namespace
{
// Waveforms up to this index are read from the tables; the steps and the
// square are computed.
constexpr int lastTabulatedWaveform = 4;
} // namespace

LfoSahEngine::LfoSahEngine(LfoData& lfo, MirabelGlobalData& global, int slot)
    : ZuKolt_ModEngineBase(global, slot), lfoData(lfo)
{
    weights.fill(50);
}

LfoSahEngine::~LfoSahEngine() = default;

LfoData::ModUnitData& LfoSahEngine::record() noexcept
{
    return lfoData.getCurrentSnapData(dataUnitIndex)[(size_t) juce::jlimit(0, LfoData::numSlots - 1, dataSlotIndex)];
}

void LfoSahEngine::prepare(const juce::dsp::ProcessSpec& newSpec)
{
    spec = newSpec;
    phaseBuffer.prepare(newSpec.maximumBlockSize);

    phasor.prepare(newSpec);
    slide.prepare(newSpec);
    sahSmoother.reset((int) std::floor(0.001 * newSpec.sampleRate));
    reset();
    updatePhasorRate();
}

void LfoSahEngine::reset()
{
    phasor.reset();
    lastProbPhase = 1.0f;
}

void LfoSahEngine::syncToHost(float ppq)
{
    if (phasor.getSyncedState())
        phasor.syncToHost(ppq);
}

void LfoSahEngine::updateRate(const ModUnitData& rec, int syncedRate, float freeRate)
{
    const bool synced = rec.csync;
    phasor.setSyncedState(synced ? 1.0f : 0.0f);
    phasor.setBpm((float) globalData.bpm.load());
    if (synced)
        phasor.setFrequency(std::abs(getSyncedRateHz(syncedRate, juce::jmax((int) rec.clktyp, 0), phasor.getBpm())));
    else
        phasor.setFrequency(freeRateHz(freeRateCurve, freeRate));
}

void LfoSahEngine::updatePhasorRate()
{
    const auto& rec = record();
    updateRate(rec, rec.ksr.value, rec.kfr.value);
}

void LfoSahEngine::processBlock(ModBlock& whole, ModBlock& sub, float, bool, int, bool, int subLength, int blockLength)
{
    const int n = juce::jmin(subLength, (int) sub.getNumSamples(), phaseBuffer.capacity());
    if (n <= 0 || sub.getNumChannels() == 0)
        return;
    float* out = sub.getChannelPointer(0);
    auto& rec = record();
    if (!rec.pwr)
    {
        juce::FloatVectorOperations::clear(out, n);
        return;
    }

    bool modulated = false;
    const int ksr = modulatedSyncedRate(*scurve, whole, rec, blockLength, modulated);
    updateRate(rec, ksr, modulatedKnob(*scurve, whole, rec.kfr, defaultFreeRate, blockLength));
    const double position = globalData.ppq.load();
    if (position >= 0.0)
        syncToHost((float) position);

    const Knobs knobs = modulatedKnobs(*scurve, whole, rec, blockLength);
    phasor.setPhaseOffset(knobs.kph);
    auto phaseBlock = phaseBuffer.view(n);
    phasor.process(phaseBlock, n);

    const int mode = rec.engn;
    if (mode == 0)
        procWavetable(phaseBuffer.channel(0), out, rec.bwf, n);
    else if (mode == 2)
        procWavetable2(phaseBuffer.channel(0), out, rec, n);
    else
    {
        processSampleHold(sub, out, rec, knobs, n);
        return;
    }
    rec.dispValue = applyOutputChain(out, n, rec, knobs, satCurve, slide, sub);
}

void LfoSahEngine::procWavetable(const float* phase, float* out, int waveform, int n) const noexcept
{
    const int w = juce::jlimit(0, LfoData::numWaveforms - 1, waveform);
    if (w <= lastTabulatedWaveform)
    {
        for (int i = 0; i < n; ++i)
            out[i] = wavetables[(size_t) w].processSample(phase[i]);
        return;
    }
    for (int i = 0; i < n; ++i)
        out[i] = zuWavetableHandler::directValue(w, phase[i]);
}

void LfoSahEngine::procWavetable2(const float* phase, float* out, ModUnitData& rec, int n)
{
    procWavetable(phase, out, probWave, n);
    const float pe = phasor.getCurPhasePos();
    if (pe < lastProbPhase)
    {
        if (rec.weightsChanged.exchange(false))
            buildWeights(rec, weights);
        probWave = chooseWaveform(random, weights);
        const float inc = phasor.getPhaseIncFactor();
        const int start = drawSample(pe, inc, n);
        const float offset = phasor.getPhaseOffset();
        for (int i = start; i < n; ++i)
        {
            out[i] = zuWavetableHandler::directValue(probWave, frac((float) (i - start) * inc + offset));
        }
    }
    lastProbPhase = pe;
    rec.dispWaveIndex = probWave;
}

void LfoSahEngine::processSampleHold(ModBlock& sub, float* out, const ModUnitData& rec, const Knobs& knobs, int n)
{
    if (phasor.getPhaseOffset() > 0.0f)
        phasor.setPhaseOffset(0.0f);
    // The older modulator steps its phasor once more before the wrap test.
    auto phaseBlock = phaseBuffer.view(n);
    phasor.process(phaseBlock, n);
    const bool glide = rec.bsahm != 0;
    const float ph = phasor.getCurPhasePos();
    int k = n;
    if (ph < lastSahPhase)
    {
        k = drawSample(ph, phasor.getPhaseIncFactor(), n);
        for (int i = 0; i < k; ++i)
            out[i] = glide ? sahSmoother.getNextValue() : sahValue;
        sahValue = random.nextFloat();
        const float freq = phasor.getFrequency();
        const double cycle = freq > 0.0f ? spec.sampleRate / (double) freq : 0.0;
        sahSmoother.reset(juce::jmax(0, zu::toIntSaturating(std::round(cycle))));
        sahSmoother.setTargetValue(sahValue);
    }
    const int from = k < n ? k : 0;
    for (int i = from; i < n; ++i)
        out[i] = glide ? sahSmoother.getNextValue() : sahValue;
    lastSahPhase = ph;

    if (rec.bbi)
        juce::FloatVectorOperations::add(out, -0.5f, n);
    if (knobs.klv != 1.0f)
        juce::FloatVectorOperations::multiply(out, knobs.klv, n);
    runSlide(slide, sub, knobs.ksm, n);
}
