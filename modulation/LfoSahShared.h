// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What both generations of the slot modulator (LfoSahEngine2, which the slot
// host runs, and the older LfoSahEngine) compute alike: knob modulation, the
// rate of a slot, the output chain, the probability weights and choice.
// Audio thread, no allocation.

#include "LfoData.h"
#include "Scurve.h"
#include "zuWavetableHandler.h"
#include "zu_dsp.h"

#include <juce_dsp/juce_dsp.h>

#include <array>
#include <cmath>
#include <vector>

namespace zu::lfo
{
using ModBlock = juce::dsp::AudioBlock<float>;
template <typename T> using MyParam = ZuDataModelBase::MyParam<T>;

// Knob defaults, taken for a knob whose stored value is not a number.
constexpr int defaultSyncedRate = 8;
constexpr float defaultFreeRate = 0.5f;
constexpr float defaultPhase = 0.0f;
constexpr float defaultOffset = 0.5f;
constexpr float defaultSmoothing = 0.0f;
constexpr float defaultLevel = 1.0f;

constexpr int numSyncedDivisions = 14;
constexpr int knobReadSample = 35;
constexpr float knobModLimit = 0.999999f;
constexpr float knobFloor = 0.0000001f;
constexpr float knobCeiling = 0.9999999f;
constexpr int tablePoints = 128;

// The knob values of one sub-block after modulation.
struct Knobs
{
    float kph = defaultPhase;
    float kos = defaultOffset;
    float ksm = defaultSmoothing;
    float klv = defaultLevel;
};

inline float frac(float x) noexcept
{
    return x - std::floor(x);
}

inline float finiteOr(float v, float fallback) noexcept
{
    return std::isfinite(v) ? v : fallback;
}

// The sum of a knob's two sources read at sample min(blockLength - 1, 35) of
// whole, each weighted by its curved depth, limited to +-0.999999. A source
// that names no channel of the block, and a sample that is not a number, read 0.
template <typename T>
float knobModulation(const Scurve& curve, const ModBlock& whole, const MyParam<T>& param, int blockLength) noexcept
{
    const int available = (int) whole.getNumSamples();
    if (available <= 0)
        return 0.0f;
    const int readPos = juce::jlimit(0, available - 1, juce::jmin(blockLength - 1, knobReadSample));
    float m = 0.0f;
    for (int k = 0; k < 2; ++k)
    {
        const int source = param.modSource[k];
        const float depth = param.modDepth[k];
        if (source <= 0 || source > (int) whole.getNumChannels() || depth == 0.0f || !std::isfinite(depth))
            continue;
        const float sample = whole.getSample(source - 1, readPos);
        if (std::isfinite(sample))
            m += curve.calcModDep(depth) * sample;
    }
    return juce::jlimit(-knobModLimit, knobModLimit, m);
}

// A float knob after modulation: unclamped without active modulation, else
// kept within (0, 1).
float modulatedKnob(const Scurve& curve, const ModBlock& whole, const MyParam<float>& param, float fallback,
                    int blockLength) noexcept;
Knobs modulatedKnobs(const Scurve& curve, const ModBlock& whole, const LfoData::ModUnitData& rec,
                     int blockLength) noexcept;
// The synced division after modulation (0..13 when modulated; true in
// modulated when a source moved it).
int modulatedSyncedRate(const Scurve& curve, const ModBlock& whole, const LfoData::ModUnitData& rec, int blockLength,
                        bool& modulated) noexcept;

// The phase buffer of a slot: two channels of the prepared block size, each
// starting on a 16-byte boundary (the phasor's vector form). Grows only, so a
// repeated prepare allocates nothing.
class PhaseBuffer
{
public:
    void prepare(juce::uint32 maximumBlockSize);
    float* channel(int c) noexcept { return channels[c != 0 ? 1 : 0]; }
    // A one-channel view of channel 0 over n samples.
    ModBlock view(int n) noexcept { return ModBlock(channels, 1, (size_t) n); }
    int capacity() const noexcept { return size; }

private:
    std::vector<float> storage;
    float* channels[2]{};
    int size = 0;
};

// The eight waveform tables over [0, 1] in waveform order, 128 points each.
void initWavetables(std::array<juce::dsp::LookupTableTransform<float>, LfoData::numWaveforms>& tables,
                    const zuWavetableHandler& handler);

// The free rate in Hz of a knob value (0.01 Hz at 0, 20 Hz at 1) through the curve table.
float freeRateHz(const juce::dsp::LookupTableTransform<float>& curve, float knob) noexcept;
void initFreeRateCurve(juce::dsp::LookupTableTransform<float>& curve);
void initSatCurve(juce::dsp::LookupTableTransform<float>& curve);

// The tables above depend on nothing but their functions, so every modulator
// of the process reads one read-only set, built on first use.
struct SharedCurves
{
    SharedCurves();
    std::array<juce::dsp::LookupTableTransform<float>, LfoData::numWaveforms> wavetables;
    juce::dsp::LookupTableTransform<float> freeRateCurve;
    juce::dsp::LookupTableTransform<float> satCurve;

    static const SharedCurves& get();
};

// Invert, square, saturate, offset, slide, level and clip of the LFO and
// probability modes; returns the display value.
float applyOutputChain(float* out, int n, const LfoData::ModUnitData& rec, const Knobs& knobs,
                       const juce::dsp::LookupTableTransform<float>& satCurve, zu::zudsp::ZuSlide<float>& slide,
                       ModBlock& sub) noexcept;
// The slide of a sub-block with smoothing s, or its states cleared when s <= 0.
void runSlide(zu::zudsp::ZuSlide<float>& slide, ModBlock& sub, float smoothing, int n) noexcept;

// The weights in use from the record's weights (each x 100, truncated).
void buildWeights(const LfoData::ModUnitData& rec, std::array<int, LfoData::numWaveforms>& weights) noexcept;
// A waveform drawn by the weights; uniform when they sum to 0.
int chooseWaveform(juce::Random& random, const std::array<int, LfoData::numWaveforms>& weights) noexcept;

// The sample of a sub-block of n samples from which a new cycle counts: the
// sample where the phase wrapped, the sub-block's end phase being ph and its
// increment inc.
int drawSample(float ph, float inc, int n) noexcept;
} // namespace zu::lfo
