// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Filter and envelope building blocks of the signal module: three shared
// lookup tables, a one-pole envelope coefficient and its attack/release pair,
// and a linear trapezoidal state-variable filter core behind a low-pass, an
// all-pass and two shelves. Nothing in the plug-in constructs them; they are
// kept, tested and benchmarked as part of the module.

#include <juce_dsp/juce_dsp.h>

#include "zu_dsp_common.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

namespace zu::zudsp
{
// Three 256-point tables on [0, 1].
class Tables
{
public:
    static constexpr size_t numPoints = 256;
    static constexpr float ln20 = 2.995732273553991f;

    Tables();

    // (e^(ln 20 x) - 1) / 19: an exponential curve from 0 to 1.
    juce::dsp::LookupTableTransform<float> expCurve;
    juce::dsp::LookupTableTransform<float> squareRoot;
    juce::dsp::LookupTableTransform<float> tangent;
};

// A one-pole smoothing coefficient from a time constant in seconds.
class EnvDetectorForLimiter
{
public:
    static constexpr float defaultSampleRate = 44100.0f;

    EnvDetectorForLimiter(float timeConstant, float sampleRateToUse);
    virtual ~EnvDetectorForLimiter() = default;

    virtual void setTc(float timeConstant);
    virtual float getTc() const { return tc; }
    virtual void setSampleRate(float newSampleRate);
    virtual float getSampleRate() const { return sampleRate; }
    virtual void setCoef();

    float getCoef() const noexcept { return coef; }

private:
    float sampleRate = defaultSampleRate;
    float tc = 0.0f;
    float coef = 0.0f;
};

// Attack and release detectors side by side.
class AttRelEnvelope
{
public:
    AttRelEnvelope(float attackSeconds, float releaseSeconds, float sampleRateToUse);
    virtual ~AttRelEnvelope() = default;

    virtual void setAtkSec(float seconds) { attack.setTc(seconds); }
    virtual float getAttack() const { return attack.getTc(); }
    virtual void setRelSec(float seconds) { release.setTc(seconds); }
    virtual float getRelease() const { return release.getTc(); }
    // Sets both detectors' sample rate and coefficient.
    virtual void setSampleRate(float newSampleRate);
    virtual float getSampleRate() const { return attack.getSampleRate(); }

