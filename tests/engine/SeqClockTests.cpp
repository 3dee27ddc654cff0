// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeqClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
// Stands in for the global model: the clock reads only these two tempo fields.
struct TestTempo
{
    double bpm = 120.0;
    double invBpm = 1.0 / 120.0;

    void set(double newBpm)
    {
        bpm = newBpm;
        invBpm = 1.0 / std::max(newBpm, 10.0);
    }
};

struct AtomicTempo
{
    std::atomic<double> bpm{120.0};
    std::atomic<double> invBpm{1.0 / 120.0};
};

using Clock = SeqClock<double, TestTempo>;
using FloatClock = SeqClock<float, TestTempo>;

constexpr double nanD = std::numeric_limits<double>::quiet_NaN();
constexpr double infD = std::numeric_limits<double>::infinity();

juce::dsp::ProcessSpec specAt(double sampleRate)
{
    return {sampleRate, 512, 1};
}

template <typename SampleType> struct BlockResult
{
    std::vector<SampleType> phases;
    SampleType inc = 0;
    double stepLen = 0.0;
};

template <typename ClockType, typename SampleType = decltype(std::declval<ClockType>().getCurPhasePos())>
BlockResult<SampleType> runBlock(ClockType& clock, size_t numSamples, double ppq, int wrapSample = -1,
                                 int divIndex = 11, int clockType = 0, double rateHz = 0.0, bool synced = true)
{
    BlockResult<SampleType> result;
    result.phases.assign(numSamples, SampleType(-1));
    SampleType* channels[] = {result.phases.data()};
    juce::dsp::AudioBlock<SampleType> block(channels, 1, numSamples);
    clock.processBlock(block, result.inc, ppq, wrapSample, divIndex, clockType, rateHz, synced, result.stepLen);
    return result;
}

// The rounding the clock applies to each per-sample increment.
double single(double x)
{
    return static_cast<double>(static_cast<float>(x));
}

// Where a host-synced clock places its phase: the position as if it had run at
// its single-precision increment since position 0.
double hostPhase(const Clock& clock, double ppq)
{
    return Clock::wrapPhase(ppq * clock.getSamplesPerBeat() * clock.getPhIncFactor());
}

// Step length in 4/4 bars for each division index, "128/1" to "1/64".
constexpr double stepBars[14] = {128, 64, 32, 16, 8, 4, 2, 1, 0.5, 0.25, 0.125, 0.0625, 0.03125, 0.015625};
} // namespace

TEST(SeqClock, StartsAtPhaseZeroWithHostSyncArmed)
{
    TestTempo tempo;
    Clock clock(tempo);

    EXPECT_EQ(clock.getCurPhasePos(), 0.0);
    EXPECT_TRUE(clock.isHostSyncArmed());
    EXPECT_EQ(clock.get128NoteLengSamp(), 0);
    EXPECT_EQ(clock.getSamplesPerBeat(), 0.0);
    EXPECT_EQ(clock.getStepLenSamples(), 0.0);
    EXPECT_EQ(clock.getPhIncFactor(), 0.0);
}

TEST(SeqClock, PrepareDerivesBeatAnd128thLengths)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    EXPECT_DOUBLE_EQ(clock.samplesPerBeat, 24000.0);
    EXPECT_EQ(clock.len128Samples, 750);
    EXPECT_EQ(clock.getSpec().sampleRate, 48000.0);
    EXPECT_EQ(clock.getSpec().maximumBlockSize, 512u);

    tempo.set(90.0);
    clock.updateSamplesPerBeat();
    EXPECT_DOUBLE_EQ(clock.getSamplesPerBeat(), 32000.0);
    EXPECT_EQ(clock.get128NoteLengSamp(), 1000);

    // 44.1 kHz at 140 bpm: 18900 samples a beat, 590.625 truncated for a 128th.
    tempo.set(140.0);
    clock.prepare(specAt(44100.0));
    EXPECT_DOUBLE_EQ(clock.getSamplesPerBeat(), 18900.0);
    EXPECT_EQ(clock.get128NoteLengSamp(), 590);
}

