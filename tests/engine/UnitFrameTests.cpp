// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnitEngineTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace enginetest;

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;
constexpr int samplesPerSixteenth = 6000; // 1/16 at 120 bpm and 48 kHz

// The clock's per-sample increment for one 16-step bar at 120 bpm and 48 kHz,
// rounded to single precision as the clock rounds it.
const double incF = (double) (float) (1.0 / 96000.0);

// The cycle position of absolute sample t while the host plays from 0.
double phaseAt(int64_t t)
{
    const double p = (double) (t + 1) * incF;
    return p - std::floor(p);
}

int indexAt(int64_t t, double scale)
{
    return (int) (phaseAt(t) * scale);
}

// Where the steps of a unit begin from the clock arithmetic alone: a step
// begins where the cycle position (index scale s1) enters a new sixteenth, at
// the first sample of that block whose search index (scale s2) is already the
// new sixteenth.
std::vector<int64_t> expectedStepStarts(int64_t total, double s1, double s2, int block = blockSize)
{
    std::vector<int64_t> starts;
    for (int64_t t = 0; t < total; ++t)
    {
        if (t > 0 && indexAt(t, s1) == indexAt(t - 1, s1))
            continue;
        const int k = indexAt(t, s1);
        const int64_t blockStart = (t / block) * block;
        int64_t start = t;
        while (start > blockStart && indexAt(start - 1, s2) == k)
            --start;
        starts.push_back(start);
    }
    return starts;
}

struct FrameFixture
{
    EngineModels models;
    TestUnitEngine engine;
    ModBuffer mod{4096};
    SwingHandler swing;
    Transport transport;

    explicit FrameFixture(int unitType) : engine(models, unitType)
    {
        engine.prepare(specFor(sampleRate, 4096));
        engine.seedRandom(99);
        engine.setStartFlag();
    }

    BlockResult run(HostBlock host)
    {
        auto block = mod.block(host.numSamples);
        return engine.processBlock(block, swing, host);
    }

    // One block at the transport's position, which then moves on.
    BlockResult next(int numSamples = blockSize)
    {
        HostBlock host;
        host.ppq = transport.ppq();
        host.numSamples = numSamples;
        const auto r = run(host);
        transport.sample += numSamples;
        return r;
    }

    std::vector<StepEvent> playBlocks(int numBlocks)
    {
        return play(engine, mod, swing, transport, numBlocks, blockSize);
    }

    int displayEntry() const { return models.global.curSteps[(size_t) engine.getDisplayIndex()]; }
};

std::vector<int> stepsOf(const std::vector<StepEvent>& events)
{
    std::vector<int> steps;
    for (const auto& e : events)
        steps.push_back(e.step);
    return steps;
}
} // namespace

TEST(UnitFrame, StepStartsFollowTheClockAndTheIndexScales)
{
    struct Case
    {
        const char* name;
        int type;
        double s1, s2;
    };
    const Case cases[] = {
        {"pitch", zu::units::pitch, 15.995, 15.995},
        {"parameter", zu::units::param, 15.999991, 15.999991},
        {"CC", zu::units::cc, 15.995, 15.999991},
        {"octave-transpose", zu::units::octTp, 15.999991, 15.999991},
    };
    constexpr int numBlocks = 400; // a little over two bars

    for (const auto& c : cases)
    {
        FrameFixture f(c.type);
        const auto events = f.playBlocks(numBlocks);
        const auto expected = expectedStepStarts((int64_t) numBlocks * blockSize, c.s1, c.s2);

        ASSERT_EQ(events.size(), expected.size()) << c.name;
        ASSERT_EQ(events.size(), 35u) << c.name; // two bars of sixteenths and three more
        for (size_t i = 0; i < events.size(); ++i)
        {
            EXPECT_EQ(events[i].startSample, expected[i]) << c.name << " step event " << i;
            EXPECT_EQ(events[i].step, (int) (i % 16)) << c.name << " step event " << i;
            EXPECT_EQ(events[i].display, (int) (i % 16)) << c.name;
        }
    }
}