    const EnvDetectorForLimiter& getAttackDetector() const noexcept { return attack; }
    const EnvDetectorForLimiter& getReleaseDetector() const noexcept { return release; }

private:
    EnvDetectorForLimiter attack;
    EnvDetectorForLimiter release;
    float sampleRate = EnvDetectorForLimiter::defaultSampleRate;
};

namespace detail
{
// Coefficients and two-channel state of the linear trapezoidal
// state-variable filter (A. Simper); the output mixes input, band and low.
template <typename T> struct SvfCore
{
    // States this small are flushed, so that silence never decays into
    // denormal numbers.
    static constexpr T flushBelow = std::is_same_v<T, float> ? T(1.0e-15) : T(1.0e-30);

    void reset() noexcept
    {
        s1[0] = s1[1] = T(0);
        s2[0] = s2[1] = T(0);
    }

    void setCoefficients(T g, T k, T mix0, T mix1, T mix2) noexcept
    {
        a1 = T(1) / (T(1) + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
        m0 = mix0;
        m1 = mix1;
        m2 = mix2;
    }

    T tick(T x, int channel) noexcept
    {
        if (channel < 0 || channel > 1)
            return x;
        T& z1 = s1[channel];
        T& z2 = s2[channel];
        const T d = x - z2;
        const T band = a1 * z1 + a2 * d;
        const T low = z2 + a2 * z1 + a3 * d;
        z1 = flush(T(2) * band - z1);
        z2 = flush(T(2) * low - z2);
        return m0 * x + m1 * band + m2 * low;
    }

    static T flush(T v) noexcept { return std::abs(v) < flushBelow ? T(0) : v; }

    T s1[2]{};
    T s2[2]{};
    T a1 = T(0), a2 = T(0), a3 = T(0);
    T m0 = T(0), m1 = T(0), m2 = T(0);
};

// A normalised cutoff kept below Nyquist and non-negative: above it the
// trapezoidal integrator's gain turns negative and the filter blows up.
inline double safeNormalisedFrequency(double cutoff, double inverseSampleRate) noexcept
{
    return juce::jlimit(0.0, 0.499, cutoff * inverseSampleRate);
}

// Runs a per-sample filter over the one or two channels of a float block in
// place; further channels are left alone (the state holds two).
template <typename Filter> void processFloatBlock(Filter& filter, const juce::dsp::ProcessContextReplacing<float>& c)
{
    if (c.isBypassed)
        return;
    auto& block = c.getOutputBlock();
    const auto channels = std::min<size_t>(block.getNumChannels(), 2);
    for (size_t ch = 0; ch < channels; ++ch)
    {
        float* data = block.getChannelPointer(ch);
        for (size_t i = 0; i < block.getNumSamples(); ++i)
            data[i] = static_cast<float>(filter.processSample(data[i], static_cast<int>(ch)));
    }
}
} // namespace detail

// The parts the low-pass and the all-pass share: sample rate, cutoff, Q and
// the filter core; the derived class supplies the coefficients.
template <typename T, typename ParamType> class SvfProcessorBase : public juce::dsp::ProcessorBase
{
public:
    static constexpr T minInverseRate = T(4410);

    SvfProcessorBase(T sampleRateToUse, T cutoffToUse) noexcept
        : sampleRate(sampleRateToUse), inverseSampleRate(T(1) / sampleRateToUse), cutoff(cutoffToUse)
    {
    }

    // Stores a new rate (the inverse no finer than 1/4410) and clears the
    // state. Coefficients already set follow the new rate; a filter whose
    // coefficients were never set stays silent.
    void prepare(const juce::dsp::ProcessSpec& spec) override
    {
        const auto rate = static_cast<T>(spec.sampleRate);
        if (detail::isPositiveFinite(spec.sampleRate) && rate != sampleRate)
        {
            sampleRate = rate;
            inverseSampleRate = T(1) / std::max(rate, minInverseRate);
            if (coefficientsSet)
                calcCoef();
        }
        reset();
    }

    void process(const juce::dsp::ProcessContextReplacing<float>& context) override
    {
        detail::processFloatBlock(*this, context);
    }

    void reset() override { core.reset(); }

    // A non-finite cutoff, or a Q that is not above 0, counts as missing.
    void setCutoff(ParamType value)
    {
        if (std::isfinite(value))
            cutoff = static_cast<T>(value);
        calcCoef();
    }

    void setQ(ParamType value)
    {
        if (detail::isPositiveFinite(value))
            q = static_cast<T>(value);
        calcCoef();
    }

    void calcCoef()
    {
        coefficientsSet = true;
        updateCoefficients();
    }

    T processSample(T x, int channel) noexcept { return core.tick(x, channel); }

    T getSampleRate() const noexcept { return sampleRate; }
    T getInverseSampleRate() const noexcept { return inverseSampleRate; }
    T getCutoff() const noexcept { return cutoff; }
    T getQ() const noexcept { return q; }

protected:
    virtual void updateCoefficients() = 0;

    T normalisedCutoff() const noexcept
    {
        return static_cast<T>(
            detail::safeNormalisedFrequency(static_cast<double>(cutoff), static_cast<double>(inverseSampleRate)));
    }

    T sampleRate;
    T inverseSampleRate;
    T cutoff;
    T q = T(0.707);
    detail::SvfCore<T> core;
    bool coefficientsSet = false;
};

// Low-pass output of the filter core.
template <typename T> class LpLin : public SvfProcessorBase<T, T>
{
public:
    LpLin() noexcept : SvfProcessorBase<T, T>(T(44100), T(12000)) {}

protected:
    void updateCoefficients() override
    {
        const T g = std::tan(juce::MathConstants<T>::pi * this->normalisedCutoff());
        this->core.setCoefficients(g, T(1) / this->q, T(0), T(0), T(1));
    }
};

// All-pass output of the filter core: flat magnitude, phase turning through
// the cutoff.
template <typename T> class ApLin : public SvfProcessorBase<T, float>
{
public:
    ApLin() noexcept : SvfProcessorBase<T, float>(T(4410), T(4000)) {}

protected:
    void updateCoefficients() override
    {
        const T g = juce::dsp::FastMathApproximations::tan(juce::MathConstants<T>::pi * this->normalisedCutoff());
        const T k = T(1) / this->q;
        this->core.setCoefficients(g, k, T(1), T(-2) * k, T(0));
    }
};

// The shelves' shared parts: sample rate, gain, frequency, Q, the filter core
// and the square-root and tangent tables (single precision in both
// instantiations) that the coefficients are looked up in.
template <typename T> class ZuShelfBase
{
public:
    static constexpr size_t numTablePoints = 128;
    static constexpr T minPrepareRate = T(1000);
    // Beyond this the gain's square overflows single precision.
    static constexpr T maxGainDb = T(200);

    ZuShelfBase()
    {
        sqrtTable.initialise([](T x) { return static_cast<T>(std::sqrt(static_cast<float>(x))); }, T(0), T(1),
                             numTablePoints);
        tanTable.initialise([](T x) { return static_cast<T>(std::tan(static_cast<float>(x))); }, T(0), T(1),
                            numTablePoints);
    }
    virtual ~ZuShelfBase() = default;

    // A non-finite value (or a Q not above 0) counts as missing.
    void setFreqHz(T value)
    {
        if (std::isfinite(value))
            frequency = value;
        updateCoef();
    }

    void setQ(T value)
    {
        if (detail::isPositiveFinite(static_cast<double>(value)))
            q = value;
        updateCoef();
    }

    void setGainDB(T value)
    {
        if (std::isfinite(value))
            gainDb = juce::jlimit(-maxGainDb, maxGainDb, value);
        updateCoef();
    }

    void setInitialState(T frequencyHz, T newQ, T gainDecibels)
    {
        if (std::isfinite(frequencyHz))
            frequency = frequencyHz;
        if (detail::isPositiveFinite(static_cast<double>(newQ)))
            q = newQ;
        if (std::isfinite(gainDecibels))
            gainDb = juce::jlimit(-maxGainDb, maxGainDb, gainDecibels);
        updateCoef();
    }

    // A rate that is not above 0 counts as missing.
    void setSampleRate(float newSampleRate)
    {
        if (detail::isPositiveFinite(newSampleRate))
            storeSampleRate(static_cast<T>(newSampleRate));
        updateCoef();
    }

    void prepare(const juce::dsp::ProcessSpec& spec)
    {
        if (std::isfinite(spec.sampleRate))
            storeSampleRate(std::max(static_cast<T>(spec.sampleRate), minPrepareRate));
        updateCoef();
    }

    void reset() noexcept { core.reset(); }

    T processSample(T x, int channel) noexcept { return core.tick(x, channel); }

    void process(const juce::dsp::ProcessContextReplacing<float>& context)
    {
        detail::processFloatBlock(*this, context);
    }

    T getGainDB() const noexcept { return gainDb; }
    T getFreqHz() const noexcept { return frequency; }
    T getQ() const noexcept { return q; }
    T getSampleRate() const noexcept { return sampleRate; }

protected:
    struct ShelfTerms
    {
        T a;       // 10^(gain / 40)
        T aSquare; // 10^(gain / 20)
        T tanW;    // tan of pi times the normalised frequency, from the table
        T sqrtA;   // square root of A, from the table
        T k;
    };

    ShelfTerms terms() const
    {
        constexpr double ln10 = 2.302585092994046;
        constexpr float pi = juce::MathConstants<float>::pi;
        const T w = frequency * inverseSampleRate * static_cast<T>(pi);
        const T a = static_cast<T>(std::exp(0.025 * static_cast<double>(gainDb) * ln10));
        const T aSquare = static_cast<T>(std::exp(0.025 * static_cast<double>(gainDb) * 2.0 * ln10));
        return {a, aSquare, tanTable.processSample(w), squareRootOf(a), T(1) / q};
    }

    // The table covers [0, 1]; a boost's root is the reciprocal of its cut's,
    // so the corner sits at the set frequency for cuts and boosts alike.
    T squareRootOf(T a) const noexcept
    {
        const T root = a > T(1) ? T(1) / sqrtTable.processSample(T(1) / a) : sqrtTable.processSample(a);
        return std::max(root, std::numeric_limits<T>::min());
    }

    virtual void updateCoef() = 0;

    T sampleRate = T(44100);
    T inverseSampleRate = T(0);
    detail::SvfCore<T> core;
    T gainDb = T(0);
    T frequency = T(12000);
    T q = T(1);
    juce::dsp::LookupTableTransform<T> sqrtTable;
    juce::dsp::LookupTableTransform<T> tanTable;

private:
    void storeSampleRate(T rate) noexcept
    {
        sampleRate = rate;
        inverseSampleRate = T(1) / rate;
    }
};

// Lifts or cuts everything above the corner by the gain; unity below it.
template <typename T> class ZuHighShelf : public ZuShelfBase<T>
{
protected:
    void updateCoef() override
    {
        const auto t = this->terms();
        this->core.setCoefficients(t.tanW * t.sqrtA, t.k, t.aSquare, t.k * (T(1) - t.a) * t.a, T(1) - t.aSquare);
    }
};

// Lifts or cuts everything below the corner by the gain; unity above it.
template <typename T> class ZuLowShelf : public ZuShelfBase<T>
{
protected:
    void updateCoef() override
    {
        const auto t = this->terms();
        this->core.setCoefficients(t.tanW / t.sqrtA, t.k, T(1), t.k * (t.a - T(1)), t.aSquare - T(1));
    }
};

extern template class LpLin<float>;
extern template class LpLin<double>;
extern template class ApLin<float>;
extern template class ApLin<double>;
extern template class ZuHighShelf<float>;
extern template class ZuHighShelf<double>;
extern template class ZuLowShelf<float>;
extern template class ZuLowShelf<double>;
} // namespace zu::zudsp
