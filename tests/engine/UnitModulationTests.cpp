// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnitEngineTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace enginetest;

namespace
{
using IntParam = ZuDataModelBase::MyParam<int>;
using FloatParam = ZuDataModelBase::MyParam<float>;

constexpr int blockLength = 512;
constexpr int readSample = 65; // where a step at the block's start reads its modulation
constexpr int sourceChannel = 3;
constexpr int source = sourceChannel + 1;

struct ModFixture
{
    EngineModels models;
    TestUnitEngine engine{models, zu::units::param};
    ModBuffer mod{blockLength};

    ModFixture()
    {
        engine.prepare(specFor(48000.0, blockLength));
        engine.seedRandom(7);
    }

    // The modulation source reads m at the read position of the block.
    SeqEngineBase::ModBlock blockWith(float m, int sample = readSample)
    {
        mod.set(sourceChannel, sample, m);
        return mod.block(blockLength);
    }
};

enum class Unit
{
    dir,
    strt,
    size
};
} // namespace

TEST(UnitModulation, DirectionStartAndSizeRoundAndWrap)
{
    struct Case
    {
        const char* name;
        Unit value;
        int current;
        float m;
        int expected;
    };
    const Case cases[] = {
        {"?? + 0.4 wraps to <", Unit::dir, 5, 0.4f, 1},
        {"> - 0.3 wraps to ?", Unit::dir, 0, -0.3f, 4},
        {"><1 + 0.5 rounds away from zero", Unit::dir, 2, 0.5f, 5},
        {"?? + full swing", Unit::dir, 5, 1.0f, 4},
        {"> - full swing", Unit::dir, 0, -1.0f, 1},
        {"no movement", Unit::dir, 3, 0.0f, 3},
        {"start 0 - 0.5 clamps to 0", Unit::strt, 0, -0.5f, 0},
        {"start 10 + 0.5", Unit::strt, 10, 0.5f, 26},
        {"start 31 + 0.5 clamps to 31", Unit::strt, 31, 0.5f, 31},
        {"size 16 + 0.999999 clamps to 32", Unit::size, 16, 0.999999f, 32},
        {"size 1 - 0.5 clamps to 1", Unit::size, 1, -0.5f, 1},
        {"size 8 + 0.25", Unit::size, 8, 0.25f, 16},
        {"size 16 - 0.5 leaves 1", Unit::size, 16, -0.5f, 1},
        {"size 4 - 0.1 rounds to 1", Unit::size, 4, -0.1f, 1},
    };

    for (const auto& c : cases)
    {
        ModFixture f;
        f.engine.curDir = 1;
        f.engine.curStrt = 7;
        f.engine.curSize = 9;
        IntParam dir(0), strt(0), size(0);
        auto& target =
            c.value == Unit::dir ? f.engine.curDir : (c.value == Unit::strt ? f.engine.curStrt : f.engine.curSize);
        target = c.current;
        (c.value == Unit::dir ? dir : (c.value == Unit::strt ? strt : size)) = modulated(0, source);

        auto block = f.blockWith(c.m);
        f.engine.handleParamModDirStrtSize(block, dir, strt, size, blockLength);

        EXPECT_EQ(target, c.expected) << c.name;
        // The values without modulation stay as they were.
        EXPECT_EQ(f.engine.curDir, c.value == Unit::dir ? c.expected : 1) << c.name;
        EXPECT_EQ(f.engine.curStrt, c.value == Unit::strt ? c.expected : 7) << c.name;
        EXPECT_EQ(f.engine.curSize, c.value == Unit::size ? c.expected : 9) << c.name;
    }
}