TEST(UnitFrame, StepsDoNotDependOnTheBlockSize)
{
    for (int size : {1, 7, 64, 333, 2048})
    {
        FrameFixture f(zu::units::cc);
        const int numBlocks = (96000 + 2 * samplesPerSixteenth) / size;
        const auto events = play(f.engine, f.mod, f.swing, f.transport, numBlocks, size);
        const auto expected = expectedStepStarts((int64_t) numBlocks * size, 15.995, 15.999991, size);
        ASSERT_EQ(events.size(), expected.size()) << "blocks of " << size;
        for (size_t i = 0; i < events.size(); ++i)
        {
            EXPECT_EQ(events[i].startSample, expected[i]) << "blocks of " << size << ", step event " << i;
            EXPECT_EQ(events[i].step, (int) (i % 16)) << "blocks of " << size;
        }
    }
}

TEST(UnitFrame, CoarseIndexScaleStartsStepsLateInTheCycle)
{
    // With the coarse scale sixteenth k begins where phase x 15.995 reaches k:
    // the second sixteenth one sample late, the last one 28 samples late.
    FrameFixture f(zu::units::pitch);
    const auto events = f.playBlocks(190);
    ASSERT_GE(events.size(), 16u);
    EXPECT_EQ(events[0].startSample, 0);
    EXPECT_EQ(events[1].startSample, 6001);
    EXPECT_EQ(events[2].startSample, 12003);
    EXPECT_EQ(events[15].startSample, 90028);
    // The single-precision increment is a hair short of 1/96000: the cycle wraps one sample late.
    EXPECT_EQ(events[16].startSample, 96000);

    FrameFixture fine(zu::units::param);
    const auto fineEvents = fine.playBlocks(190);
    ASSERT_GE(fineEvents.size(), 16u);
    EXPECT_EQ(fineEvents[1].startSample, 6000);
    EXPECT_EQ(fineEvents[15].startSample, 90000);
}

TEST(UnitFrame, BlockStartingInsideABegunStepTriggersNoStep)
{
    FrameFixture f(zu::units::param);
    // Play until a block ends inside sixteenth 4 (24000 .. 29999).
    const auto before = f.playBlocks(57);
    ASSERT_EQ(stepsOf(before), (std::vector<int>{0, 1, 2, 3, 4}));
    ASSERT_EQ(f.engine.lastPhaseIdx, 4);

    // The host jumps to 0.3 of the way into sixteenth 5.
    f.transport.sample = 5 * samplesPerSixteenth + 1800;
    const auto jumped = f.next();
    EXPECT_FALSE(jumped.stepped);
    EXPECT_EQ(f.engine.lastPhaseIdx, 5);

    // The next step comes with sixteenth 6, as the order's next step.
    const auto after = f.playBlocks(12);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].startSample, 6 * samplesPerSixteenth);
    EXPECT_EQ(after[0].step, 5);
}

TEST(UnitFrame, HoldOffSuppressesAStepTooSoonAfterTheLast)
{
    // Synced units hold off for a 128th note (750 samples at 120 bpm) plus 64.
    for (bool withinHoldOff : {true, false})
    {
        FrameFixture f(zu::units::param);
        const auto start = f.playBlocks(12); // steps at 0 and 6000 (block 11)
        ASSERT_EQ(start.size(), 2u);
        EXPECT_EQ(f.engine.trigHoldSamples, 750 + 64);

        if (!withinHoldOff)
            f.next(); // 302 samples of hold-off left after this block's countdown, 0 after the next

        // The host jumps to the very start of sixteenth 2.
        f.transport.sample = 2 * samplesPerSixteenth;
        const auto jumped = f.next();
        EXPECT_EQ(jumped.stepped, !withinHoldOff);
        EXPECT_EQ(f.engine.lastPhaseIdx, 2);
        if (!withinHoldOff)
        {
            EXPECT_EQ(jumped.stepSamplePos, 0);
            EXPECT_EQ(jumped.curStep, 2);
        }

        // Sixteenth 3 steps normally; the suppressed step does not come late.
        const auto rest = f.playBlocks(13);
        ASSERT_EQ(rest.size(), 1u);
        EXPECT_EQ(rest[0].startSample, 3 * samplesPerSixteenth);
        EXPECT_EQ(rest[0].step, withinHoldOff ? 2 : 3);
    }
}

