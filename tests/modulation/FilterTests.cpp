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

// Steady-state gain in decibels of a per-sample filter at one frequency:
// a sine runs through it and the output's RMS is compared with the input's
// once the filter has settled.
template <typename Filter> double gainDb(Filter& filter, double frequency)
{
    using T = decltype(filter.processSample(0, 0));
    filter.reset();
    const int settle = 9600;
    const int measure = 9600;
    double inSum = 0.0, outSum = 0.0;
    for (int i = 0; i < settle + measure; ++i)
    {
        const double x = std::sin(2.0 * juce::MathConstants<double>::pi * frequency * i / sampleRate);
        const double y = static_cast<double>(filter.processSample(static_cast<T>(x), 0));
        if (i >= settle)
        {
            inSum += x * x;
            outSum += y * y;
        }
    }
    return 10.0 * std::log10(outSum / inSum);
}

template <typename T> class FilterTest : public ::testing::Test
{
};
using SampleTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(FilterTest, SampleTypes);

juce::dsp::ProcessSpec specAt(double rate)
{
    return {rate, 512, 2};
}

template <typename Filter>
void expectGains(Filter& filter, std::initializer_list<std::pair<double, double>> expected, double toleranceDb)
{
    for (const auto& [frequency, db] : expected)
        EXPECT_NEAR(gainDb(filter, frequency), db, toleranceDb) << frequency << " Hz";
}
} // namespace

TYPED_TEST(FilterTest, LowPassPassesLowAndAttenuatesHigh)
{
    LpLin<TypeParam> lp;
    lp.prepare(specAt(sampleRate));
    lp.setCutoff(TypeParam(1000));
    lp.setQ(TypeParam(0.707));
    expectGains(lp, {{50.0, 0.0}, {1000.0, -3.0}}, 0.3);
    EXPECT_LT(gainDb(lp, 10000.0), -38.0);
}

TYPED_TEST(FilterTest, AllPassKeepsTheMagnitude)
{
    ApLin<TypeParam> ap;
    ap.prepare(specAt(sampleRate));
    ap.setCutoff(2000.0f);
    ap.setQ(0.707f);
    expectGains(ap, {{60.0, 0.0}, {2000.0, 0.0}, {9000.0, 0.0}}, 0.05);
}

TYPED_TEST(FilterTest, ShelvesLiftOrCutByTheirGain)
{
    using T = TypeParam;
    ZuHighShelf<T> high;
    high.prepare(specAt(sampleRate));
    high.setInitialState(T(1000), T(0.707), T(12));
    expectGains(high, {{30.0, 0.0}, {1000.0, 6.0}, {14000.0, 12.0}}, 0.6);
    high.setGainDB(T(-9));
    expectGains(high, {{30.0, 0.0}, {14000.0, -9.0}}, 0.6);

    ZuLowShelf<T> low;
    low.prepare(specAt(sampleRate));
    low.setInitialState(T(1000), T(0.707), T(-12));
    expectGains(low, {{30.0, -12.0}, {1000.0, -6.0}, {14000.0, 0.0}}, 0.6);
    low.setGainDB(T(6));
    expectGains(low, {{30.0, 6.0}, {14000.0, 0.0}}, 0.6);

    // At 0 dB both shelves leave the signal as it is.
    high.setGainDB(T(0));
    low.setGainDB(T(0));
    expectGains(high, {{100.0, 0.0}, {1000.0, 0.0}, {10000.0, 0.0}}, 0.01);
    expectGains(low, {{100.0, 0.0}, {1000.0, 0.0}, {10000.0, 0.0}}, 0.01);
}

