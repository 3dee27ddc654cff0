// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The step clock: turns the host tempo and position into a per-sample phase
// ramp in [0, 1) whose one cycle spans sixteen steps of a clock division. Every
// clocked unit, the snapshot chainer and the master clock own one.

#include <juce_dsp/juce_dsp.h>

#include "ZuConvert.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>
#include <utility>

class MirabelGlobalData;

namespace seqclock_detail
{
template <typename T, typename = void> struct HasLoad : std::false_type
{
};
template <typename T> struct HasLoad<T, std::void_t<decltype(std::declval<const T&>().load())>> : std::true_type
{
};
template <typename T, typename = void> struct HasGet : std::false_type
{
};
template <typename T> struct HasGet<T, std::void_t<decltype(std::declval<const T&>().get())>> : std::true_type
{
};

// The tempo fields may be plain numbers or atomics; read either the same way.
template <typename T> double readNumber(const T& value) noexcept
{
    if constexpr (HasLoad<T>::value)
        return static_cast<double>(value.load());
    else if constexpr (HasGet<T>::value)
        return static_cast<double>(value.get());
    else
        return static_cast<double>(value);
}
} // namespace seqclock_detail

// SampleType is double everywhere in the product; the float twin keeps its
// phase, increments and division table in single precision and advances four
// samples per iteration instead of two.
// GlobalData supplies the tempo as members `bpm` and `invBpm` (1 / max(bpm, 10)),
// both kept up to date by the main engine on the audio thread.
template <typename SampleType, typename GlobalData = MirabelGlobalData> class SeqClock
{
    static_assert(std::is_same_v<SampleType, double> || std::is_same_v<SampleType, float>,
                  "The clock runs on float or double samples");

public:
    using ProcessSpec = juce::dsp::ProcessSpec;

    static constexpr int numDivisions = 14;
    static constexpr int masterDivision = 11; // "1/16": one cycle is one 4/4 bar
    static constexpr int clockTypeNormal = 0;
    static constexpr int clockTypeTriplet = 1;
    static constexpr int clockTypeDotted = 2;
    static constexpr int numIncrements = std::is_same_v<SampleType, float> ? 4 : 2;

    // Floors and ceilings applied to what the host and the callers hand in.
    static constexpr double minIncSampleRate = 1000.0;
    static constexpr double maxSampleRate = 1.0e7;
    static constexpr double minIncBpm = 10.0;
    static constexpr double minBeatBpm = 5.0;
    static constexpr double minFreeRateHz = 0.01;

    explicit SeqClock(GlobalData& globalDataToUse) noexcept : globalData(globalDataToUse) {}

    SeqClock(const SeqClock&) = delete;
    SeqClock& operator=(const SeqClock&) = delete;

    // Called with the host's preparation, or on the audio thread for a unit created on demand.
    void prepare(const ProcessSpec& newSpec) noexcept
    {
        spec = newSpec;
        sampleRate = sanitiseSampleRate(spec.sampleRate);
        invSampleRate = static_cast<SampleType>(1.0 / std::max(sampleRate, minIncSampleRate));
        updateSamplesPerBeat();
    }

    void reset() noexcept
    {
        curPhase = 0;
        hostSyncArmed = true;
    }

    void updateSamplesPerBeat() noexcept
    {
        samplesPerBeat = 60.0 * sampleRate / std::max(readBpm(), minBeatBpm);
        len128Samples = zu::toIntSaturating(samplesPerBeat * 0.03125);
    }

    void bpmChanged() noexcept { bpmChangedFlag = true; }
    void setSyncToHostFlag(bool shouldSync) noexcept { hostSyncArmed = shouldSync; }

    // Places the phase where it would be had the clock run at its current
    // increment since position 0. A position whose product is not finite
    // leaves the phase where it is.
    void syncToHost(double ppq) noexcept
    {
        const double position = std::abs(ppq) * samplesPerBeat * static_cast<double>(phaseInc[0]);
        if (std::isfinite(position))
            curPhase = toPhase(position);
    }

    // Tempo-synced increment; also sets the step length.
    void calcPhseIncFactor(SampleType& inc, int divIndex, int clockType) noexcept
    {
        const double bpm = std::max(readBpm(), minIncBpm);
        const auto division = static_cast<double>(divisions[static_cast<size_t>(juce::jlimit(0, 13, divIndex))]);
        const double factor = clockType == clockTypeTriplet  ? 1.5
                              : clockType == clockTypeDotted ? static_cast<double>(dottedIncFactor)
                                                             : 1.0;
        const double exact = static_cast<double>(invSampleRate) / (240.0 / bpm * division) * factor;
        setIncrements(exact);
        inc = toSampleType(exact);
        calcBaseGateLeng(divIndex, clockType, seqclock_detail::readNumber(globalData.invBpm));
    }

    // Free-running increment: sixteen steps per cycle, one step per 1 / rateHz seconds.
    void calcPhseIncFactor2(SampleType& inc, double rateHz) noexcept
    {
        const double rate = sanitiseRate(rateHz);
        const double exact = 0.0625 * rate * static_cast<double>(invSampleRate);
        setIncrements(exact);
        inc = toSampleType(exact);
        stepLenSamples = sampleRate / rate;
    }

    // Step length in samples, the base gate length of the unit engines. A
    // division index outside 0..13 gives 0.
    void calcBaseGateLeng(int divIndex, int clockType, double invBpm) noexcept
    {
        static constexpr double stepSecondsPerInvBpm[numDivisions] = {
            30720.0, 15360.0, 7680.0, 3840.0, 1920.0, 960.0, 480.0, 240.0, 120.0, 60.0, 30.0, 15.0, 7.5, 3.75};
        if (divIndex < 0 || divIndex >= numDivisions)
        {
            stepLenSamples = 0.0;
            return;
        }

        // 0.666665 rather than the increment's 0.666667: kept so that step lengths match
        // what stored songs were made with.
        const double gateFactor = clockType == clockTypeTriplet ? 0.666665 : clockType == clockTypeDotted ? 1.5 : 1.0;
        stepLenSamples = gateFactor * sanitiseInvBpm(invBpm) * stepSecondsPerInvBpm[divIndex] * sampleRate;
    }

    // Fills channel 0 of `out` with the phase of each of its samples. `inc`
    // receives the unrounded increment and `stepLen` the step length in samples.
    // `wrapSample` is -1 unless the host loop wraps inside this block.
    void processBlock(const juce::dsp::AudioBlock<SampleType>& out, SampleType& inc, double ppq, int wrapSample,
                      int divIndex, int clockType, double rateHz, bool synced, double& stepLen) noexcept
    {
        if (bpmChangedFlag)
        {
            bpmChangedFlag = false;
            updateSamplesPerBeat();
        }

        if (synced)
            calcPhseIncFactor(inc, divIndex, clockType);
        else
            calcPhseIncFactor2(inc, rateHz);

        // Right after a host loop wrap the position may still report the end of
        // the loop; follow the host again only once it is clearly inside a beat.
        if (wrapSample != -1)
            hostSyncArmed = false;
        if (!hostSyncArmed)
        {
            const double fraction = ppq - std::floor(ppq);
            if (fraction > 0.1 && fraction < 0.9)
                hostSyncArmed = true;
        }

        if (hostSyncArmed && synced && ppq >= 0.0)
            syncToHost(ppq);

        stepLen = stepLenSamples;

        const auto numSamples = out.getNumSamples();
        SampleType* const dest = out.getNumChannels() > 0 ? out.getChannelPointer(0) : nullptr;
        advance(dest, numSamples);
        curPhase = wrapPhase(curPhase);
    }

    SampleType getCurPhasePos() const noexcept { return curPhase; }

    // A position that is not a number counts as 0; others are wrapped into [0, 1).
    void setPosVal(double newPhase) noexcept { curPhase = toPhase(newPhase); }

    SampleType getPhIncFactor() const noexcept { return phaseInc[0]; }
    double getSamplesPerBeat() const noexcept { return samplesPerBeat; }
    int get128NoteLengSamp() const noexcept { return len128Samples; }
    double getStepLenSamples() const noexcept { return stepLenSamples; }
    bool isHostSyncArmed() const noexcept { return hostSyncArmed; }
    const ProcessSpec& getSpec() const noexcept { return spec; }

    // Wraps into [0, 1). Phases only ever grow by less than a cycle or two per
    // sample, so one subtraction is the usual path.
    template <typename T> static T wrapPhase(T x) noexcept
    {
        if (x >= T(0) && x < T(1))
            return x;
        if (x >= T(1) && x < T(2))
            return x - T(1);
        if (!std::isfinite(x))
            return T(0);
        x -= std::floor(x);
        // A tiny negative input can round up to exactly 1.
        return x < T(1) ? x : T(0);
    }

private:
    ProcessSpec spec{0.0, 0, 0};
    SampleType invSampleRate = static_cast<SampleType>(1.0 / 44100.0);

public:
    // Read in place by the unit engines.
    SampleType curPhase = 0;
    int len128Samples = 0;
    double samplesPerBeat = 0.0;

private:
    double stepLenSamples = 0.0;
    bool hostSyncArmed = true;
    std::array<SampleType, numIncrements> phaseInc{};
    bool bpmChangedFlag = false;
    // Length of one 16-step cycle in 4/4 bars, by division index.
    const std::array<SampleType, numDivisions> divisions{
        2048, 1024, 512, 256, 128, 64, 32, 16, 8, 4, 2, 1, SampleType(0.5), SampleType(0.25)};
    GlobalData& globalData;
    double sampleRate = minIncSampleRate; // the spec's rate after the floor and ceiling

    static constexpr SampleType dottedIncFactor = static_cast<SampleType>(0.666667);

    double readBpm() const noexcept { return zu::finiteOr(seqclock_detail::readNumber(globalData.bpm), 0.0); }

    static double sanitiseSampleRate(double rate) noexcept
    {
        if (!std::isfinite(rate) || rate <= 0.0)
            return minIncSampleRate;
        return std::min(rate, maxSampleRate);
    }

    // 1 / max(bpm, 10) at most; a missing or non-positive value means the tempo floor.
    static double sanitiseInvBpm(double invBpm) noexcept
    {
        constexpr double maxInvBpm = 1.0 / minIncBpm;
        if (!std::isfinite(invBpm) || invBpm <= 0.0)
            return maxInvBpm;
        return std::min(invBpm, maxInvBpm);
    }

    static double sanitiseRate(double rateHz) noexcept
    {
        return std::isfinite(rateHz) && rateHz > minFreeRateHz ? rateHz : minFreeRateHz;
    }

    // Wraps in double, then once more after rounding, which may land on exactly 1.
    static SampleType toPhase(double value) noexcept { return wrapPhase(static_cast<SampleType>(wrapPhase(value))); }

    static SampleType toSampleType(double value) noexcept
    {
        if constexpr (std::is_same_v<SampleType, float>)
            return zu::toFloatSaturating(value);
        else
            return value;
    }

    // Each increment is rounded to single precision, in the double clock as well.
    void setIncrements(double exact) noexcept
    {
        for (size_t k = 0; k < phaseInc.size(); ++k)
            phaseInc[k] = static_cast<SampleType>(zu::toFloatSaturating(static_cast<double>(k + 1) * exact));
    }

    // Writes numIncrements samples per iteration from one starting phase, then
    // the remainder one by one; every sample lies one increment after the previous.
    void advance(SampleType* dest, size_t numSamples) noexcept
    {
        constexpr auto lanes = static_cast<size_t>(numIncrements);
        SampleType phase = curPhase;
        size_t i = 0;

        for (; i + lanes <= numSamples; i += lanes)
        {
            SampleType next = phase;
            for (size_t k = 0; k < lanes; ++k)
            {
                next = wrapPhase(phase + phaseInc[k]);
                if (dest != nullptr)
                    dest[i + k] = next;
            }
            phase = next;
        }

        for (; i < numSamples; ++i)
        {
            phase = wrapPhase(phase + phaseInc[0]);
            if (dest != nullptr)
                dest[i] = phase;
        }

        curPhase = phase;
    }
};