TEST(UnitFrame, PitchUnitsHoldOffForA128thNoteOnly)
{
    FrameFixture f(zu::units::pitch);
    f.next();
    EXPECT_EQ(f.engine.trigHoldSamples, 750);

    FrameFixture freeRunning(zu::units::param);
    freeRunning.models.snap().csync = false;
    freeRunning.next();
    EXPECT_EQ(freeRunning.engine.trigHoldSamples, 0);
}

TEST(UnitFrame, NoStepNearTheLoopEndUntilTheLoopRestarts)
{
    FrameFixture f(zu::units::param);
    ASSERT_EQ(f.playBlocks(11).size(), 1u); // step 0 only

    // Blocks 11..13 hold the start of sixteenth 1, but the loop end is near.
    for (int b = 0; b < 3; ++b)
    {
        HostBlock host;
        host.ppq = f.transport.ppq();
        host.nearLoopEnd = true;
        EXPECT_FALSE(f.run(host).stepped) << "block " << b;
        f.transport.sample += blockSize;
    }

    // The loop restarts: the unit handler resets the unit and the host is back at 0.
    f.engine.reset();
    f.transport.sample = 0;
    const auto restart = f.next();
    EXPECT_TRUE(restart.stepped);
    EXPECT_EQ(restart.stepSamplePos, 0);
    EXPECT_EQ(restart.curStep, 0);
}

TEST(UnitFrame, FirstStepRealignsToTheHostPosition)
{
    // Host at 9.0 quarter notes: two whole cycles and the block ends in
    // sixteenth 4, so 32 + 4 steps of the order are skipped (4 after the
    // modulo) before the step that plays.
    struct Case
    {
        int type;
        int dir;
        int expectedStep;
    };
    const Case cases[] = {
        {zu::units::param, 0, 4}, {zu::units::param, 1, 11}, {zu::units::pitch, 0, 4}, {zu::units::pitch, 2, 4}};
    for (const auto& c : cases)
    {
        FrameFixture f(c.type);
        f.models.snap().dir.value = c.dir;
        HostBlock host;
        host.ppq = 9.0;
        const auto r = f.run(host);
        ASSERT_TRUE(r.stepped);
        EXPECT_EQ(f.engine.cycleCount, 2);
        EXPECT_EQ(f.engine.stepCounter, 32);
        EXPECT_EQ(f.engine.curPhaseIdx, 4);
        EXPECT_EQ(r.curStep, c.expectedStep) << "type " << c.type << " dir " << c.dir;
        EXPECT_EQ(r.display, c.expectedStep);
        EXPECT_FALSE(f.engine.startFlag);
    }
}

TEST(UnitFrame, ResyncRealignsAtTheNextStep)
{
    for (bool resync : {true, false})
    {
        FrameFixture f(zu::units::param);
        f.playBlocks(12);
        // A start change restarts the order at the new start, away from the host position.
        f.models.snap().strt.value = 9;
        const auto moved = f.playBlocks(12);
        ASSERT_EQ(moved.size(), 1u);
        EXPECT_EQ(moved[0].step, 8);

        // A resync skips the order to sixteenth 3 of the cycle within the window 9..24.
        if (resync)
            f.engine.setReSyncFlag();
        const auto next = f.playBlocks(12);
        ASSERT_EQ(next.size(), 1u);
        EXPECT_EQ(next[0].step, resync ? 11 : 9);
        EXPECT_FALSE(f.engine.startFlag);
    }
}

TEST(UnitFrame, ModelResyncRequestSetsTheStartFlagOnlyForSyncedClocks)
{
    for (bool synced : {true, false})
    {
        FrameFixture f(zu::units::param);
        f.models.snap().csync = synced;
        f.next();
        ASSERT_FALSE(f.engine.startFlag);
        f.models.unit().resyncRequest = true;
        f.next();
        EXPECT_EQ(f.engine.startFlag, synced);
        EXPECT_FALSE(f.models.unit().resyncRequest.load());
    }
}