// A sweep through each filter in float and in double gives the same output
// within single precision's reach.
TEST(FilterPrecisionTest, FloatAndDoubleAgree)
{
    auto sweep = [](auto& filter)
    {
        using T = decltype(filter.processSample(0, 0));
        std::vector<double> out;
        double phase = 0.0;
        for (int i = 0; i < 48000; ++i)
        {
            const double f = 20.0 * std::pow(1000.0, i / 48000.0); // 20 Hz to 20 kHz in one second
            phase += f / sampleRate;
            out.push_back(static_cast<double>(filter.processSample(
                static_cast<T>(0.8 * std::sin(2.0 * juce::MathConstants<double>::pi * phase)), 0)));
        }
        return out;
    };
    auto maxDifference = [&](auto& a, auto& b)
    {
        const auto x = sweep(a);
        const auto y = sweep(b);
        double worst = 0.0;
        for (size_t i = 0; i < x.size(); ++i)
            worst = std::max(worst, std::abs(x[i] - y[i]));
        return worst;
    };
    LpLin<float> lpF;
    LpLin<double> lpD;
    ApLin<float> apF;
    ApLin<double> apD;
    ZuHighShelf<float> hsF;
    ZuHighShelf<double> hsD;
    ZuLowShelf<float> lsF;
    ZuLowShelf<double> lsD;
    for (auto* f : {static_cast<juce::dsp::ProcessorBase*>(&lpF), static_cast<juce::dsp::ProcessorBase*>(&lpD),
                    static_cast<juce::dsp::ProcessorBase*>(&apF), static_cast<juce::dsp::ProcessorBase*>(&apD)})
        f->prepare(specAt(sampleRate));
    lpF.setCutoff(3000.0f);
    lpD.setCutoff(3000.0);
    apF.setCutoff(3000.0f);
    apD.setCutoff(3000.0f);
    hsF.prepare(specAt(sampleRate));
    hsD.prepare(specAt(sampleRate));
    lsF.prepare(specAt(sampleRate));
    lsD.prepare(specAt(sampleRate));
    hsF.setInitialState(2000.0f, 0.8f, 9.0f);
    hsD.setInitialState(2000.0, 0.8, 9.0);
    lsF.setInitialState(300.0f, 0.8f, -9.0f);
    lsD.setInitialState(300.0, 0.8, -9.0);
    EXPECT_LT(maxDifference(lpF, lpD), 1.0e-4);
    EXPECT_LT(maxDifference(apF, apD), 1.0e-4);
    EXPECT_LT(maxDifference(hsF, hsD), 1.0e-4);
    EXPECT_LT(maxDifference(lsF, lsD), 1.0e-4);
}

TYPED_TEST(FilterTest, NewLowPassIsSilentUntilItsCoefficientsAreSet)
{
    LpLin<TypeParam> lp;
    lp.prepare(specAt(sampleRate));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(lp.processSample(TypeParam(0.7), 0), TypeParam(0));
    lp.calcCoef();
    EXPECT_NE(lp.processSample(TypeParam(0.7), 0), TypeParam(0));
}

// A filter already set up keeps its cutoff when prepared at another rate.
TYPED_TEST(FilterTest, PrepareAtAnotherRateKeepsTheCutoff)
{
    LpLin<TypeParam> lp;
    lp.setCutoff(TypeParam(1000));
    lp.prepare(specAt(96000.0));
    EXPECT_EQ(lp.getInverseSampleRate(), TypeParam(1) / TypeParam(96000));
    // gainDb assumes 48 kHz, so 500 Hz there is 1000 Hz here.
    EXPECT_NEAR(gainDb(lp, 500.0), -3.0, 0.3);

    lp.prepare(specAt(2000.0));
    EXPECT_EQ(lp.getSampleRate(), TypeParam(2000));
    EXPECT_EQ(lp.getInverseSampleRate(), TypeParam(1) / TypeParam(4410));
}

// Two channels keep separate states; a third channel of a block is left alone.
TEST(FilterBlockTest, ProcessesOneOrTwoChannelsInPlace)
{
    LpLin<double> lp;
    lp.prepare(specAt(sampleRate));
    lp.setCutoff(500.0);
    juce::AudioBuffer<float> buffer(3, 64);
    buffer.clear();
    buffer.setSample(0, 0, 1.0f);
    buffer.setSample(2, 0, 1.0f);
    juce::dsp::AudioBlock<float> block(buffer);
    lp.process(juce::dsp::ProcessContextReplacing<float>(block));
    EXPECT_GT(buffer.getSample(0, 1), 0.0f);
    EXPECT_EQ(buffer.getSample(1, 1), 0.0f) << "channel 1's state never saw channel 0's impulse";
    EXPECT_EQ(buffer.getSample(2, 0), 1.0f);
    EXPECT_EQ(buffer.getSample(2, 1), 0.0f);
}