TEST(UnitModulation, ClockDivisionOrFreeRate)
{
    struct Case
    {
        const char* name;
        bool synced;
        int division;
        double rate;
        float m;
        int expectedDivision;
        double expectedRate;
    };
    const Case cases[] = {
        {"1/16 + 0.2 clamps to 1/64", true, 11, 0.0, 0.2f, 13, 0.0},
        {"division 5 - 0.5 clamps to 0", true, 5, 0.0, -0.5f, 0, 0.0},
        {"division 6 + 0.1", true, 6, 0.0, 0.1f, 7, 0.0},
        {"division 6 - 0.5 rounds away from zero", true, 6, 0.0, -0.5f, 0, 0.0},
        {"free 0.3 + 0.5", false, 11, 0.3, 0.5f, 11, 0.8},
        {"free 0.9 + 0.5 stays below 1", false, 11, 0.9, 0.5f, 11, 0.9999999},
        {"free 0.1 - 0.5 stays above 0", false, 11, 0.1, -0.5f, 11, 1.0e-7},
    };

    for (const auto& c : cases)
    {
        ModFixture f;
        f.engine.clockSync = c.synced;
        f.engine.clockDiv = c.division;
        f.engine.freeRate = c.rate;
        auto block = f.blockWith(c.m);
        f.engine.handleParamModClock(block, modulated(c.division, source), 0, blockLength);
        EXPECT_EQ(f.engine.clockDiv, c.expectedDivision) << c.name;
        EXPECT_NEAR(f.engine.freeRate, c.expectedRate, 1.0e-7) << c.name;
    }
}

TEST(UnitModulation, ReadsAtTheStepsSampleButNotBeforeSample65)
{
    struct Case
    {
        int samplePos;
        int numSamples;
        int expectedRead;
    };
    const Case cases[] = {{0, 512, 65},    {10, 512, 65}, {65, 512, 65},  {100, 512, 100},
                          {600, 512, 511}, {0, 32, 31},   {-20, 512, 65}, {0, 66, 65}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(SeqEngineBase::modReadPosition(c.samplePos, c.numSamples), c.expectedRead);

        // Only the sample at the read position moves the division (0 + round(0.5 x 13) = 7).
        ModFixture f;
        f.engine.clockDiv = 0;
        f.mod.set(sourceChannel, c.expectedRead, 0.5f);
        auto block = f.mod.block(c.numSamples);
        f.engine.handleParamModClock(block, modulated(0, source), c.samplePos, c.numSamples);
        EXPECT_EQ(f.engine.clockDiv, 7) << "step at " << c.samplePos << " in " << c.numSamples;
    }
}

TEST(UnitModulation, DirectionStartAndSizeReadAtTheStepsSample)
{
    ModFixture f;
    f.engine.curSize = 8;
    f.engine.stepSamplePos = 200;
    f.mod.set(sourceChannel, readSample, -1.0f);
    auto block = f.blockWith(0.5f, 200);
    f.engine.handleParamModDirStrtSize(block, {}, {}, modulated(8, source), blockLength);
    EXPECT_EQ(f.engine.curSize, 24);
}

TEST(UnitModulation, StepOnOffTurnsOnAboveHalfAndOffAtMinusHalf)
{
    struct Case
    {
        bool on;
        float m;
        bool expected;
    };
    const Case cases[] = {{false, 0.6f, true}, {false, 0.5f, false},  {true, -0.5f, false}, {true, -0.4f, true},
                          {true, 0.9f, true},  {false, -0.9f, false}, {true, 0.0f, true},   {false, 0.0f, false}};
    for (const auto& c : cases)
    {
        ModFixture f;
        auto block = f.blockWith(c.m);
        bool on = c.on;
        f.engine.handleParamModStepOnOff(block, on, modulated(c.on ? 1 : 0, source), 0, 0, blockLength);
        EXPECT_EQ(on, c.expected) << (c.on ? "on" : "off") << " step, modulation " << c.m;
    }

    // The second slot of a step value is not read.
    ModFixture f;
    auto block = f.blockWith(0.9f);
    bool on = false;
    f.engine.handleParamModStepOnOff(block, on, modulated(0, source, 1.0f, 1), 0, 0, blockLength);
    EXPECT_FALSE(on);
}