TEST(UnitFrame, ChainerRestartRequestResetsTheUnitInEveryBlock)
{
    FrameFixture f(zu::units::param);
    f.models.unit().currentSnapshot = 3;
    auto first = f.next();
    EXPECT_EQ(first.snapIndex, 3);
    EXPECT_EQ(first.display, 0);

    for (int b = 0; b < 4; ++b)
    {
        HostBlock host;
        host.ppq = f.transport.ppq();
        host.snapshotRequest = 8;
        const auto r = f.run(host);
        f.transport.sample += blockSize;
        EXPECT_TRUE(r.stepped) << "block " << b;
        EXPECT_TRUE(r.resetThisBlock);
        EXPECT_EQ(r.snapIndex, 0);
        EXPECT_EQ(r.display, -1);
        EXPECT_FALSE(r.stepPlays);
    }

    // Without the request the unit plays its own snapshot again and steps at the next sixteenth.
    const auto resumed = f.next();
    EXPECT_FALSE(resumed.stepped);
    EXPECT_EQ(resumed.snapIndex, 3);
    const auto later = f.playBlocks(8);
    ASSERT_EQ(later.size(), 1u);
    EXPECT_EQ(later[0].startSample, samplesPerSixteenth);
    EXPECT_EQ(later[0].display, 1);
}

TEST(UnitFrame, SnapshotRequestOrder)
{
    struct Case
    {
        int request, pending, current;
        int expected;
        bool reset;
    };
    const Case cases[] = {
        {-1, -1, 3, 3, false}, {-1, 5, 3, 5, false},  {2, 5, 3, 2, false},   {0, 5, 3, 0, false},    {8, 5, 3, 0, true},
        {12, -1, 3, 0, true},  {-1, -1, 9, 7, false}, {-1, 11, 2, 2, false}, {-5, -1, -4, 0, false},
    };
    for (const auto& c : cases)
    {
        EngineModels models;
        TestUnitEngine engine(models, zu::units::cc);
        engine.prepare(specFor(sampleRate, blockSize));
        EXPECT_EQ(engine.takeSnapshotRequest(c.request, c.pending, c.current), c.expected)
            << c.request << " " << c.pending << " " << c.current;
        EXPECT_EQ(engine.getSnapIndex(), c.expected);
    }
}

TEST(UnitFrame, RestartLengthRestartsTheOrderAfterThatManySteps)
{
    FrameFixture f(zu::units::param);
    f.models.snap().rst = 3;
    const auto events = f.playBlocks(93); // eight sixteenths
    EXPECT_EQ(stepsOf(events), (std::vector<int>{0, 1, 2, 0, 1, 2, 0, 1}));
}

TEST(UnitFrame, ClockResetRequestRestartsTargetedUnitsAtTheirNextStep)
{
    for (bool targeted : {true, false})
    {
        FrameFixture f(zu::units::cc);
        f.models.global.rebtnTar[(size_t) f.engine.getDisplayIndex()] = targeted;
        ASSERT_EQ(f.playBlocks(12).size(), 2u);

        HostBlock host;
        host.ppq = f.transport.ppq();
        host.resetResync = {true, false};
        EXPECT_FALSE(f.run(host).stepped);
        f.transport.sample += blockSize;
        EXPECT_EQ(f.engine.restartPending, targeted);

        const auto next = f.playBlocks(12);
        ASSERT_EQ(next.size(), 1u);
        EXPECT_EQ(next[0].step, targeted ? 0 : 2);
    }
}

TEST(UnitFrame, UnitOffShowsNoStepButKeepsStepping)
{
    FrameFixture f(zu::units::octTp);
    f.models.unit().pwr = false;
    const auto events = f.playBlocks(30);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(stepsOf(events), (std::vector<int>{0, 1, 2}));
    for (const auto& e : events)
        EXPECT_EQ(e.display, -1);
    EXPECT_EQ(f.displayEntry(), -1);
}

TEST(UnitFrame, StepOffAndProbabilityDecideWhetherAStepPlays)
{
    FrameFixture f(zu::units::param);
    f.models.snap().steps[1].spwr.value = 0;
    f.models.snap().steps[2].prob.value = 0.0f;
    std::vector<bool> plays;
    for (int b = 0; b < 58; ++b)
    {
        const auto r = f.next();
        if (r.stepped)
            plays.push_back(r.stepPlays);
    }
    EXPECT_EQ(plays, (std::vector<bool>{true, false, false, true, true}));
}

