// SPDX-License-Identifier: GPL-3.0-or-later
#include "zu_dsp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace zu::zudsp;

namespace
{
constexpr double sampleRate = 48000.0;

template <typename T> class DelayTest : public ::testing::Test
{
};
using SampleTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(DelayTest, SampleTypes);

template <typename T> void runBlock(ZuSampleDelay<T>& delay, juce::AudioBuffer<T>& buffer)
{
    juce::dsp::AudioBlock<T> block(buffer);
    delay.process(juce::dsp::ProcessContextReplacing<T>(block));
}

template <typename T> juce::AudioBuffer<T> impulse(int channels, int length)
{
    juce::AudioBuffer<T> buffer(channels, length);
    buffer.clear();
    for (int ch = 0; ch < channels; ++ch)
        buffer.setSample(ch, 0, T(1));
    return buffer;
}

template <typename T> void prepareDelay(ZuSampleDelay<T>& delay, int length)
{
    delay.initialise(length, 2, 0);
    delay.prepare({sampleRate, 512, 2});
}
} // namespace

// The delay in samples is delay x sample rate: an impulse comes out split
// between the two samples around it, its centre exactly at the set delay.
TYPED_TEST(DelayTest, ImpulseComesOutAfterTheFractionalDelay)
{
    using T = TypeParam;
    for (const double samples : {0.0, 0.25, 1.0, 1.5, 10.5, 100.75, 1023.0})
    {
        SCOPED_TRACE(samples);
        ZuSampleDelay<T> delay;
        prepareDelay(delay, 1024);
        delay.setDelaySec(static_cast<T>(samples / sampleRate));
        auto buffer = impulse<T>(2, 1100);
        runBlock(delay, buffer);
        if (samples == 0.0)
        {
            EXPECT_EQ(buffer.getSample(0, 0), T(1));
            continue;
        }
        const int whole = static_cast<int>(samples);
        const double frac = samples - whole;
        // The glide holds the delay in single precision in both instantiations.
        const double tol = std::is_same_v<T, float> ? 2.0e-3 : 1.0e-4;
        for (int ch = 0; ch < 2; ++ch)
        {
            double sum = 0.0, centre = 0.0;
            for (int i = 0; i < buffer.getNumSamples(); ++i)
            {
                sum += buffer.getSample(ch, i);
                centre += i * static_cast<double>(buffer.getSample(ch, i));
            }
            EXPECT_NEAR(buffer.getSample(ch, whole), 1.0 - frac, tol);
            EXPECT_NEAR(sum, 1.0, tol);
            EXPECT_NEAR(centre / sum, samples, tol * 10);
        }
    }
}

TYPED_TEST(DelayTest, DelayLongerThanTheRingReadsItsOldestSample)
{
    using T = TypeParam;
    ZuSampleDelay<T> delay;
    prepareDelay(delay, 256);
    delay.setDelaySec(T(1));
    auto buffer = impulse<T>(1, 600);
    runBlock(delay, buffer);
    for (int i = 0; i < 600; ++i)
        ASSERT_EQ(buffer.getSample(0, i), i == 255 ? T(1) : T(0)) << i;
}

TYPED_TEST(DelayTest, ZeroDelayPassesTheSignalAndStillFillsTheRings)
{
    using T = TypeParam;
    ZuSampleDelay<T> delay;
    prepareDelay(delay, 64);
    juce::AudioBuffer<T> buffer(2, 40);
    for (int i = 0; i < 40; ++i)
    {
        buffer.setSample(0, i, T(i));
        buffer.setSample(1, i, T(-i));
    }
    runBlock(delay, buffer);
    for (int i = 0; i < 40; ++i)
    {
        EXPECT_EQ(buffer.getSample(0, i), T(i));
        EXPECT_EQ(delay.getChannel(0)[i], T(i));
        EXPECT_EQ(delay.getChannel(1)[i], T(-i));
    }
    // The ring's history serves a delay set afterwards.
    delay.setDelaySec(T(10.0 / sampleRate));
    juce::AudioBuffer<T> silence(2, 1);
    silence.clear();
    runBlock(delay, silence);
    EXPECT_NEAR(silence.getSample(0, 0), 30.0, 1.0e-3);
}

