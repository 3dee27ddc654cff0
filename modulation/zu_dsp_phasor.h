// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The signal module's general phasor: a rising phase ramp in [0, 1) from a
// rate in hertz, computed sample by sample. Unlike the tempo phasor it glides
// per sample, writes each phase before advancing it, and can write a stereo
// pair whose second channel is shifted by the width. Nothing in the plug-in
// constructs it; it is kept, tested and benchmarked as part of the module.

#include <juce_dsp/juce_dsp.h>

#include "zu_dsp_common.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <type_traits>

namespace zu::zudsp
{
template <typename T> class ZuPhasor
{
    static_assert(std::is_floating_point_v<T>, "The phasor runs on float or double samples");

public:
    // The working buffer that a glide is computed into is never larger than
    // this; longer blocks are processed in pieces of the buffer's size.
    static constexpr int minBufferSize = 16;
    static constexpr int maxBufferSize = 4096;
    static constexpr T minSampleRate = T(1000);
    static constexpr T minBpm = T(10);
    static constexpr T maxPhaseOffset = T(0.9999);
    static constexpr double glideSeconds = 0.01;

    ZuPhasor() = default;

    ZuPhasor(const ZuPhasor&) = delete;
    ZuPhasor& operator=(const ZuPhasor&) = delete;

    // The only operation that allocates: sizes the working buffer.
    void prepare(const juce::dsp::ProcessSpec& spec)
    {
        if (std::isfinite(spec.sampleRate))
            sampleRate = std::max(static_cast<T>(spec.sampleRate), minSampleRate);
        inverseSampleRate = T(1) / sampleRate;
        frequency.length = detail::toCount(glideSeconds * static_cast<double>(sampleRate));
        updateSamplesPerBeat();
        frequency.jumpTo(frequency.target);
        phase = T(0);
        const auto bufferSize = static_cast<int>(
            juce::jlimit(juce::uint32(minBufferSize), juce::uint32(maxBufferSize), spec.maximumBlockSize));
        workBuffer.resize(static_cast<size_t>(bufferSize), T(0));
        initialized = true;
    }

    // Restarts the phase; a running glide goes on.
    void reset() noexcept { phase = T(0); }

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

    bool isInitialized() const noexcept { return initialized; }
    void setSyncedState(T value) noexcept { syncedState = value > T(0.5); }
    bool getSyncedState() const noexcept { return syncedState; }

    // Starts a glide to the new rate (about 10 ms, one step per sample). A
    // non-finite rate counts as missing and changes nothing.
    void setFrequency(T value) noexcept
    {
        if (!std::isfinite(value))
            return;
        const T a = std::abs(value);
        if (a != frequency.target)
            frequency.glideTo(a);
    }

    void setFrequencyWithoutSmooth(T value) noexcept
    {
        if (std::isfinite(value))
            frequency.jumpTo(std::abs(value));
    }

    T getFrequency() const noexcept { return frequency.target; }
    T getPhaseIncFactor() const noexcept { return frequency.target * inverseSampleRate; }

    void setPhaseOffset(T value) noexcept
    {
        if (std::isfinite(value) && value != phaseOffset)
            phaseOffset = juce::jlimit(T(0), maxPhaseOffset, value);
    }
    T getPhaseOffset() const noexcept { return phaseOffset; }

    T getCurPhasePos() const noexcept { return phase; }
    T getNonOffsetCurPhasePos() const noexcept
    {
        const T p = phase - phaseOffset;
        return p < T(0) ? p + T(1) : p;
    }

    // Callers pass a phase in [0, 1); a non-finite one is ignored.
    void setPos(T value) noexcept
    {
        if (std::isfinite(value))
            phase = value;
    }

    // The width may be set from any thread while the audio thread reads it.
    void setWidth(T value) noexcept { setWidth2(value * T(0.5)); }
    void setWidth2(T value) noexcept
    {
        if (std::isfinite(value))
            width.store(value, std::memory_order_relaxed);
    }
    T getWidth() const noexcept { return width.load(std::memory_order_relaxed); }

    // Host sync: sets the phase from the host position in quarter notes, with
    // the target rate standing for the increment; the position keeps its sign.
    void syncToHost(T ppq) noexcept
    {
        T hostPhase;
        if (hostPhaseAt(ppq, hostPhase))
            phase = hostPhase;
    }

    // Chases the host phase: snaps when close, else takes a small step toward it.
    void syncToHost2(T ppq) noexcept
    {
        T hostPhase;
        if (!hostPhaseAt(ppq, hostPhase))
            return;
        if (std::abs(phase - hostPhase) < T(0.01))
            phase = hostPhase;
        else
            phase = T(0.97) * phase + T(0.03) * hostPhase;
    }

    // Snaps only when already very close; otherwise leaves the phase alone.
    void syncToHost3(T ppq) noexcept
    {
        T hostPhase;
        if (hostPhaseAt(ppq, hostPhase) && std::abs(phase - hostPhase) < T(0.001))
            phase = hostPhase;
    }

    // One output sample: the phase (plus offset) before it advances.
    T processSample(T /*unused*/) noexcept
    {
        const T f = frequency.next();
        const T out = detail::fractionOf(phase + phaseOffset);
        phase = detail::fractionOf(phase + f * inverseSampleRate);
        return out;
    }

    // Writes numSamples phases (at most the block's length) into channel 0 and,
    // for a stereo block, channel 1 shifted by the width; channels beyond the
    // second are left untouched. Returns true when the phase wrapped.
    bool process(juce::dsp::AudioBlock<T>& block, int numSamples) noexcept
    {
        numSamples = std::min(numSamples, detail::lengthOf(block));
        if (numSamples <= 0 || block.getNumChannels() == 0)
            return false;

        const T startPhase = phase;
        T* out = block.getChannelPointer(0);
        int done = 0;

        // A running glide is computed into the working buffer, a buffer's
        // length at a time; without a buffer it is written in place.
        while (done < numSamples && frequency.stepsRemaining > 0)
        {
            const int bufferSize = static_cast<int>(workBuffer.size());
            const int piece = bufferSize > 0 ? std::min(numSamples - done, bufferSize) : numSamples - done;
            T* dest = bufferSize > 0 ? workBuffer.data() : out + done;
            for (int i = 0; i < piece; ++i)
                dest[i] = processSample(T(0));
            if (dest != out + done)
                std::copy(dest, dest + piece, out + done);
            done += piece;
        }

        if (done < numSamples)
            runSteady(out + done, numSamples - done);

        writeSecondChannel(block, numSamples);
        return phase < startPhase;
    }

private:
    // No glide: one increment for the whole run; the end phase follows from
    // the start phase and the count, so rounding does not accumulate.
    void runSteady(T* out, int count) noexcept
    {
        const T inc = frequency.target * inverseSampleRate;
        T p = phase;
        for (int i = 0; i < count; ++i)
        {
            out[i] = detail::fractionOf(p + phaseOffset);
            p = detail::fractionOf(p + inc);
        }
        phase = static_cast<T>(
            detail::fractionOf(static_cast<double>(phase) + static_cast<double>(count) * static_cast<double>(inc)));
    }

    void writeSecondChannel(juce::dsp::AudioBlock<T>& block, int numSamples) noexcept
    {
        if (block.getNumChannels() < 2)
            return;
        const T* a = block.getChannelPointer(0);
        T* b = block.getChannelPointer(1);
        const T shift = getWidth();
        if (shift == T(0))
        {
            std::copy(a, a + numSamples, b);
            return;
        }
        // A negative width shifts the second channel back instead of ahead.
        for (int i = 0; i < numSamples; ++i)
            b[i] = detail::fractionOf(a[i] + shift);
    }

    bool hostPhaseAt(T ppq, T& hostPhase) const noexcept
    {
        if (!syncedState || !std::isfinite(ppq))
            return false;
        const double x = static_cast<double>(frequency.target * inverseSampleRate) *
                         (static_cast<double>(ppq) * static_cast<double>(samplesPerBeat));
        if (!std::isfinite(x))
            return false;
        hostPhase = static_cast<T>(detail::fractionOf(x));
        if (!(hostPhase < T(1)))
            hostPhase = T(0);
        return true;
    }

    bool syncedState = false;
    bool initialized = false;
    std::vector<T> workBuffer;
    // Current and target rate in hertz, glide counter, step and length.
    detail::LinearGlide<T> frequency{T(0.1), T(0.1)};
    T sampleRate = T(48000);
    T inverseSampleRate = T(1) / T(48000);
    T samplesPerBeat = T(24000);
    T bpm = T(120);
    T phase = T(0);
    T phaseOffset = T(0);
    std::atomic<T> width{T(0)};

    static_assert(std::atomic<T>::is_always_lock_free, "The width is shared across threads without a lock");
};

extern template class ZuPhasor<float>;
extern template class ZuPhasor<double>;
} // namespace zu::zudsp