TEST(UnitFrame, DisplayFollowsTheUnitKind)
{
    EngineModels models;
    EXPECT_EQ(TestUnitEngine(models, zu::units::pitch, 2).getDisplayIndex(), 2);
    EXPECT_EQ(TestUnitEngine(models, zu::units::param, 1).getDisplayIndex(), 5);
    EXPECT_EQ(TestUnitEngine(models, zu::units::cc, 3).getDisplayIndex(), 11);
    EXPECT_EQ(TestUnitEngine(models, zu::units::octTp, 0).getDisplayIndex(), 12);
    EXPECT_EQ(TestUnitEngine(models, zu::units::ccRack, 1).getDisplayIndex(), -1);
}

TEST(UnitFrame, FreeRunningClockStepsAtTheKnobsRate)
{
    EXPECT_DOUBLE_EQ(SeqEngineBase::freeRateHz(0.0), 0.01);
    EXPECT_NEAR(SeqEngineBase::freeRateHz(1.0), 20.0, 0.05);
    EXPECT_NEAR(SeqEngineBase::padePowTwenty(0.5), std::sqrt(20.0), 1.0e-4);

    FrameFixture f(zu::units::param);
    f.models.snap().csync = false;
    f.models.snap().fclk = 0.5f;
    const double rate = SeqEngineBase::freeRateHz(0.5);
    const auto events = f.playBlocks(200);
    ASSERT_GE(events.size(), 5u);
    const double stepSamples = sampleRate / rate;
    for (size_t i = 1; i < events.size(); ++i)
        EXPECT_NEAR((double) (events[i].startSample - events[i - 1].startSample), stepSamples, 1.5) << i;
    EXPECT_NEAR(f.engine.stepLen, stepSamples, 1.0e-6);
}

TEST(UnitFrame, FreeRunningClockStartsWhereItWouldHaveRunSincePositionZero)
{
    FrameFixture f(zu::units::param);
    f.models.snap().csync = false;
    f.models.snap().fclk = 0.25f;
    const double rate = SeqEngineBase::freeRateHz(0.25);
    HostBlock host;
    host.ppq = 3.0;
    host.numSamples = 64;
    f.run(host);

    const double inc = 0.0625 * rate / sampleRate;
    const double start = std::fmod(inc * 24000.0 * 3.0, 1.0);
    EXPECT_NEAR(f.engine.clock.getCurPhasePos(), start + 64 * inc, 1.0e-6);
}

TEST(UnitFrame, ShortAndEmptyBlocksAreSafe)
{
    FrameFixture f(zu::units::param);
    EXPECT_TRUE(f.next(1).stepped);
    for (int b = 0; b < 100; ++b)
        EXPECT_FALSE(f.next(1).stepped);
    HostBlock empty;
    empty.ppq = f.transport.ppq();
    empty.numSamples = 0;
    EXPECT_FALSE(f.run(empty).stepped);
    // A block longer than the prepared size is clocked over the prepared size only.
    HostBlock huge;
    huge.ppq = f.transport.ppq();
    huge.numSamples = 100000;
    f.run(huge);
}

TEST(UnitFrame, LocalPhaseFromTheMasterPhase)
{
    EngineModels models;
    TestUnitEngine engine(models, zu::units::pitch);
    double local = -1.0, y = -1.0;
    engine.getLocalPhFromMasterPh(0.75, local, 3.0, y, 13, 0); // "1/64": four cycles a bar
    EXPECT_DOUBLE_EQ(local, 0.0);
    EXPECT_DOUBLE_EQ(y, 12.0);
    engine.getLocalPhFromMasterPh(0.75, local, 3.0, y, 10, 0); // "1/8": half a cycle a bar
    EXPECT_DOUBLE_EQ(local, 0.375);
    EXPECT_DOUBLE_EQ(y, 1.5);
    engine.getLocalPhFromMasterPh(0.5, local, 1.0, y, 99, 0); // clamped to "1/64"
    EXPECT_DOUBLE_EQ(local, 0.0);
    EXPECT_DOUBLE_EQ(y, 4.0);
}