TEST(SeqClock, OneBarCycleAt120BpmIs96000Samples)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    double inc = 0.0;
    clock.calcPhseIncFactor(inc, 11, 0);
    EXPECT_DOUBLE_EQ(inc, 1.0 / 96000.0);
    EXPECT_EQ(clock.getPhIncFactor(), single(1.0 / 96000.0));
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 6000.0);

    clock.calcPhseIncFactor(inc, 11, 1);
    EXPECT_DOUBLE_EQ(inc, 1.5 / 96000.0);
    EXPECT_EQ(clock.getPhIncFactor(), single(1.5 / 96000.0));
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 0.666665 * (1.0 / 120.0) * 15.0 * 48000.0);
    EXPECT_NEAR(clock.getStepLenSamples(), 3999.99, 1e-6);
}

struct DivisionCase
{
    int divIndex;
    int clockType;
};

class SeqClockDivisions : public ::testing::TestWithParam<DivisionCase>
{
};

// Every division and clock type at 120 bpm and 48 kHz, derived from the musical
// length of one step: a cycle is sixteen steps, a bar is four beats of 24000 samples.
TEST_P(SeqClockDivisions, IncrementAndStepLengthFollowTheStepLength)
{
    const auto [divIndex, clockType] = GetParam();
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    const double stepSamples = stepBars[divIndex] * 4.0 * 24000.0;
    const double incFactor = clockType == 1 ? 1.5 : clockType == 2 ? 0.666667 : 1.0;
    const double gateFactor = clockType == 1 ? 0.666665 : clockType == 2 ? 1.5 : 1.0;
    const double expectedInc = incFactor / (16.0 * stepSamples);

    double inc = 0.0;
    clock.calcPhseIncFactor(inc, divIndex, clockType);
    EXPECT_NEAR(inc, expectedInc, expectedInc * 1e-12);
    EXPECT_NEAR(clock.getPhIncFactor(), expectedInc, expectedInc * 1e-7);
    EXPECT_EQ(clock.getPhIncFactor(), single(inc));
    EXPECT_NEAR(clock.getStepLenSamples(), gateFactor * stepSamples, gateFactor * stepSamples * 1e-12);

    // The same length again through the block operation's out-parameters.
    const auto block = runBlock(clock, 4, 0.0, -1, divIndex, clockType);
    EXPECT_DOUBLE_EQ(block.inc, inc);
    EXPECT_DOUBLE_EQ(block.stepLen, clock.getStepLenSamples());
}

INSTANTIATE_TEST_SUITE_P(AllDivisionsAndTypes, SeqClockDivisions,
                         ::testing::ValuesIn(
                             []
                             {
                                 std::vector<DivisionCase> cases;
                                 for (int d = 0; d < 14; ++d)
                                     for (int type = 0; type < 3; ++type)
                                         cases.push_back({d, type});
                                 return cases;
                             }()));

TEST(SeqClock, UnknownClockTypeRunsNormal)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    for (int type : {-1, 3, 99})
    {
        double inc = 0.0;
        clock.calcPhseIncFactor(inc, 11, type);
        EXPECT_DOUBLE_EQ(inc, 1.0 / 96000.0) << type;
        EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 6000.0) << type;
    }
}

TEST(SeqClock, StepLengthUsesTheGivenInverseTempo)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    clock.calcBaseGateLeng(11, 0, 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 12000.0);
    clock.calcBaseGateLeng(9, 2, 1.0 / 60.0); // dotted quarter at 60 bpm
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 72000.0);
}

TEST(SeqClock, FreeRunningRateGivesSixteenStepsPerCycle)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    double inc = 0.0;
    clock.calcPhseIncFactor2(inc, 2.0);
    EXPECT_DOUBLE_EQ(inc, 0.0625 * 2.0 / 48000.0);
    EXPECT_EQ(clock.getPhIncFactor(), single(inc));
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 24000.0);

    // The slowest and fastest rates a unit's free-rate knob gives.
    clock.calcPhseIncFactor2(inc, 0.01);
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 4800000.0);
    clock.calcPhseIncFactor2(inc, 20.0);
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 2400.0);
}

