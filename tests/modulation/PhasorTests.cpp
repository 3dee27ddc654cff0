// SPDX-License-Identifier: GPL-3.0-or-later
#include "zu_dsp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using zu::zudsp::ZuPhasor;

namespace
{
template <typename T> struct Channels
{
    Channels(int numChannels, int numSamples)
        : data(static_cast<size_t>(numChannels), std::vector<T>(static_cast<size_t>(numSamples), T(-7)))
    {
        for (auto& ch : data)
            pointers.push_back(ch.data());
    }

    juce::dsp::AudioBlock<T> block(int numSamples)
    {
        return {pointers.data(), pointers.size(), static_cast<size_t>(numSamples)};
    }

    std::vector<std::vector<T>> data;
    std::vector<T*> pointers;
};

template <typename T> void prepareAt(ZuPhasor<T>& phasor, double sampleRate, int blockSize = 512)
{
    phasor.prepare({sampleRate, static_cast<juce::uint32>(blockSize), 2});
}

// Distance on the unit circle, so 0.9999 and 0.0001 count as close.
double phaseDistance(double a, double b)
{
    const double d = std::abs(a - b);
    return std::min(d, 1.0 - d);
}

template <typename T> constexpr double tolerance()
{
    return std::is_same_v<T, float> ? 2.0e-4 : 1.0e-9;
}

template <typename T> class PhasorTest : public ::testing::Test
{
};
using SampleTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(PhasorTest, SampleTypes);
} // namespace

TYPED_TEST(PhasorTest, RampsAtTheRateOverTheSampleRate)
{
    using T = TypeParam;
    struct Case
    {
        double rate;
        double sampleRate;
    };
    const Case cases[] = {{1.0, 48000.0}, {1000.0, 48000.0}, {440.0, 44100.0}, {3.5, 96000.0}, {20000.0, 192000.0}};
    constexpr int n = 300;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.rate);
        ZuPhasor<T> phasor;
        prepareAt(phasor, c.sampleRate);
        phasor.setFrequencyWithoutSmooth(static_cast<T>(c.rate));
        Channels<T> out(1, n);
        auto block = out.block(n);
        phasor.process(block, n);
        const double inc = c.rate / c.sampleRate;
        for (int i = 0; i < n; ++i)
            ASSERT_LT(phaseDistance(out.data[0][static_cast<size_t>(i)], std::fmod(i * inc, 1.0)), tolerance<T>()) << i;
        EXPECT_LT(phaseDistance(phasor.getCurPhasePos(), std::fmod(n * inc, 1.0)), tolerance<T>());
    }
}

TYPED_TEST(PhasorTest, WritesEachPhaseBeforeAdvancing)
{
    using T = TypeParam;
    ZuPhasor<T> phasor;
    prepareAt(phasor, 48000.0);
    phasor.setFrequencyWithoutSmooth(T(1000));
    phasor.setPos(T(0.5));
    EXPECT_EQ(phasor.processSample(T(0)), T(0.5));
    EXPECT_NEAR(phasor.getCurPhasePos(), 0.5 + 1.0 / 48.0, tolerance<T>());

    struct Case
    {
        double start, end;
        bool wrapped;
    };
    for (const auto& c : {Case{0.75, 0.25, true}, Case{0.25, 0.75, false}})
    {
        phasor.setPos(static_cast<T>(c.start));
        Channels<T> out(1, 24);
        auto block = out.block(24);
        EXPECT_EQ(phasor.process(block, 24), c.wrapped);
        for (int i = 0; i < 24; ++i)
            EXPECT_LT(phaseDistance(out.data[0][static_cast<size_t>(i)], std::fmod(c.start + i / 48.0, 1.0)),
                      tolerance<T>());
        EXPECT_NEAR(phasor.getCurPhasePos(), c.end, tolerance<T>());
    }
}

TYPED_TEST(PhasorTest, GlidesOneStepPerSampleOverTenMilliseconds)
{
    using T = TypeParam;
    for (const double sampleRate : {48000.0, 44100.0})
    {
        const int glide = static_cast<int>(0.01 * sampleRate);
        ZuPhasor<T> phasor;
        prepareAt(phasor, sampleRate);
        phasor.setFrequencyWithoutSmooth(T(1));
        phasor.setFrequency(T(2));
        // Each sample's increment tells the rate it ran at.
        std::vector<double> rates;
        for (int i = 0; i < glide + 20; ++i)
        {
            const double before = phasor.getCurPhasePos();
            phasor.processSample(T(0));
            rates.push_back((phasor.getCurPhasePos() - before) * sampleRate);
        }
        const double rateTol = std::is_same_v<T, float> ? 5.0e-3 : 1.0e-6;
        EXPECT_NEAR(rates[0], 1.0 + 1.0 / glide, rateTol);
        EXPECT_NEAR(rates[static_cast<size_t>(glide / 2 - 1)], 1.0 + (glide / 2) / static_cast<double>(glide), rateTol);
        EXPECT_NEAR(rates[static_cast<size_t>(glide - 1)], 2.0, rateTol);
        EXPECT_NEAR(rates.back(), 2.0, rateTol);
    }
}