TEST(UnitModulation, ProbabilityIsClampedAndDrawn)
{
    struct Case
    {
        const char* name;
        float prob;
        float m; // NaN: no modulation
        float expectedProb;
        int expectedPlays; // of 200; -1: some but not all
    };
    const float none = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"0.5 - 0.6 clamps to 0: never plays", 0.5f, -0.6f, 0.0f, 0},
        {"0.9 + 0.6 clamps to 1: always plays", 0.9f, 0.6f, 1.0f, 200},
        {"0 never plays", 0.0f, none, 0.0f, 0},
        {"1 never draws", 1.0f, none, 1.0f, 200},
        {"above 1 never draws", 1.5f, none, 1.5f, 200},
        {"0.5 plays some", 0.5f, none, 0.5f, -1},
        {"0.2 + 0.3", 0.2f, 0.3f, 0.5f, -1},
    };

    for (const auto& c : cases)
    {
        ModFixture f;
        const bool modulate = !std::isnan(c.m);
        auto block = f.blockWith(modulate ? c.m : 0.0f);
        const auto probParam = modulate ? modulated(c.prob * 100.0f, source) : FloatParam(c.prob * 100.0f);
        int plays = 0;
        float prob = 0.0f;
        for (int i = 0; i < 200; ++i)
        {
            bool on = true;
            prob = c.prob;
            f.engine.handleParamModStepOnOffProb(block, on, IntParam(1), prob, probParam, 0, 0, blockLength);
            plays += on ? 1 : 0;
        }
        EXPECT_NEAR(prob, c.expectedProb, 1.0e-6) << c.name;
        if (c.expectedPlays >= 0)
        {
            EXPECT_EQ(plays, c.expectedPlays) << c.name;
        }
        else
        {
            EXPECT_TRUE(plays > 0 && plays < 200) << c.name << ": " << plays;
        }
    }
}

TEST(UnitModulation, AnOffStepStaysOffWhateverItsProbability)
{
    ModFixture f;
    auto block = f.mod.block(blockLength);
    bool on = false;
    float prob = 1.0f;
    f.engine.handleParamModStepOnOffProb(block, on, IntParam(0), prob, FloatParam(100.0f), 0, 0, blockLength);
    EXPECT_FALSE(on);

    // A probability that is not a number counts as missing: the step plays.
    on = true;
    prob = std::numeric_limits<float>::quiet_NaN();
    f.engine.handleParamModStepOnOffProb(block, on, IntParam(1), prob, FloatParam(100.0f), 0, 0, blockLength);
    EXPECT_TRUE(on);

    int plays = 0;
    for (int i = 0; i < 200; ++i)
    {
        on = true;
        f.engine.stepProbProcess(0.25f, on);
        plays += on ? 1 : 0;
    }
    EXPECT_GT(plays, 0);
    EXPECT_LT(plays, 200);
    on = false;
    f.engine.stepProbProcess(1.0f, on);
    EXPECT_FALSE(on);
}

TEST(UnitModulation, DepthsPassTheCurveAndSlotsAddUpToTheLimit)
{
    ModFixture f;
    f.mod.fill(0, 1.0f);
    f.mod.fill(1, 0.8f);
    f.mod.fill(2, 0.4f);
    auto block = f.mod.block(blockLength);

    const float half = f.models.scurve->calcModDep(0.5f);
    EXPECT_NEAR(half, 0.406f, 0.001f);
    EXPECT_FLOAT_EQ(f.engine.modulationSum(block, modulated(0, 1, 0.5f), 2, readSample), half);

    auto two = modulated(0, 2);
    two.modSource[1] = 2;
    two.modDepth[1] = 1.0f;
    two.updateModActive();
    EXPECT_FLOAT_EQ(f.engine.modulationSum(block, two, 2, readSample), 0.999999f);
    EXPECT_FLOAT_EQ(f.engine.modulationSum(block, two, 1, readSample), 0.8f);
    EXPECT_FLOAT_EQ(f.engine.modulationSum(block, modulated(0, 3, -1.0f), 2, readSample), -0.4f);
    // A source beyond the block's channels reads as 0.
    EXPECT_FLOAT_EQ(f.engine.modulationSum(block, modulated(0, 40), 2, readSample), 0.0f);

    // Size 16 moved by the curved depth: round(0.406 x 31 + 16) = 29.
    f.engine.curSize = 16;
    f.engine.handleParamModDirStrtSize(block, {}, {}, modulated(16, 1, 0.5f), blockLength);
    EXPECT_EQ(f.engine.curSize, SeqEngineBase::roundHalfAway((double) half * 31.0 + 16.0));
    EXPECT_EQ(f.engine.curSize, 29);
}