TEST(SeqClock, BlockWritesOneIncrementPerSample)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));
    clock.setPosVal(0.5);

    // Odd length: the tail after the pairs takes the single-sample path.
    const auto block = runBlock(clock, 11, -1.0, -1, 11, 0, 3.0, false);
    const double step = clock.getPhIncFactor();
    for (size_t i = 0; i < block.phases.size(); ++i)
        EXPECT_NEAR(block.phases[i], 0.5 + static_cast<double>(i + 1) * step, 1e-15) << i;
    EXPECT_DOUBLE_EQ(clock.getCurPhasePos(), block.phases.back());
}

TEST(SeqClock, BlockOfOneSampleAdvancesByOneIncrement)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));
    clock.setPosVal(0.25);

    const auto block = runBlock(clock, 1, -1.0, -1, 11, 0, 5.0, false);
    EXPECT_DOUBLE_EQ(block.phases[0], 0.25 + single(0.0625 * 5.0 / 48000.0));
    EXPECT_DOUBLE_EQ(clock.getCurPhasePos(), block.phases[0]);
}

TEST(SeqClock, PhaseWrapsIntoTheUnitInterval)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));
    clock.setPosVal(0.99999);

    // 15.36 Hz at 48 kHz is an increment of 0.00002.
    const auto block = runBlock(clock, 1, -1.0, -1, 11, 0, 15.36, false);
    EXPECT_NEAR(block.phases[0], 0.00001, 1e-11);
    EXPECT_NEAR(clock.getCurPhasePos(), 0.00001, 1e-11);

    // Fast and long: every written phase stays in [0, 1), and it wraps.
    int wraps = 0;
    double last = clock.getCurPhasePos();
    for (int b = 0; b < 200; ++b)
        for (double phase : runBlock(clock, 64, -1.0, -1, 11, 0, 20.0, false).phases)
        {
            ASSERT_GE(phase, 0.0);
            ASSERT_LT(phase, 1.0);
            wraps += phase < last ? 1 : 0;
            last = phase;
        }
    // 20 steps a second, sixteen steps a cycle: one cycle every 38400 samples.
    EXPECT_EQ(wraps, 0); // 12800 samples

    for (int b = 0; b < 2000; ++b)
        for (double phase : runBlock(clock, 64, -1.0, -1, 11, 0, 20.0, false).phases)
        {
            wraps += phase < last ? 1 : 0;
            last = phase;
        }
    EXPECT_EQ(wraps, 3); // 140800 samples in all: 3.67 cycles
}

TEST(SeqClock, SyncedClockFollowsTheHostPosition)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    // One beat into a one-bar cycle is a quarter of the cycle.
    auto block = runBlock(clock, 64, 1.0);
    const double step = single(1.0 / 96000.0);
    const double start = 1.0 * 24000.0 * step;
    EXPECT_NEAR(start, 0.25, 1e-8);
    EXPECT_NEAR(block.phases[0], start + step, 1e-15);
    EXPECT_NEAR(block.phases[63], start + 64.0 * step, 1e-15);

    // Jumping elsewhere re-derives the phase from the host every block.
    block = runBlock(clock, 64, 6.5);
    EXPECT_NEAR(hostPhase(clock, 6.5), 0.625, 1e-7);
    EXPECT_DOUBLE_EQ(block.phases[0], hostPhase(clock, 6.5) + step);
}

TEST(SeqClock, MasterClockTracksTicksThroughABar)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));
    clock.reset();

    // 64-sample blocks over one bar; at each block start the host position in
    // ticks (960 per quarter) must match the phase scaled by 3840.
    double ppq = 0.0;
    for (int b = 0; b < 1500; ++b)
    {
        const auto block = runBlock(clock, 64, ppq);
        const double ticksAtFirstSample = block.phases[0] * 3840.0;
        const double hostTicks = std::fmod((ppq + 1.0 / 24000.0) * 960.0, 3840.0);
        ASSERT_NEAR(ticksAtFirstSample, hostTicks, 1e-3) << "block " << b;
        ppq += 64.0 / 24000.0;
    }
}

struct ResyncCase
{
    double ppq;
    bool resyncs;
};

class SeqClockLoopWrapGuard : public ::testing::TestWithParam<ResyncCase>
{
};

