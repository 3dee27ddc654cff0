// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The phase generator of the modulation slots: turns a rate in hertz into a
// rising phase in [0, 1) written into channel 0 of a block. It adds a phase
// offset, glides to a new rate over a few calls (one step per call, so the
// glide's length follows the caller's block size), can stop at the top
// instead of wrapping (one-shot), and can take its phase from the host
// position in quarter notes (host sync).
//
// Each call advances before it writes: the first value written is one
// increment past the stored phase. Blocks whose first output sample is
// 16-byte aligned are rendered in groups of one vector register (four floats
// or two doubles); the others sample by sample; both give the same values up
// to rounding. Values that are not numbers are ignored where they enter.

#include <juce_dsp/juce_dsp.h>

#include <emmintrin.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <type_traits>

template <typename T> class ZuSsePhasor
{
public:
    // Samples per vector group: four floats or two doubles in 128 bits.
    static constexpr int lanes = (int) (16 / sizeof(T));
    static constexpr T oneShotTop = static_cast<T>(0.9999);
    static constexpr T minBpm = T(10);
    static constexpr T minSampleRate = T(1000);

    ZuSsePhasor() noexcept { oneShotLimit.fill(oneShotTop); }

    void prepare(const juce::dsp::ProcessSpec& spec) noexcept
    {
        const T rate = static_cast<T>(spec.sampleRate);
        sampleRate = rate >= minSampleRate ? rate : minSampleRate; // NaN too
        invSampleRate = T(1) / sampleRate;
        glideLength = (int) std::floor(0.0003 * (double) sampleRate);
        updateSamplesPerBeat();
        glideCounter = 0;
        currentFreq = targetFreq;
        phase = T(0);
        initialized = true;
    }

    void reset() noexcept
    {
        phase = T(0);
        glideCounter = 0;
        currentFreq = targetFreq;
    }

    void setBpm(T value) noexcept
    {
        if (!std::isfinite(value))
            return;
        bpm = std::max(value, minBpm);
        updateSamplesPerBeat();
    }
    T getBpm() const noexcept { return bpm; }
    void updateSamplesPerBeat() noexcept { samplesPerBeat = T(60) * sampleRate / bpm; }
    T getSamplesPerBeat() const noexcept { return samplesPerBeat; }

    void setSyncedState(T value) noexcept { synced = value > T(0.5); }
    bool getSyncedState() const noexcept { return synced; }
    void setOneshotState(bool value) noexcept { oneShot = value; }
    bool isInitialized() const noexcept { return initialized; }

    // Glides to |hz| over the glide length (one step per process call), or
    // jumps when the glide length is 0.
    void setFrequency(T hz) noexcept
    {
        if (!std::isfinite(hz))
            return;
        const T a = std::abs(hz);
        if (a == targetFreq)
            return;
        if (glideLength > 0)
        {
            targetFreq = a;
            glideCounter = glideLength;
            glideStep = (a - currentFreq) / static_cast<T>(glideLength);
        }
        else
        {
            glideCounter = 0;
            currentFreq = a;
            targetFreq = a;
        }
    }
    T getFrequency() const noexcept { return targetFreq; }
    T getCurrentFrequency() const noexcept { return currentFreq; }
    int getGlideLength() const noexcept { return glideLength; }
    T getInverseSampleRate() const noexcept { return invSampleRate; }
    // The per-sample increment once a glide has ended.
    T getPhaseIncFactor() const noexcept { return targetFreq * invSampleRate; }
    // The increment of the last call that wrote samples (host sync reads it).
    T getLastIncrement() const noexcept { return incLanes[0]; }

    void setPhaseOffset(T value) noexcept
    {
        if (!std::isfinite(value) || value == phaseOffset)
            return;
        phaseOffset = std::clamp(value, T(0), oneShotTop);
    }
    T getPhaseOffset() const noexcept { return phaseOffset; }

    T getCurPhasePos() const noexcept { return phase; }
    void setPos(T value) noexcept
    {
        if (std::isfinite(value))
            phase = value;
    }

    void setWidth(T value) noexcept { width = value * T(0.5); }
    void setWidth2(T value) noexcept { width = value; }
    T getWidth() const noexcept { return width; }

    // The phase a phasor running at the last call's increment would have
    // reached after |ppq| quarter notes from position 0; only while synced.
    void syncToHost(T ppq) noexcept
    {
        if (!synced || !std::isfinite(ppq))
            return;
        const T x = std::abs(ppq) * samplesPerBeat * incLanes[0];
        if (std::isfinite(x))
            phase = x - std::floor(x);
    }

    bool process(juce::dsp::AudioBlock<T>& block, int numSamples) noexcept
    {
        T inc = T(0);
        const int n = beginCall(block, numSamples, inc);
        if (n <= 0)
            return true;
        T* out = block.getChannelPointer(0);
        if ((reinterpret_cast<std::uintptr_t>(out) & 15u) == 0)
            renderGroups(out, n, inc);
        else
            renderSamples(out, n, inc, oneShot);
        return true;
    }

    bool processStereo(juce::dsp::AudioBlock<T>& block, int numSamples) noexcept
    {
        T inc = T(0);
        const int n = beginCall(block, numSamples, inc);
        if (n <= 0)
            return true;
        T* out = block.getChannelPointer(0);
        renderSamples(out, n, inc, false);
        if (block.getNumChannels() == 2 && width >= T(0))
        {
            T* second = block.getChannelPointer(1);
            for (int i = 0; i < n; ++i)
                second[i] = width > T(0) ? frac(out[i] + width) : out[i];
        }
        return true;
    }

private:
    static T frac(T x) noexcept { return x - std::floor(x); }

    // The glide step of a call, then the samples it writes (none: 0) and
    // their increment, stored in the increment lanes.
    int beginCall(const juce::dsp::AudioBlock<T>& block, int numSamples, T& inc) noexcept
    {
        const T freq = advanceGlide();
        const int n = std::min(numSamples, (int) block.getNumSamples());
        if (n <= 0 || block.getNumChannels() == 0)
            return 0;
        inc = freq * invSampleRate;
        for (int k = 0; k < lanes; ++k)
            incLanes[(size_t) k] = inc * static_cast<T>(k + 1);
        return n;
    }

    T advanceGlide() noexcept
    {
        if (glideCounter > 0)
        {
            --glideCounter;
            if (glideCounter == 0)
                currentFreq = targetFreq;
            else
                currentFreq += glideStep;
        }
        return glideCounter > 0 ? currentFreq : targetFreq;
    }

    void renderSamples(T* out, int n, T inc, bool stopAtTop) noexcept
    {
        T p = phase;
        for (int i = 0; i < n; ++i)
        {
            p += inc;
            p = stopAtTop ? std::min(p, oneShotTop) : p - std::floor(p);
            out[i] = frac(p + phaseOffset);
        }
        phase = p;
    }

    // Whole groups of `lanes` samples from the group's base phase (the
    // previous group's last phase), then the remainder sample by sample.
    // Every value is non-negative and below 2^31, so the fraction is taken by
    // truncation.
    void renderGroups(T* out, int n, T inc) noexcept
    {
        const int groups = n / lanes;
        if constexpr (std::is_same_v<T, float>)
            phase = renderGroupsSse(out, groups);
        else
            phase = renderGroupsScalar(out, groups);
        const int done = groups * lanes;
        if (done < n)
            renderSamples(out + done, n - done, inc, oneShot);
        else
            phase = oneShot ? std::min(phase, oneShotTop) : frac(phase);
    }

    T renderGroupsScalar(T* out, int groups) noexcept
    {
        T b = phase;
        const T offset = phaseOffset;
        for (int g = 0; g < groups; ++g)
        {
            T* o = out + g * lanes;
            T w[lanes];
            for (int k = 0; k < lanes; ++k)
            {
                T p = b + incLanes[(size_t) k];
                if (oneShot)
                    p = std::min(p, oneShotLimit[(size_t) k]);
                w[k] = p - truncated(p);
                o[k] = offset == T(0) ? w[k] : fracPositive(w[k] + offset);
            }
            b = w[lanes - 1];
        }
        return b;
    }

    float renderGroupsSse(float* out, int groups) noexcept
    {
        const __m128 steps = _mm_loadu_ps(incLanes.data());
        const __m128 limit = _mm_loadu_ps(oneShotLimit.data());
        const __m128 offset = _mm_set1_ps(phaseOffset);
        const bool withOffset = phaseOffset != 0.0f;
        const auto fraction = [](__m128 x) { return _mm_sub_ps(x, _mm_cvtepi32_ps(_mm_cvttps_epi32(x))); };
        __m128 base = _mm_set1_ps(phase);
        for (int g = 0; g < groups; ++g)
        {
            __m128 p = _mm_add_ps(base, steps);
            if (oneShot)
                p = _mm_min_ps(p, limit);
            const __m128 w = fraction(p);
            _mm_store_ps(out + g * lanes, withOffset ? fraction(_mm_add_ps(w, offset)) : w);
            base = _mm_shuffle_ps(w, w, _MM_SHUFFLE(3, 3, 3, 3));
        }
        return _mm_cvtss_f32(base);
    }

    static T truncated(T x) noexcept { return static_cast<T>(static_cast<std::int64_t>(x)); }
    static T fracPositive(T x) noexcept { return x - truncated(x); }

    bool synced = false;
    bool initialized = false;
    bool oneShot = false;
    T currentFreq = T(0.1);
    T targetFreq = T(0.1);
    int glideCounter = 0;
    T glideStep = T(0);
    int glideLength = 0;
    T sampleRate = T(48000);
    T invSampleRate = T(1) / T(48000);
    T samplesPerBeat = T(24000);
    T bpm = T(120);
    T phase = T(0);
    T phaseOffset = T(0);
    T width = T(0);
    std::array<T, lanes> incLanes{};
    std::array<T, lanes> oneShotLimit{};
};