TYPED_TEST(DelayTest, FirstDelayJumpsAndLaterOnesGlideOverSeventyMilliseconds)
{
    using T = TypeParam;
    ZuSampleDelay<T> delay;
    prepareDelay(delay, 4096);
    delay.setDelaySec(T(0.01));
    EXPECT_NEAR(delay.getGlidedDelaySec(), 0.01, 1.0e-7);
    delay.setDelaySec(T(0.02));
    const int glide = static_cast<int>(0.07 * sampleRate);
    juce::AudioBuffer<T> buffer(2, glide / 2);
    buffer.clear();
    runBlock(delay, buffer);
    EXPECT_NEAR(delay.getGlidedDelaySec(), 0.015, 1.0e-5);
    runBlock(delay, buffer);
    EXPECT_EQ(delay.getGlidedDelaySec(), static_cast<T>(0.02f));
}

TYPED_TEST(DelayTest, BadInputIsIgnoredSafely)
{
    using T = TypeParam;
    ZuSampleDelay<T> unprepared;
    EXPECT_EQ(unprepared.processSample(T(0.5), 0), T(0.5)) << "no ring before initialise";
    juce::AudioBuffer<T> buffer(2, 16);
    buffer.clear();
    buffer.setSample(0, 0, T(1));
    unprepared.setDelaySec(T(0.001));
    runBlock(unprepared, buffer);
    EXPECT_EQ(buffer.getSample(0, 0), T(1));

    ZuSampleDelay<T> delay;
    prepareDelay(delay, 128);
    delay.setDelaySec(T(4.0 / sampleRate));
    for (const T bad : {std::numeric_limits<T>::quiet_NaN(), std::numeric_limits<T>::infinity()})
        delay.setDelaySec(bad);
    delay.setDelaySec(T(-3));
    EXPECT_EQ(delay.getDelaySec(), T(0));
    delay.setDelaySec(T(4.0 / sampleRate));
    EXPECT_EQ(delay.processSample(T(0.25), 7), T(0.25)) << "a channel without a ring passes";
    delay.setDelaySamples(100000);
    EXPECT_EQ(delay.getDelaySamples(), 127);
    delay.initialise(0, 2, 10);
    EXPECT_EQ(delay.processSample(T(0.5), 0), T(0.5));
}

TYPED_TEST(DelayTest, PitchShifterRaisesASineByAnOctave)
{
    using T = TypeParam;
    PitchShifter<T> shifter;
    shifter.prepare({sampleRate, 512, 2});
    const double frequency = 220.0;
    const int n = 48000;
    int inCrossings = 0, wetCrossings = 0;
    double previousIn = 0.0, previousWet = 0.0;
    for (int i = 0; i < n; ++i)
    {
        const T x = static_cast<T>(std::sin(2.0 * juce::MathConstants<double>::pi * frequency * i / sampleRate));
        T left = x, right = x;
        shifter.processSample(left, right);
        const auto& l = shifter.getChannelState(0);
        const auto& r = shifter.getChannelState(1);
        for (const auto* ch : {&l, &r})
        {
            ASSERT_GE(ch->tapPos1, T(12));
            ASSERT_LE(ch->tapPos1, T(5012));
            ASSERT_GE(ch->tapPos2, T(12));
            ASSERT_LE(ch->tapPos2, T(5012));
            ASSERT_NEAR(std::abs(ch->tapPos2 - ch->tapPos1), 2500.0, 1.0e-2);
        }
        // The output is half the dry input plus 0.6 of the wet taps.
        const double wet = (static_cast<double>(left) - 0.5 * x) / 0.6;
        ASSERT_NEAR(wet, static_cast<double>(l.lastWet), 1.0e-4);
        if (i >= n / 2)
        {
            inCrossings += (previousIn < 0.0) != (x < 0);
            wetCrossings += (previousWet < 0.0) != (wet < 0.0);
        }
        previousIn = x;
        previousWet = wet;
    }
    EXPECT_NEAR(static_cast<double>(wetCrossings) / inCrossings, 2.0, 0.1);
}