// After a host loop wrap the clock runs on from its own phase until the host
// position lies strictly between 0.1 and 0.9 of a beat.
TEST_P(SeqClockLoopWrapGuard, ResyncsOnlyInsideABeat)
{
    const auto [ppq, resyncs] = GetParam();
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    runBlock(clock, 64, 7.95, 30); // the block in which the loop wraps
    EXPECT_FALSE(clock.isHostSyncArmed());

    clock.setPosVal(0.7);
    const auto block = runBlock(clock, 64, ppq);
    const double step = clock.getPhIncFactor();
    const double expectedStart = resyncs ? hostPhase(clock, ppq) : 0.7;
    EXPECT_NEAR(block.phases[0], expectedStart + step, 1e-12);
    EXPECT_EQ(clock.isHostSyncArmed(), resyncs);
}

INSTANTIATE_TEST_SUITE_P(Fractions, SeqClockLoopWrapGuard,
                         ::testing::Values(ResyncCase{3.05, false}, ResyncCase{3.0, false}, ResyncCase{0.1, false},
                                           ResyncCase{3.11, true}, ResyncCase{3.5, true}, ResyncCase{3.89, true},
                                           ResyncCase{0.9, false}, ResyncCase{3.95, false}));

TEST(SeqClock, GuardStaysDownUntilThePositionMovesIntoABeat)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    runBlock(clock, 64, 7.95, 10);
    clock.setPosVal(0.3);
    runBlock(clock, 64, 4.0);
    runBlock(clock, 64, 4.05);
    EXPECT_FALSE(clock.isHostSyncArmed());
    EXPECT_NEAR(clock.getCurPhasePos(), 0.3 + 128.0 * clock.getPhIncFactor(), 1e-12);

    runBlock(clock, 64, 4.2);
    EXPECT_TRUE(clock.isHostSyncArmed());
    // Once armed it follows the host again, even at whole beats.
    const auto block = runBlock(clock, 64, 5.0);
    EXPECT_NEAR(hostPhase(clock, 5.0), 0.25, 1e-7);
    EXPECT_DOUBLE_EQ(block.phases[0], hostPhase(clock, 5.0) + clock.getPhIncFactor());
}

TEST(SeqClock, WrapBlockInsideABeatReArmsAtOnce)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    const auto block = runBlock(clock, 64, 6.5, 20);
    EXPECT_TRUE(clock.isHostSyncArmed());
    EXPECT_DOUBLE_EQ(block.phases[0], hostPhase(clock, 6.5) + clock.getPhIncFactor());
}

TEST(SeqClock, ResetReturnsToZeroAndReArmsHostSync)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    runBlock(clock, 64, 3.0, 5);
    ASSERT_FALSE(clock.isHostSyncArmed());
    ASSERT_GT(clock.getCurPhasePos(), 0.0);

    clock.reset();
    EXPECT_EQ(clock.getCurPhasePos(), 0.0);
    EXPECT_TRUE(clock.isHostSyncArmed());

    // Armed again, a whole-beat position is followed at once.
    const auto block = runBlock(clock, 64, 2.0);
    EXPECT_NEAR(block.phases[0], 0.5 + clock.getPhIncFactor(), 1e-8);
}

TEST(SeqClock, DisarmedHostSyncRunsOnFromItsOwnPhase)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    clock.setSyncToHostFlag(false);
    clock.setPosVal(0.4);
    const auto block = runBlock(clock, 64, 2.0);
    EXPECT_NEAR(block.phases[0], 0.4 + clock.getPhIncFactor(), 1e-15);
    EXPECT_FALSE(clock.isHostSyncArmed());
}

TEST(SeqClock, NegativePositionAndFreeRunningSkipHostSync)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    clock.setPosVal(0.4);
    auto block = runBlock(clock, 64, -0.5);
    EXPECT_NEAR(block.phases[0], 0.4 + clock.getPhIncFactor(), 1e-15);

    clock.setPosVal(0.4);
    block = runBlock(clock, 64, 2.0, -1, 11, 0, 4.0, false);
    EXPECT_TRUE(clock.isHostSyncArmed());
    EXPECT_NEAR(block.phases[0], 0.4 + clock.getPhIncFactor(), 1e-15);
}