TYPED_TEST(PhasorTest, StereoPairShiftsTheSecondChannelByTheWidth)
{
    using T = TypeParam;
    ZuPhasor<T> phasor;
    prepareAt(phasor, 48000.0);
    phasor.setFrequencyWithoutSmooth(T(1500));
    struct Case
    {
        T widthArg;
        bool halved;
        double shift;
    };
    const Case cases[] = {{T(0.5), true, 0.25}, {T(0), true, 0.0}, {T(0.6), false, 0.6}, {T(-0.25), false, -0.25}};
    for (const auto& c : cases)
    {
        c.halved ? phasor.setWidth(c.widthArg) : phasor.setWidth2(c.widthArg);
        EXPECT_NEAR(phasor.getWidth(), c.shift, 1.0e-7);
        Channels<T> out(3, 64);
        auto block = out.block(64);
        phasor.process(block, 64);
        for (size_t i = 0; i < 64; ++i)
        {
            const double expected = std::fmod(out.data[0][i] + c.shift + 1.0, 1.0);
            ASSERT_LT(phaseDistance(out.data[1][i], expected), tolerance<T>()) << i;
            ASSERT_GE(out.data[1][i], T(0));
            ASSERT_LT(out.data[1][i], T(1));
            ASSERT_EQ(out.data[2][i], T(-7)) << "channels beyond the pair are left alone";
        }
    }
}

TYPED_TEST(PhasorTest, EachHostSyncVariantFollowsAJumpInPosition)
{
    using T = TypeParam;
    // 2 Hz at 120 bpm: one cycle per beat, so the host phase is the fraction of ppq.
    auto make = [](ZuPhasor<T>& phasor)
    {
        prepareAt(phasor, 48000.0);
        phasor.setBpm(T(120));
        phasor.setFrequencyWithoutSmooth(T(2));
        phasor.setSyncedState(T(1));
        Channels<T> out(1, 100);
        auto block = out.block(100);
        phasor.process(block, 100);
    };
    struct Case
    {
        int variant;
        double phaseBefore;
        double ppq;
        double expected;
    };
    const Case cases[] = {
        {1, 0.9, 10.3, 0.3},      {1, 0.1, -3.7, 0.3}, // the sign is kept: -3.7 lies 0.3 into its beat
        {2, 0.5, 7.505, 0.505},   {2, 0.5, 7.6, 0.503}, {2, 0.2, 12.9, 0.97 * 0.2 + 0.03 * 0.9},
        {3, 0.5, 4.5005, 0.5005}, {3, 0.5, 4.502, 0.5},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "variant " << c.variant << " ppq " << c.ppq);
        ZuPhasor<T> phasor;
        make(phasor);
        phasor.setPos(static_cast<T>(c.phaseBefore));
        const T ppq = static_cast<T>(c.ppq);
        c.variant == 1 ? phasor.syncToHost(ppq) : c.variant == 2 ? phasor.syncToHost2(ppq) : phasor.syncToHost3(ppq);
        const double syncTol = std::is_same_v<T, float> ? 3.0e-5 : 1.0e-9;
        EXPECT_NEAR(phasor.getCurPhasePos(), c.expected, syncTol);

        // Not synced: no variant moves the phase.
        phasor.setSyncedState(T(0));
        phasor.setPos(T(0.42));
        phasor.syncToHost(ppq);
        phasor.syncToHost2(ppq);
        phasor.syncToHost3(ppq);
        EXPECT_EQ(phasor.getCurPhasePos(), T(0.42));
    }
}

TYPED_TEST(PhasorTest, PhaseWithoutTheOffset)
{
    using T = TypeParam;
    ZuPhasor<T> phasor;
    phasor.setPos(T(0.1));
    phasor.setPhaseOffset(T(0.3));
    EXPECT_NEAR(phasor.getNonOffsetCurPhasePos(), 0.8, 1.0e-6);
    phasor.setPhaseOffset(T(1.5));
    EXPECT_EQ(phasor.getPhaseOffset(), T(0.9999));
    phasor.setPhaseOffset(T(-0.2));
    EXPECT_EQ(phasor.getPhaseOffset(), T(0));
}

