// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Smoothing helpers of the signal module: a one-pole slew limiter with its own
// rise and fall times (ZuSlide, which the modulation slots use on their output
// when smoothing is on) and a two-stage one-pole low-pass (ZuDynSmoother).
// Both hold state for at most two channels and work in place on the caller's
// block, one sample at a time, without allocation.

#include <juce_dsp/juce_dsp.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace zu::zudsp
{
template <typename T> class ZuSlide
{
public:
    // A slide time shorter than this many samples counts as this many.
    static constexpr T minSlideSamples = T(10);

    ZuSlide() = default;

    void prepare(const juce::dsp::ProcessSpec& spec) noexcept { sampleRate = static_cast<T>(spec.sampleRate); }
    void reset() noexcept { state = {T(0), T(0)}; }

    void setSlideUp(T seconds) noexcept { riseCoef = coefficientOf(seconds); }
    void setSlideDown(T seconds) noexcept { fallCoef = coefficientOf(seconds); }

    // channel 0 or 1.
    void setState(T value, int channel) noexcept { state[(size_t) (channel != 0 ? 1 : 0)] = value; }
    T getState(int channel) const noexcept { return state[(size_t) (channel != 0 ? 1 : 0)]; }
    T getRiseCoefficient() const noexcept { return riseCoef; }
    T getFallCoefficient() const noexcept { return fallCoef; }

    // Slews numSamples samples of every channel (at most two) in place.
    void processBlock(juce::dsp::AudioBlock<T>& block, int numSamples) noexcept
    {
        const int n = std::min(numSamples, (int) block.getNumSamples());
        const size_t channels = std::min(block.getNumChannels(), state.size());
        for (size_t c = 0; c < channels; ++c)
        {
            T y = state[c];
            T* data = block.getChannelPointer(c);
            for (int i = 0; i < n; ++i)
            {
                const T x = data[i];
                y += (x - y) * (x > y ? riseCoef : fallCoef);
                data[i] = y;
            }
            state[c] = y;
        }
        // Keeps denormals out of the states.
        constexpr T flushBelow = static_cast<T>(1.0e-8f);
        for (auto& s : state)
            if (s >= -flushBelow && s <= flushBelow)
                s = T(0);
    }

private:
    T coefficientOf(T seconds) const noexcept
    {
        const T samples = seconds * sampleRate;
        // A time that is not a number counts as the shortest.
        return T(1) / (samples > minSlideSamples ? samples : minSlideSamples);
    }

    T sampleRate = T(1000);
    std::array<T, 2> state{T(0), T(0)};
    T riseCoef = T(0.001);
    T fallCoef = T(0.001);
};

template <typename T> class ZuDynSmoother
{
public:
    ZuDynSmoother() = default;

    void prepare(const juce::dsp::ProcessSpec& spec) noexcept
    {
        sampleRate = static_cast<T>(spec.sampleRate);
        invSampleRate = T(1) / sampleRate;
        calcCoef();
        reset();
    }

    void reset() noexcept
    {
        first = {T(0), T(0)};
        second = {T(0), T(0)};
    }

    void setBaseFreqHz(T hz) noexcept
    {
        baseFreq = hz;
        calcCoef();
    }

    // The sensitivity is kept for callers that set it; the filter does not use it.
    void setSens(T value) noexcept
    {
        sensitivity = T(4) * value;
        calcCoef();
    }

    void calcCoef() noexcept
    {
        const T w = juce::MathConstants<T>::pi * baseFreq * invSampleRate;
        const double t = std::tan((double) w);
        coefficient = static_cast<T>(2.0 * t / (1.0 + t));
    }

    void setState(T value, int channel) noexcept
    {
        const auto c = (size_t) (channel != 0 ? 1 : 0);
        first[c] = value;
        second[c] = value;
    }

    void fixHistDif() noexcept
    {
        first[1] = first[0];
        second[1] = first[0];
    }

    T processSample(T x, int channel) noexcept
    {
        const auto c = (size_t) (channel != 0 ? 1 : 0);
        const T k = std::min(coefficient, T(1));
        first[c] += k * (x - first[c]);
        second[c] += k * (first[c] - second[c]);
        return second[c];
    }

    void process(juce::dsp::AudioBlock<T>& block) noexcept
    {
        const size_t channels = std::min(block.getNumChannels(), first.size());
        const size_t n = block.getNumSamples();
        for (size_t c = 0; c < channels; ++c)
        {
            T* data = block.getChannelPointer(c);
            for (size_t i = 0; i < n; ++i)
                data[i] = processSample(data[i], (int) c);
        }
    }

    void process(juce::dsp::AudioBlock<T>& block, std::array<T, 2>& firstStages,
                 std::array<T, 2>& secondStages) noexcept
    {
        first = firstStages;
        second = secondStages;
        process(block);
        firstStages = first;
        secondStages = second;
    }

    T getCoefficient() const noexcept { return coefficient; }
    T getSensitivity() const noexcept { return sensitivity; }
    std::array<T, 2> getFirstStage() const noexcept { return first; }
    std::array<T, 2> getSecondStage() const noexcept { return second; }

private:
    T sampleRate = T(44100);
    T invSampleRate = T(1) / T(44100);
    T baseFreq = T(2);
    T sensitivity = T(1);
    T coefficient = T(0);
    std::array<T, 2> first{T(0), T(0)};
    std::array<T, 2> second{T(0), T(0)};
};
} // namespace zu::zudsp