TEST(SeqClock, SyncToHostUsesTheCurrentIncrement)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    double inc = 0.0;
    clock.calcPhseIncFactor(inc, 10, 0); // "1/8": a cycle of two bars
    clock.syncToHost(3.0);
    EXPECT_NEAR(clock.getCurPhasePos(), 0.375, 1e-8);
    clock.syncToHost(-3.0); // the magnitude counts
    EXPECT_NEAR(clock.getCurPhasePos(), 0.375, 1e-8);
    clock.syncToHost(17.0);
    EXPECT_NEAR(clock.getCurPhasePos(), 0.125, 1e-7);
}

TEST(SeqClock, TempoChangeReachesBeatLengthThroughBpmChanged)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    tempo.set(60.0);
    runBlock(clock, 64, 1.0);
    EXPECT_DOUBLE_EQ(clock.getSamplesPerBeat(), 24000.0); // not asked to refresh yet

    clock.bpmChanged();
    runBlock(clock, 64, 1.0);
    EXPECT_DOUBLE_EQ(clock.getSamplesPerBeat(), 48000.0);
    EXPECT_EQ(clock.get128NoteLengSamp(), 1500);
    // The increment follows the tempo in every block regardless.
    EXPECT_EQ(clock.getPhIncFactor(), single(1.0 / 192000.0));
}

TEST(SeqClock, ReadsAtomicTempoFields)
{
    AtomicTempo tempo;
    SeqClock<double, AtomicTempo> clock(tempo);
    clock.prepare(specAt(48000.0));

    double inc = 0.0;
    clock.calcPhseIncFactor(inc, 11, 0);
    EXPECT_DOUBLE_EQ(inc, 1.0 / 96000.0);
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 6000.0);
    EXPECT_DOUBLE_EQ(clock.getSamplesPerBeat(), 24000.0);
}

// ---- Bad input ---------------------------------------------------------------

TEST(SeqClockBadInput, SlowTempoTakesItsFloors)
{
    TestTempo tempo;
    Clock clock(tempo);
    tempo.set(3.0);
    clock.prepare(specAt(48000.0));

    // 5 bpm for the beat length, 10 bpm for the increment and the step length.
    EXPECT_DOUBLE_EQ(clock.getSamplesPerBeat(), 12.0 * 48000.0);
    double inc = 0.0;
    clock.calcPhseIncFactor(inc, 11, 0);
    EXPECT_DOUBLE_EQ(inc, (1.0 / 48000.0) / 24.0);
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 0.1 * 15.0 * 48000.0);
}

TEST(SeqClockBadInput, MissingOrNonPositiveTempoTakesTheFloors)
{
    for (double bpm : {nanD, infD, -infD, 0.0, -120.0})
    {
        TestTempo tempo;
        tempo.bpm = bpm;
        tempo.invBpm = bpm == 0.0 ? infD : 1.0 / bpm;
        Clock clock(tempo);
        clock.prepare(specAt(48000.0));

        EXPECT_DOUBLE_EQ(clock.getSamplesPerBeat(), 12.0 * 48000.0) << bpm;
        double inc = 0.0;
        clock.calcPhseIncFactor(inc, 11, 0);
        EXPECT_DOUBLE_EQ(inc, (1.0 / 48000.0) / 24.0) << bpm;
        EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 0.1 * 15.0 * 48000.0) << bpm;
    }
}

TEST(SeqClockBadInput, MissingInverseTempoMeansTheSlowestTempo)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    for (double invBpm : {nanD, infD, 0.0, -1.0, 5.0})
    {
        clock.calcBaseGateLeng(11, 0, invBpm);
        EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 0.1 * 15.0 * 48000.0) << invBpm;
    }
}