TEST(UnitModulation, ValuesWithoutActiveModulationStayUnchanged)
{
    ModFixture f;
    f.mod.fill(sourceChannel, 0.9f);
    auto block = f.mod.block(blockLength);
    IntParam depthless(0);
    depthless.modSource[0] = source;
    depthless.updateModActive();
    ASSERT_FALSE(depthless.modActive.load());

    f.engine.curDir = 2;
    f.engine.curStrt = 4;
    f.engine.curSize = 5;
    f.engine.clockDiv = 3;
    f.engine.swingAmount = 0.1;
    f.engine.handleParamModDirStrtSize(block, depthless, depthless, depthless, blockLength);
    f.engine.handleParamModClock(block, depthless, 0, blockLength);
    FloatParam swing(0.1f);
    f.engine.handleParamModSwing(block, swing, 0, blockLength);
    bool on = false;
    f.engine.handleParamModStepOnOff(block, on, depthless, 0, 0, blockLength);

    EXPECT_EQ(f.engine.curDir, 2);
    EXPECT_EQ(f.engine.curStrt, 4);
    EXPECT_EQ(f.engine.curSize, 5);
    EXPECT_EQ(f.engine.clockDiv, 3);
    EXPECT_DOUBLE_EQ(f.engine.swingAmount, 0.1);
    EXPECT_FALSE(on);
}

TEST(UnitModulation, SwingAmountMovesByTwiceTheModulation)
{
    struct Case
    {
        double amount;
        float m;
        double expected;
    };
    const Case cases[] = {{0.3, 0.2f, 0.7}, {0.5, 0.5f, 1.0}, {-0.5, -0.6f, -1.0}, {0.0, -0.25f, -0.5}};
    for (const auto& c : cases)
    {
        ModFixture f;
        f.engine.swingAmount = c.amount;
        auto block = f.blockWith(c.m);
        f.engine.handleParamModSwing(block, modulated((float) c.amount, source), 0, blockLength);
        EXPECT_NEAR(f.engine.swingAmount, c.expected, 1.0e-6) << c.amount << " " << c.m;
    }
}

TEST(UnitModulation, RoundingIsHalfAwayFromZero)
{
    EXPECT_EQ(SeqEngineBase::roundHalfAway(0.5), 1);
    EXPECT_EQ(SeqEngineBase::roundHalfAway(-0.5), -1);
    EXPECT_EQ(SeqEngineBase::roundHalfAway(2.6), 3);
    EXPECT_EQ(SeqEngineBase::roundHalfAway(-1.5), -2);
    EXPECT_EQ(SeqEngineBase::roundHalfAway(-1.4999), -1);
    EXPECT_EQ(SeqEngineBase::roundHalfAway(1.0e30), std::numeric_limits<int>::max());
    EXPECT_EQ(SeqEngineBase::roundHalfAway(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(UnitModulation, TheUnitsSlotsFillChannelsZeroToSeven)
{
    ModFixture f;
    // A new snapshot has slots 1 and 2 on (channels 0 and 1); switch slot 4 on too.
    auto& slots = f.models.lfo.unitSnaps[(size_t) f.engine.getEngineId()][0];
    slots[3].pwr = true;
    for (const size_t j : {0u, 1u, 3u})
        slots[j].bwf = 2; // the ramp: above 0 once running
    for (int c = 0; c < 16; ++c)
        f.mod.fill(c, 0.7f);
    auto block = f.mod.block(blockLength);
    f.engine.processModEngine(block, 0.0f, true, -1, false, 100);
    for (int c = 0; c < 16; ++c)
    {
        const bool on = c == 0 || c == 1 || c == 3;
        EXPECT_EQ(f.mod.get(c, 100), 0.7f) << "channel " << c;
        const float v = f.mod.get(c, 99);
        if (c >= 8)
            EXPECT_EQ(v, 0.7f) << "channel " << c;
        else
            EXPECT_TRUE(on ? v > 0.0f && v < 0.7f : v == 0.0f) << "channel " << c << ": " << v;
    }
    EXPECT_EQ(f.models.lfo.lastOutputs[(size_t) f.engine.getEngineId()][3].load(), f.mod.get(3, 99));

    // A resync request reaches the slots before their next block.
    f.engine.resyncModEngine();
    EXPECT_TRUE(f.engine.getModSlots().isResyncRequested());
    f.engine.processModEngine(block, 0.0f, true, -1, false, blockLength);
    EXPECT_FALSE(f.engine.getModSlots().isResyncRequested());
    EXPECT_EQ(f.engine.getModSlots().getEngineIndex(), f.engine.getEngineId());
}