// The working buffer holds at most 4096 samples; a glide through a longer
// block (or a block longer than prepare announced) is computed in pieces and
// comes out exactly as sample-by-sample processing would.
TYPED_TEST(PhasorTest, GlideThroughABlockLongerThanTheBufferIsProcessedInPieces)
{
    using T = TypeParam;
    struct Case
    {
        int preparedBlock;
        int blockLength;
    };
    for (const auto& c : {Case{8192, 10000}, Case{16, 700}, Case{512, 5000}})
    {
        SCOPED_TRACE(c.blockLength);
        ZuPhasor<T> phasor, reference;
        for (auto* p : {&phasor, &reference})
        {
            prepareAt(*p, 48000.0, c.preparedBlock);
            p->setFrequencyWithoutSmooth(T(3));
            p->setFrequency(T(5000));
        }
        Channels<T> out(2, c.blockLength + 8);
        auto block = out.block(c.blockLength);
        phasor.process(block, c.blockLength);
        for (int i = 0; i < c.blockLength; ++i)
        {
            const T expected = reference.processSample(T(0));
            ASSERT_LT(phaseDistance(out.data[0][static_cast<size_t>(i)], expected), tolerance<T>()) << i;
            ASSERT_EQ(out.data[1][static_cast<size_t>(i)], out.data[0][static_cast<size_t>(i)]);
        }
        for (int i = c.blockLength; i < c.blockLength + 8; ++i)
            ASSERT_EQ(out.data[0][static_cast<size_t>(i)], T(-7)) << "nothing written past the block";
        EXPECT_LT(phaseDistance(phasor.getCurPhasePos(), reference.getCurPhasePos()), tolerance<T>() * 10);
    }
}

TYPED_TEST(PhasorTest, NeverWritesPastTheBlockItIsGiven)
{
    using T = TypeParam;
    ZuPhasor<T> phasor;
    prepareAt(phasor, 48000.0, 64);
    phasor.setFrequency(T(700));
    Channels<T> out(1, 80);
    auto block = out.block(64);
    phasor.process(block, 1000);
    EXPECT_NE(out.data[0][63], T(-7));
    EXPECT_EQ(out.data[0][64], T(-7));
    EXPECT_FALSE(phasor.process(block, 0));
    EXPECT_FALSE(phasor.process(block, -5));
}

TYPED_TEST(PhasorTest, NonFiniteValuesCountAsMissing)
{
    using T = TypeParam;
    const T nan = std::numeric_limits<T>::quiet_NaN();
    const T inf = std::numeric_limits<T>::infinity();
    ZuPhasor<T> phasor;
    phasor.prepare({std::numeric_limits<double>::quiet_NaN(), 256, 2});
    EXPECT_TRUE(phasor.isInitialized());
    phasor.setFrequencyWithoutSmooth(T(100));
    phasor.setPhaseOffset(T(0.25));
    phasor.setBpm(T(90));
    phasor.setWidth2(T(0.125));
    for (const T bad : {nan, inf, -inf})
    {
        phasor.setFrequency(bad);
        phasor.setFrequencyWithoutSmooth(bad);
        phasor.setPhaseOffset(bad);
        phasor.setBpm(bad);
        phasor.setWidth(bad);
        phasor.setPos(bad);
        phasor.setSyncedState(T(1));
        phasor.syncToHost(bad);
        phasor.syncToHost2(bad);
        phasor.syncToHost3(bad);
    }
    EXPECT_EQ(phasor.getFrequency(), T(100));
    EXPECT_EQ(phasor.getPhaseOffset(), T(0.25));
    EXPECT_EQ(phasor.getBpm(), T(90));
    EXPECT_EQ(phasor.getWidth(), T(0.125));
    EXPECT_NEAR(phasor.getSamplesPerBeat(), 60.0 * 48000.0 / 90.0, 1.0e-2);
    Channels<T> out(2, 256);
    auto block = out.block(256);
    phasor.process(block, 256);
    for (const auto& ch : out.data)
        for (const T v : ch)
            ASSERT_TRUE(v >= T(0) && v < T(1)) << v;
    EXPECT_NEAR(phasor.getCurPhasePos(), std::fmod(256 * 100.0 / 48000.0, 1.0), tolerance<T>());
}