TEST(SeqClockBadInput, MissingOrNonPositiveSampleRateTakesTheFloor)
{
    for (double rate : {nanD, infD, 0.0, -48000.0})
    {
        TestTempo tempo;
        Clock clock(tempo);
        clock.prepare(specAt(rate));

        EXPECT_DOUBLE_EQ(clock.getSamplesPerBeat(), 500.0) << rate;
        double inc = 0.0;
        clock.calcPhseIncFactor(inc, 11, 0);
        EXPECT_DOUBLE_EQ(inc, 0.0005) << rate;
        EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 125.0) << rate;
        clock.calcPhseIncFactor2(inc, 2.0);
        EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 500.0) << rate;
    }
}

TEST(SeqClockBadInput, LowSampleRateIsFlooredForTheIncrementOnly)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(500.0));

    EXPECT_DOUBLE_EQ(clock.getSamplesPerBeat(), 250.0);
    double inc = 0.0;
    clock.calcPhseIncFactor(inc, 11, 0);
    EXPECT_DOUBLE_EQ(inc, 0.0005);
}

TEST(SeqClockBadInput, AbsurdSampleRateAndTempoKeepEveryValueFinite)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(1.0e308));
    EXPECT_DOUBLE_EQ(clock.getSamplesPerBeat(), 60.0 * Clock::maxSampleRate / 120.0);

    auto block = runBlock(clock, 16, 1.0e300, -1, 0, 0);
    EXPECT_TRUE(std::isfinite(block.stepLen));
    for (double phase : block.phases)
        ASSERT_TRUE(phase >= 0.0 && phase < 1.0);

    tempo.set(1.0e300);
    clock.bpmChanged();
    block = runBlock(clock, 16, 2.5, -1, 13, 1);
    EXPECT_TRUE(std::isfinite(block.inc));
    for (double phase : block.phases)
        ASSERT_TRUE(phase >= 0.0 && phase < 1.0);
    EXPECT_EQ(clock.get128NoteLengSamp(), 0);
}

TEST(SeqClockBadInput, DivisionOutsideTheTableIsClampedForTheIncrementAndGivesNoStepLength)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    double inc = 0.0;
    clock.calcPhseIncFactor(inc, 14, 0);
    EXPECT_DOUBLE_EQ(inc, (1.0 / 48000.0) / 0.5);
    EXPECT_EQ(clock.getStepLenSamples(), 0.0);

    clock.calcPhseIncFactor(inc, -3, 0);
    EXPECT_DOUBLE_EQ(inc, (1.0 / 48000.0) / 4096.0);
    EXPECT_EQ(clock.getStepLenSamples(), 0.0);

    clock.calcPhseIncFactor(inc, 1000000, 2);
    EXPECT_TRUE(std::isfinite(inc));
    EXPECT_EQ(clock.getStepLenSamples(), 0.0);
}

TEST(SeqClockBadInput, MissingOrNonPositiveFreeRateTakesTheSlowestRate)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    for (double rate : {nanD, -infD, infD, 0.0, -3.0, 1.0e-300})
    {
        double inc = 0.0;
        clock.calcPhseIncFactor2(inc, rate);
        EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 48000.0 / 0.01) << rate;
        EXPECT_DOUBLE_EQ(inc, 0.0625 * 0.01 / 48000.0) << rate;
    }
}

TEST(SeqClockBadInput, NonFiniteHostPositionLeavesThePhaseRunning)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));

    for (double ppq : {nanD, infD, -infD})
    {
        clock.setPosVal(0.4);
        const auto block = runBlock(clock, 8, ppq);
        EXPECT_NEAR(block.phases[0], 0.4 + clock.getPhIncFactor(), 1e-15) << ppq;
    }
    // A huge but finite position still gives a phase in [0, 1).
    const auto block = runBlock(clock, 8, 1.0e200);
    for (double phase : block.phases)
        ASSERT_TRUE(phase >= 0.0 && phase < 1.0);
}

TEST(SeqClockBadInput, SetPosValWrapsAndTreatsNaNAsZero)
{
    TestTempo tempo;
    Clock clock(tempo);

    clock.setPosVal(1.25);
    EXPECT_DOUBLE_EQ(clock.getCurPhasePos(), 0.25);
    clock.setPosVal(-0.25);
    EXPECT_DOUBLE_EQ(clock.getCurPhasePos(), 0.75);
    clock.setPosVal(-1.0e-20);
    EXPECT_EQ(clock.getCurPhasePos(), 0.0);
    clock.setPosVal(nanD);
    EXPECT_EQ(clock.getCurPhasePos(), 0.0);
    clock.setPosVal(infD);
    EXPECT_EQ(clock.getCurPhasePos(), 0.0);
}

