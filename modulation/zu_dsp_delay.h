// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A fractional delay line with a gliding delay time, and a stereo pitch
// shifter made of two crossfaded read taps per channel. Nothing in the
// plug-in constructs them; they are kept, tested and benchmarked as part of
// the signal module.

#include <juce_dsp/juce_dsp.h>

#include "zu_dsp_common.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace zu::zudsp
{
// One or two channels; each channel's ring is read with linear interpolation
// at a delay in seconds that glides to each new value over 70 ms.
template <typename T> class ZuSampleDelay
{
    static_assert(std::is_floating_point_v<T>, "The delay runs on float or double samples");

public:
    static constexpr int maxChannels = 2;
    static constexpr double glideSeconds = 0.07;

    ZuSampleDelay() = default;
    ZuSampleDelay(const ZuSampleDelay&) = delete;
    ZuSampleDelay& operator=(const ZuSampleDelay&) = delete;

    // Allocates and clears the rings: one block holding a table of channel
    // pointers and the samples, channel after channel, from a 16-byte
    // boundary. Channels beyond the second have no ring and pass unchanged.
    void initialise(int newLength, int channels, int newDelaySamples)
    {
        storage.free();
        channelData = nullptr;
        numChannels = juce::jlimit(0, maxChannels, channels);
        length = std::max(newLength, 0);
        delaySamples = juce::jlimit(0, std::max(length - 1, 0), newDelaySamples);
        if (numChannels == 0 || length == 0)
        {
            numChannels = 0;
            return;
        }

        const size_t tableBytes = sizeof(T*) * static_cast<size_t>(numChannels);
        const size_t sampleBytes = sizeof(T) * static_cast<size_t>(numChannels) * static_cast<size_t>(length);
        storage.calloc(tableBytes + sampleBytes + alignment);
        channelData = reinterpret_cast<T**>(storage.get());
        auto firstSample = reinterpret_cast<std::uintptr_t>(storage.get() + tableBytes);
        firstSample = (firstSample + alignment - 1) & ~static_cast<std::uintptr_t>(alignment - 1);
        for (int ch = 0; ch < numChannels; ++ch)
        {
            channelData[ch] = reinterpret_cast<T*>(firstSample) + static_cast<size_t>(ch) * static_cast<size_t>(length);
            writePos[static_cast<size_t>(ch)] = 0;
            lastDelay[static_cast<size_t>(ch)] = T(-1);
        }
    }

    void prepare(const juce::dsp::ProcessSpec& spec) noexcept
    {
        if (detail::isPositiveFinite(spec.sampleRate))
            sampleRate = static_cast<T>(spec.sampleRate);
        glide.stepsRemaining = 0;
        glide.current = glide.target;
        glide.length = detail::toCount(static_cast<double>(sampleRate) * glideSeconds);
    }

    void reset() noexcept
    {
        for (int ch = 0; ch < numChannels; ++ch)
            std::fill(channelData[ch], channelData[ch] + length, T(0));
    }

    // Kept for callers that count in samples; processing reads the delay in seconds.
    void setDelaySamples(int value) noexcept { delaySamples = juce::jlimit(0, std::max(length - 1, 0), value); }
    int getDelaySamples() const noexcept { return delaySamples; }

    // The first value jumps; later ones glide. A non-finite delay counts as
    // missing, a negative one as 0.
    void setDelaySec(T seconds) noexcept
    {
        if (!std::isfinite(seconds))
            return;
        seconds = std::max(seconds, T(0));
        targetDelaySec = seconds;
        const auto value = static_cast<float>(seconds);
        if (firstSet)
        {
            firstSet = false;
            jumpTo(value);
            return;
        }
        if (value == glide.target)
            return;
        if (glide.length > 0)
            glide.glideTo(value);
        else
            jumpTo(value);
    }

    T getDelaySec() const noexcept { return targetDelaySec; }
    T getGlidedDelaySec() const noexcept { return glidedDelaySec; }

    // The integer and fractional delay are recomputed only when the glided
    // delay changes, inside processSample.
    void calcDelayOffsetAndFrac() noexcept {}

    // Writes the input into the channel's ring and returns the sample the
    // glided delay reaches back to, interpolated between its two neighbours.
    // Without a ring (before initialise, or a channel beyond it) the input
    // passes unchanged.
    T processSample(T input, int channel) noexcept
    {
        if (channel < 0 || channel >= maxChannels || channel >= numChannels)
            return input;
        const auto c = static_cast<size_t>(channel);
        T* ring = channelData[channel];
        const int newest = writePos[c];
        ring[newest] = input;
        writePos[c] = newest + 1 < length ? newest + 1 : 0;

        if (glidedDelaySec != lastDelay[c])
            updateDelay(c);

        // The delay in samples is whole + fraction behind the newest sample.
        const int r = wrapBack(newest - wholeDelay[c]);
        const int r1 = wrapBack(r - 1);
        return ring[r] + fraction[c] * (ring[r1] - ring[r]);
    }

    // With a delay of 0 the block passes unchanged, the rings still filling.
    void process(const juce::dsp::ProcessContextReplacing<T>& context) noexcept
    {
        if (context.isBypassed)
            return;
        auto& block = context.getOutputBlock();
        const int channels = std::min(numChannels, static_cast<int>(std::min<size_t>(block.getNumChannels(), 2)));
        const int n = detail::lengthOf(block);
        if (targetDelaySec == T(0))
        {
            for (int ch = 0; ch < channels; ++ch)
                writeOnly(block.getChannelPointer(static_cast<size_t>(ch)), n, static_cast<size_t>(ch));
            return;
        }
        for (int i = 0; i < n; ++i)
        {
            glidedDelaySec = static_cast<T>(glide.next());
            for (int ch = 0; ch < channels; ++ch)
            {
                T& sample = block.getChannelPointer(static_cast<size_t>(ch))[i];
                sample = processSample(sample, ch);
            }
        }
    }

    int getLength() const noexcept { return length; }
    int getNumChannels() const noexcept { return numChannels; }
    const T* getChannel(int channel) const noexcept
    {
        return channel >= 0 && channel < numChannels ? channelData[channel] : nullptr;
    }

private:
    static constexpr size_t alignment = 16;

    // A jump also reaches the delay that processSample reads at once.
    void jumpTo(float value) noexcept
    {
        glide.jumpTo(value);
        glidedDelaySec = static_cast<T>(value);
    }

    // A delay is at most length - 1 samples, the oldest sample the ring holds.
    void updateDelay(size_t c) noexcept
    {
        lastDelay[c] = glidedDelaySec;
        const double maxDelay = static_cast<double>(std::max(length - 1, 0));
        const double d = juce::jlimit(0.0, maxDelay, static_cast<double>(glidedDelaySec) * sampleRate);
        int whole = static_cast<int>(d);
        T frac = static_cast<T>(d - whole);
        if (whole >= length - 1 && whole > 0)
        {
            whole = length - 2;
            frac = T(1);
        }
        wholeDelay[c] = whole;
        fraction[c] = frac;
    }

    int wrapBack(int index) const noexcept { return index < 0 ? index + length : index; }

    void writeOnly(const T* data, int n, size_t c) noexcept
    {
        T* ring = channelData[c];
        int pos = writePos[c];
        for (int i = 0; i < n; ++i)
        {
            ring[pos] = data[i];
            pos = pos + 1 < length ? pos + 1 : 0;
        }
        writePos[c] = pos;
    }

    juce::HeapBlock<char> storage;
    T** channelData = nullptr;
    int numChannels = 0;
    std::array<int, maxChannels> writePos{};

    detail::LinearGlide<float> glide; // single precision in both instantiations
    bool firstSet = true;

    T glidedDelaySec = T(0);
    std::array<T, maxChannels> lastDelay{T(-1), T(-1)};
    std::array<T, maxChannels> fraction{};
    std::array<int, maxChannels> wholeDelay{};

    T sampleRate = T(44100);
    int delaySamples = 128;
    int length = 1024;
    T targetDelaySec = T(0);
};

// Two read taps per channel sweep through their delay lines 2500 samples
// apart and crossfade as each nears the end of the window. At the rate of -1
// that prepare sets, each tap's delay shrinks by a sample per sample, so the
// taps read at twice the input speed: one octave up.
template <typename T> class PitchShifter
{
    static_assert(std::is_floating_point_v<T>, "The pitch shifter runs on float or double samples");

public:
    static constexpr int MAXDELAY = 5024;
    static constexpr int bufferLength = MAXDELAY + 1;
    static constexpr int window = 5000;
    static constexpr int halfWindow = 2500;
    static constexpr T minTap = T(12);
    static constexpr T maxTap = T(5012);
    static constexpr T centreTap = T(2512);
    static constexpr T shiftRate = T(-1);
    static constexpr T dryGain = T(0.5);
    static constexpr T wetGain = T(0.6);
    static constexpr size_t numTablePoints = 128;

    using Glide = detail::LinearGlide<T>;

    struct ChannelState
    {
        T tapPos1 = T(0);
        T tapPos2 = T(0);
        T tapGain1 = T(1);
        T tapGain2 = T(0);
        T unused = T(0);
        T lastWet = T(0);
        T crossfade = T(0);
        Glide rate;
    };

    struct DelayLine
    {
        T sampleRate = T(1000);
        juce::AudioBuffer<T> buffer;
        int firstPos = 0;
        int endPos = 0;
        int writePos = 0;
        int ringLength = 1024;
        T lastOut = T(0);
    };

    PitchShifter()
    {
        mix.jumpTo(T(0.5));
        setStartPositions();
        buildTable();
    }

    PitchShifter(const PitchShifter&) = delete;
    PitchShifter& operator=(const PitchShifter&) = delete;

    void prepare(const juce::dsp::ProcessSpec& newSpec)
    {
        spec = newSpec;
        const double rate = detail::isPositiveFinite(spec.sampleRate) ? spec.sampleRate : 44100.0;
        spec.sampleRate = rate;
        mix.length = detail::toCount(rate * 0.0001);
        for (auto& line : lines)
        {
            line.sampleRate = static_cast<T>(rate);
            line.buffer.setSize(1, bufferLength);
            line.buffer.clear();
            line.firstPos = 0;
            line.ringLength = MAXDELAY;
            line.endPos = MAXDELAY;
            line.writePos = MAXDELAY - 1;
            line.lastOut = T(0);
        }
        setStartPositions();
        buildTable();
        for (auto& ch : channels)
        {
            ch.unused = T(-1);
            ch.rate.length = detail::toCount(rate * 0.007);
            ch.rate.jumpTo(ch.rate.target);
            if (ch.rate.target != shiftRate)
                ch.rate.glideTo(shiftRate);
        }
        prepared = true;
    }

    void reset() noexcept {}

    // One stereo sample in place: half the dry input plus the wet taps. Before
    // prepare there are no delay lines and the samples pass unchanged.
    void processSample(T& left, T& right) noexcept
    {
        if (!prepared)
            return;
        const T wetLeft = processChannel(left, 0);
        const T wetRight = processChannel(right, 1);
        left = dryGain * left + wetGain * wetLeft;
        right = dryGain * right + wetGain * wetRight;
    }

    void process(const juce::dsp::ProcessContextReplacing<T>& context) noexcept
    {
        auto& block = context.getOutputBlock();
        if (context.isBypassed || block.getNumChannels() < 2)
            return;
        T* l = block.getChannelPointer(0);
        T* r = block.getChannelPointer(1);
        for (int i = 0, n = detail::lengthOf(block); i < n; ++i)
            processSample(l[i], r[i]);
    }

    static T logsmooth(T target, T& state, T coefficient) noexcept
    {
        state = state + (target - state) * coefficient;
        return state;
    }

    const ChannelState& getChannelState(int channel) const noexcept { return channels[channel == 0 ? 0 : 1]; }

private:
    void setStartPositions() noexcept
    {
        channels[0].tapPos1 = centreTap;
        channels[0].tapPos2 = centreTap;
        channels[1].tapPos1 = minTap;
        channels[1].tapPos2 = centreTap;
    }

    void buildTable()
    {
        triangle.initialise([](T x) { return T(2) * std::min(x, T(1) - x); }, T(0), T(1), numTablePoints);
    }

    static T wrapTap(T pos) noexcept
    {
        if (!std::isfinite(pos))
            return centreTap;
        while (pos > maxTap)
            pos -= T(window);
        while (pos < minTap)
            pos += T(window);
        return pos;
    }

    // One tap: writes the input and reads the interpolated sample `pos` behind it.
    static T readTap(DelayLine& line, T input, T pos) noexcept
    {
        T* data = line.buffer.getWritePointer(0);
        data[line.writePos] = input;
        const int whole = static_cast<int>(pos);
        const T f = pos - static_cast<T>(whole);
        const T a = data[wrap(line.writePos - whole, line.ringLength)];
        const T b = data[wrap(line.writePos - whole - 1, line.ringLength)];
        const T y = b + (T(1) - f) * (a - line.lastOut);
        line.lastOut = y;
        line.writePos = line.writePos + 1 < line.endPos ? line.writePos + 1 : line.firstPos;
        return y;
    }

    static int wrap(int index, int ringLength) noexcept { return index < 0 ? index + ringLength : index; }

    T processChannel(T input, int channel) noexcept
    {
        auto& ch = channels[static_cast<size_t>(channel)];
        const T rate = ch.rate.next();
        ch.tapPos1 = wrapTap(ch.tapPos1 + rate);
        ch.tapPos2 = wrapTap(ch.tapPos1 + T(halfWindow));

        const T target = std::abs((ch.tapPos1 - centreTap) / centreTap);
        const T coefficient = T(0.693147) / std::max(static_cast<T>(spec.sampleRate) * T(0.05), T(1));
        logsmooth(target, ch.crossfade, coefficient);
        ch.tapGain2 = ch.crossfade;
        ch.tapGain1 = T(1) - ch.crossfade;

        const T y1 = readTap(lines[static_cast<size_t>(channel * 2)], input, ch.tapPos1);
        const T y2 = readTap(lines[static_cast<size_t>(channel * 2 + 1)], input, ch.tapPos2);
        ch.lastWet = ch.tapGain1 * y1 + ch.tapGain2 * y2;
        return ch.lastWet;
    }

    Glide mix;
    juce::dsp::ProcessSpec spec{44100.0, 0, 2};
    std::array<ChannelState, 2> channels;
    juce::dsp::LookupTableTransform<T> triangle;
    std::array<DelayLine, 4> lines;
    bool prepared = false;
};

extern template class ZuSampleDelay<float>;
extern template class ZuSampleDelay<double>;
extern template class PitchShifter<float>;
extern template class PitchShifter<double>;
} // namespace zu::zudsp
