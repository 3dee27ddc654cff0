// SPDX-License-Identifier: GPL-3.0-or-later
#include "LfoSahShared.h"

#include "ZuConvert.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace zu::lfo
{
namespace
{
constexpr float maxFreeRateHz = 20.0f;
constexpr float minFreeRateHz = 0.01f;
} // namespace

float modulatedKnob(const Scurve& curve, const ModBlock& whole, const MyParam<float>& param, float fallback,
                    int blockLength) noexcept
{
    const float value = finiteOr(param.value, fallback);
    if (!param.modActive)
        return value;
    return juce::jlimit(knobFloor, knobCeiling, value + knobModulation(curve, whole, param, blockLength));
}

Knobs modulatedKnobs(const Scurve& curve, const ModBlock& whole, const LfoData::ModUnitData& rec,
                     int blockLength) noexcept
{
    Knobs k;
    k.kph = modulatedKnob(curve, whole, rec.kph, defaultPhase, blockLength);
    k.kos = modulatedKnob(curve, whole, rec.kos, defaultOffset, blockLength);
    k.ksm = modulatedKnob(curve, whole, rec.ksm, defaultSmoothing, blockLength);
    k.klv = modulatedKnob(curve, whole, rec.klv, defaultLevel, blockLength);
    return k;
}

int modulatedSyncedRate(const Scurve& curve, const ModBlock& whole, const LfoData::ModUnitData& rec, int blockLength,
                        bool& modulated) noexcept
{
    const int ksr = rec.ksr.value;
    modulated = rec.ksr.modActive;
    if (!modulated)
        return ksr;
    const double m = (double) knobModulation(curve, whole, rec.ksr, blockLength);
    const int step = zu::toIntSaturating(std::round(13.0 * m));
    return juce::jlimit(0, numSyncedDivisions - 1, juce::jlimit(-1000, 1000, ksr) + step);
}

float freeRateHz(const juce::dsp::LookupTableTransform<float>& curve, float knob) noexcept
{
    const float x = juce::jlimit(0.0f, 1.0f, finiteOr(knob, defaultFreeRate));
    return std::abs(curve.processSample(x) * (maxFreeRateHz - minFreeRateHz) + minFreeRateHz);
}

void PhaseBuffer::prepare(juce::uint32 maximumBlockSize)
{
    const int needed = (int) juce::jmin(maximumBlockSize, (juce::uint32)(INT_MAX / 4));
    const int stride = (needed + 3) & ~3;
    const size_t total = (size_t) stride * 2 + 4;
    if (storage.size() < total)
        storage.assign(total, 0.0f);
    else
        std::fill(storage.begin(), storage.end(), 0.0f);
    const auto address = reinterpret_cast<std::uintptr_t>(storage.data());
    channels[0] = storage.data() + ((16u - (address & 15u)) & 15u) / sizeof(float);
    channels[1] = channels[0] + stride;
    size = needed;
}

void initWavetables(std::array<juce::dsp::LookupTableTransform<float>, LfoData::numWaveforms>& tables,
                    const zuWavetableHandler& handler)
{
    for (int w = 0; w < LfoData::numWaveforms; ++w)
        tables[(size_t) w].initialise(handler.getWavetableFunc(w), 0.0f, 1.0f, (size_t) tablePoints);
}

void initFreeRateCurve(juce::dsp::LookupTableTransform<float>& curve)
{
    curve.initialise([](float x) { return (std::pow(300.0f, x) - 1.0f) / 299.0f; }, 0.0f, 1.0f, (size_t) tablePoints);
}

void initSatCurve(juce::dsp::LookupTableTransform<float>& curve)
{
    // 1.1047914 makes the curve reach 1 at x = 1.
    curve.initialise([](float x) { return std::tanh(1.5f * x) * 1.1047914f; }, -1.0f, 1.0f, (size_t) tablePoints);
}

SharedCurves::SharedCurves()
{
    initWavetables(wavetables, zuWavetableHandler());
    initFreeRateCurve(freeRateCurve);
    initSatCurve(satCurve);
}

const SharedCurves& SharedCurves::get()
{
    static const SharedCurves curves;
    return curves;
}

void runSlide(zu::zudsp::ZuSlide<float>& slide, ModBlock& sub, float smoothing, int n) noexcept
{
    if (smoothing > 0.0f)
    {
        const float s2 = smoothing * smoothing;
        const float seconds = 0.597f * s2 * s2 * smoothing + 0.003f;
        slide.setSlideUp(seconds);
        slide.setSlideDown(seconds);
        auto one = sub.getSingleChannelBlock(0);
        slide.processBlock(one, n);
    }
    else
    {
        // Slewing starts from 0 when smoothing is turned on again.
        slide.setState(0.0f, 0);
        slide.setState(0.0f, 1);
    }
}

float applyOutputChain(float* out, int n, const LfoData::ModUnitData& rec, const Knobs& knobs,
                       const juce::dsp::LookupTableTransform<float>& satCurve, zu::zudsp::ZuSlide<float>& slide,
                       ModBlock& sub) noexcept
{
    if (rec.bphi)
        for (int i = 0; i < n; ++i)
            out[i] = 1.0f - out[i];
    if (rec.bexp)
        juce::FloatVectorOperations::multiply(out, out, n);
    if (rec.bsat)
        for (int i = 0; i < n; ++i)
            out[i] = satCurve.processSample(out[i]);
    if (2.0f * knobs.kos != 1.0f)
        juce::FloatVectorOperations::add(out, 2.0f * knobs.kos - 1.0f, n);
    runSlide(slide, sub, knobs.ksm, n);

    const bool bipolar = rec.bbi;
    if (bipolar)
        juce::FloatVectorOperations::add(out, -0.5f, n);
    if (knobs.klv != 1.0f)
        juce::FloatVectorOperations::multiply(out, knobs.klv, n);
    if (bipolar)
    {
        juce::FloatVectorOperations::clip(out, out, -0.5f, 0.5f, n);
        return out[0] + 0.5f;
    }
    juce::FloatVectorOperations::clip(out, out, 0.0f, 1.0f, n);
    return out[0];
}

void buildWeights(const LfoData::ModUnitData& rec, std::array<int, LfoData::numWaveforms>& weights) noexcept
{
    for (size_t i = 0; i < weights.size(); ++i)
    {
        // A weight outside 0..1, or not a number, is kept to 0..100.
        const float w = juce::jlimit(0.0f, 1.0f, finiteOr(rec.prb[i], 0.0f));
        weights[i] = zu::toIntSaturating(w * 100.0f);
    }
}

int chooseWaveform(juce::Random& random, const std::array<int, LfoData::numWaveforms>& weights) noexcept
{
    int total = 0;
    for (const int w : weights)
        total += w;
    if (total <= 0)
        return random.nextInt(LfoData::numWaveforms);
    const int r = random.nextInt(total);
    int upper = 0;
    for (size_t i = 0; i < weights.size(); ++i)
    {
        upper += weights[i];
        if (r < upper)
            return (int) i;
    }
    return LfoData::numWaveforms - 1;
}

int drawSample(float ph, float inc, int n) noexcept
{
    // frac(ph) / inc samples have passed since the wrap: it lies that far
    // before the sub-block's last sample.
    if (!(inc > 0.0f) || n <= 1)
        return 0;
    const float since = std::floor(frac(ph) / inc);
    if (!(since > 0.0f))
        return n - 1;
    return since >= (float) (n - 1) ? 0 : n - 1 - (int) since;
}
} // namespace zu::lfo