TEST(SeqClockBadInput, BlockWithoutChannelsStillAdvances)
{
    TestTempo tempo;
    Clock clock(tempo);
    clock.prepare(specAt(48000.0));
    clock.setPosVal(0.1);

    double inc = 0.0;
    double stepLen = 0.0;
    juce::dsp::AudioBlock<double> empty(static_cast<double* const*>(nullptr), 0, 32);
    clock.processBlock(empty, inc, -1.0, -1, 11, 0, 0.0, true, stepLen);
    EXPECT_NEAR(clock.getCurPhasePos(), 0.1 + 32.0 * clock.getPhIncFactor(), 1e-15);
}

// ---- Single-precision twin --------------------------------------------------

TEST(SeqClockFloat, IncrementsAreSinglePrecision)
{
    TestTempo tempo;
    FloatClock clock(tempo);
    clock.prepare(specAt(48000.0));

    const float invSampleRate = static_cast<float>(1.0 / 48000.0);
    float inc = 0.0f;
    clock.calcPhseIncFactor(inc, 11, 0);
    EXPECT_EQ(inc, static_cast<float>(static_cast<double>(invSampleRate) / 2.0));
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 6000.0);

    clock.calcPhseIncFactor(inc, 11, 2);
    EXPECT_EQ(inc, static_cast<float>(static_cast<double>(invSampleRate) / 2.0 * static_cast<double>(0.666667f)));
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 9000.0);

    clock.calcPhseIncFactor(inc, 11, 1);
    EXPECT_EQ(inc, static_cast<float>(static_cast<double>(invSampleRate) / 2.0 * 1.5));
    EXPECT_DOUBLE_EQ(clock.getStepLenSamples(), 0.666665 * (1.0 / 120.0) * 15.0 * 48000.0);
}

TEST(SeqClockFloat, ConstructedInverseSampleRateIsTheFloatOf44100)
{
    TestTempo tempo;
    FloatClock clock(tempo);
    // Unprepared, the increment uses the constructed 1/44100.
    float inc = 0.0f;
    clock.calcPhseIncFactor2(inc, 16.0);
    EXPECT_EQ(inc, static_cast<float>(0.0625 * 16.0 * static_cast<double>(static_cast<float>(1.0 / 44100.0))));
}

TEST(SeqClockFloat, QuadsAndTailAdvanceOneIncrementPerSample)
{
    TestTempo tempo;
    FloatClock clock(tempo);
    clock.prepare(specAt(48000.0));
    clock.setPosVal(0.99986);

    const auto block = runBlock(clock, 11, -1.0, -1, 11, 0, 19.2, false); // inc 0.000025, wraps at sample 5
    const float step = clock.getPhIncFactor();
    float expected = 0.99986f;
    for (size_t i = 0; i < block.phases.size(); ++i)
    {
        expected += step;
        if (expected >= 1.0f)
            expected -= 1.0f;
        EXPECT_NEAR(block.phases[i], expected, 2e-6f) << i;
        EXPECT_GE(block.phases[i], 0.0f);
        EXPECT_LT(block.phases[i], 1.0f);
    }
}

TEST(SeqClockFloat, FollowsTheHostAndGuardsLoopWraps)
{
    TestTempo tempo;
    FloatClock clock(tempo);
    clock.prepare(specAt(48000.0));

    auto block = runBlock(clock, 8, 1.0);
    const float step = clock.getPhIncFactor();
    EXPECT_NEAR(block.phases[0], 0.25f + step, 1e-6f);

    runBlock(clock, 8, 7.95, 3);
    clock.setPosVal(0.5);
    block = runBlock(clock, 8, 3.05);
    EXPECT_NEAR(block.phases[0], 0.5f + step, 1e-6f);
    block = runBlock(clock, 8, 3.5);
    EXPECT_NEAR(block.phases[0], 0.875f + step, 1e-6f);
}