TYPED_TEST(FilterTest, NonFiniteOrNonPositiveSettingsCountAsMissing)
{
    using T = TypeParam;
    const T nan = std::numeric_limits<T>::quiet_NaN();
    const T inf = std::numeric_limits<T>::infinity();
    LpLin<T> lp;
    lp.prepare(specAt(sampleRate));
    lp.setCutoff(T(1000));
    ZuHighShelf<T> high;
    high.prepare(specAt(sampleRate));
    high.setInitialState(T(1000), T(0.707), T(12));
    ZuLowShelf<T> low;
    low.prepare(specAt(sampleRate));
    low.setInitialState(T(1000), T(0.707), T(-12));
    for (const T bad : {nan, inf, -inf})
    {
        lp.setCutoff(bad);
        lp.setQ(bad);
        for (ZuShelfBase<T>* shelf : {static_cast<ZuShelfBase<T>*>(&high), static_cast<ZuShelfBase<T>*>(&low)})
        {
            shelf->setFreqHz(bad);
            shelf->setQ(bad);
            shelf->setGainDB(bad);
            shelf->setInitialState(bad, bad, bad);
            shelf->setSampleRate(static_cast<float>(bad));
            shelf->prepare({static_cast<double>(bad), 512, 2});
        }
    }
    lp.setQ(T(0));
    lp.setQ(T(-1));
    high.setQ(T(0));
    low.setSampleRate(0.0f);
    lp.prepare({std::numeric_limits<double>::quiet_NaN(), 512, 2});
    EXPECT_EQ(lp.getCutoff(), T(1000));
    EXPECT_EQ(lp.getQ(), T(0.707));
    EXPECT_EQ(high.getGainDB(), T(12));
    EXPECT_EQ(low.getFreqHz(), T(1000));
    EXPECT_EQ(low.getSampleRate(), T(48000));
    EXPECT_NEAR(gainDb(lp, 1000.0), -3.0, 0.3);
    EXPECT_NEAR(gainDb(high, 14000.0), 12.0, 0.6);
    EXPECT_NEAR(gainDb(low, 30.0), -12.0, 0.6);

    // A cutoff at or past Nyquist stays stable instead of blowing up.
    lp.setCutoff(T(30000));
    lp.setCutoff(T(1.0e30));
    EXPECT_TRUE(std::isfinite(gainDb(lp, 1000.0)));
    high.setGainDB(T(1.0e6));
    low.setGainDB(T(-1.0e6));
    EXPECT_TRUE(std::isfinite(gainDb(high, 1000.0)));
    EXPECT_TRUE(std::isfinite(gainDb(low, 1000.0)));
}

TEST(EnvelopeTest, CoefficientFollowsTimeConstantAndSampleRate)
{
    EnvDetectorForLimiter detector(0.01f, 48000.0f);
    EXPECT_FLOAT_EQ(detector.getCoef(), static_cast<float>(std::exp(-1.0 / 480.0)));
    detector.setSampleRate(0.0f);
    EXPECT_EQ(detector.getSampleRate(), 44100.0f);
    EXPECT_FLOAT_EQ(detector.getCoef(), static_cast<float>(std::exp(-1.0 / 441.0)));
    detector.setTc(0.0f);
    EXPECT_EQ(detector.getCoef(), 0.0f);
    detector.setTc(-1.0f);
    EXPECT_EQ(detector.getCoef(), 0.0f) << "a negative time constant never makes a growing envelope";
    detector.setTc(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(detector.getTc(), 0.0f);
    EXPECT_EQ(EnvDetectorForLimiter(0.1f, -5.0f).getSampleRate(), 44100.0f);

    AttRelEnvelope env(0.005f, 0.2f, 0.0f);
    EXPECT_EQ(env.getSampleRate(), 44100.0f);
    EXPECT_EQ(env.getAttack(), 0.005f);
    EXPECT_EQ(env.getRelease(), 0.2f);
    env.setSampleRate(96000.0f);
    env.setRelSec(0.5f);
    EXPECT_EQ(env.getSampleRate(), 96000.0f);
    EXPECT_EQ(env.getReleaseDetector().getSampleRate(), 96000.0f);
    EXPECT_FLOAT_EQ(env.getAttackDetector().getCoef(), static_cast<float>(std::exp(-1.0 / 480.0)));
    EXPECT_FLOAT_EQ(env.getReleaseDetector().getCoef(), static_cast<float>(std::exp(-1.0 / 48000.0)));
}

TEST(TablesTest, HoldTheThreeCurvesOnTheUnitRange)
{
    const Tables tables;
    EXPECT_NEAR(tables.expCurve.processSample(0.0f), 0.0f, 1.0e-3f);
    EXPECT_NEAR(tables.expCurve.processSample(1.0f), 1.0f, 2.0e-3f); // a fast exponential, not an exact one
    EXPECT_NEAR(tables.expCurve.processSample(0.5f), (std::exp(Tables::ln20 * 0.5f) - 1.0f) / 19.0f, 1.0e-3f);
    EXPECT_NEAR(tables.squareRoot.processSample(0.25f), 0.5f, 1.0e-3f);
    EXPECT_NEAR(tables.tangent.processSample(0.5f), std::tan(0.5f), 1.0e-4f);
    EXPECT_NEAR(tables.tangent.processSample(3.0f), std::tan(1.0f), 1.0e-4f) << "inputs clamp to the table's range";
}
