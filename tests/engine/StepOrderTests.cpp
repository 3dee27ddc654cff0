// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnitEngineTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace enginetest;

namespace
{
// A freshly prepared engine with the step order set by hand.
struct OrderFixture
{
    EngineModels models;
    TestUnitEngine engine{models, zu::units::param};

    OrderFixture(int dir, int start, int size)
    {
        engine.prepare(specFor(48000.0, 512));
        engine.seedRandom(1234);
        set(dir, start, size);
    }

    void set(int dir, int start, int size)
    {
        engine.curDir = dir;
        engine.curStrt = start;
        engine.curSize = size;
    }

    std::vector<int> take(int count)
    {
        std::vector<int> steps;
        for (int i = 0; i < count; ++i)
            steps.push_back(engine.nextStep());
        return steps;
    }
};

struct OrderCase
{
    const char* name;
    int dir;
    int start;
    int size;
    std::vector<int> expected;
};
} // namespace

// Zero-based step numbers; the editor counts them from 1.
TEST(StepOrder, OrderedModesPlayTheirWindowInOrder)
{
    const OrderCase cases[] = {
        {"> size 1", 0, 0, 1, {0, 0, 0, 0}},
        {"> size 2", 0, 0, 2, {0, 1, 0, 1, 0}},
        {"> size 3", 0, 0, 3, {0, 1, 2, 0, 1, 2, 0}},
        {"> wrapped", 0, 30, 4, {30, 31, 0, 1, 30, 31, 0, 1}},
        {"< size 1", 1, 0, 1, {0, 0, 0}},
        {"< size 2", 1, 0, 2, {1, 0, 1, 0}},
        {"< size 3", 1, 0, 3, {2, 1, 0, 2, 1, 0}},
        {"< wrapped", 1, 30, 4, {1, 0, 31, 30, 1, 0, 31, 30}},
        {"><1 size 1", 2, 0, 1, {0, 0, 0, 0}},
        {"><1 size 2", 2, 0, 2, {0, 1, 0, 1, 0, 1}},
        {"><1 size 3", 2, 0, 3, {0, 1, 2, 1, 0, 1, 2, 1, 0}},
        {"><1 wrapped", 2, 30, 4, {30, 31, 0, 1, 0, 31, 30, 31, 0, 1, 0, 31}},
        {"><2 size 1", 3, 0, 1, {0, 0, 0, 0}},
        {"><2 size 2", 3, 0, 2, {0, 1, 1, 0, 0, 1, 1, 0}},
        {"><2 size 3", 3, 0, 3, {0, 1, 2, 2, 1, 0, 0, 1, 2}},
        {"><2 wrapped", 3, 30, 4, {30, 31, 0, 1, 1, 0, 31, 30, 30, 31}},
        {"> from step 5", 0, 4, 3, {4, 5, 6, 4, 5}},
    };

    for (const auto& c : cases)
    {
        OrderFixture f(c.dir, c.start, c.size);
        EXPECT_EQ(f.take((int) c.expected.size()), c.expected) << c.name;
    }
}

TEST(StepOrder, WindowShrinkingMidRoundSkipsTheStepsThatFellOut)
{
    for (int dir : {0, 1})
    {
        OrderFixture f(dir, 0, 8);
        const auto firstHalf = f.take(4);
        f.set(dir, 0, 4);
        const auto after = f.take(5);
        if (dir == 0)
        {
            EXPECT_EQ(firstHalf, (std::vector<int>{0, 1, 2, 3}));
            // Offsets 4..7 are left in the list but lie outside the window now.
            EXPECT_EQ(after, (std::vector<int>{0, 1, 2, 3, 0}));
        }
        else
        {
            EXPECT_EQ(firstHalf, (std::vector<int>{7, 6, 5, 4}));
            // The backward steps of the old offsets fall below the window's start.
            EXPECT_EQ(after, (std::vector<int>{3, 2, 1, 0, 3}));
        }
    }
}

TEST(StepOrder, StartChangeRestartsTheOrderAtTheNewStart)
{
    OrderFixture f(0, 0, 8);
    EXPECT_EQ(f.take(3), (std::vector<int>{0, 1, 2}));
    f.set(0, 5, 8);
    EXPECT_EQ(f.take(4), (std::vector<int>{5, 6, 7, 8}));

    OrderFixture back(1, 0, 8);
    EXPECT_EQ(back.take(2), (std::vector<int>{7, 6}));
    back.set(1, 10, 4);
    EXPECT_EQ(back.take(5), (std::vector<int>{13, 12, 11, 10, 13}));
}

TEST(StepOrder, SizeChangeTakesEffectWhenTheListRunsOut)
{
    OrderFixture f(0, 0, 3);
    EXPECT_EQ(f.take(2), (std::vector<int>{0, 1}));
    f.set(0, 0, 5);
    EXPECT_EQ(f.take(6), (std::vector<int>{2, 0, 1, 2, 3, 4}));
}

TEST(StepOrder, RandomModesStayInsideTheWindowAndEnd)
{
    for (int dir : {4, 5})
    {
        for (auto [start, size] : {std::pair{30, 4}, std::pair{0, 1}, std::pair{7, 32}, std::pair{12, 9}})
        {
            OrderFixture f(dir, start, size);
            std::set<int> seen;
            for (int i = 0; i < 400; ++i)
            {
                const int step = f.engine.nextStep();
                ASSERT_TRUE(f.engine.checkCurStepInRange(step, start, size))
                    << "mode " << dir << " start " << start << " size " << size << " gave " << step;
                seen.insert(step);
            }
            EXPECT_EQ((int) seen.size(), size) << "mode " << dir << " start " << start;
        }
    }
}

TEST(StepOrder, ShuffledModePlaysEachWindowStepOncePerRound)
{
    OrderFixture f(5, 30, 6);
    std::vector<int> window = {30, 31, 0, 1, 2, 3};
    std::sort(window.begin(), window.end());

    // The first call draws the first shuffle and keeps the proposed step (0, in the window).
    f.engine.curStep = 0;
    EXPECT_EQ(f.engine.nextStep(), 0);
    for (int round = 0; round < 20; ++round)
    {
        auto steps = f.take(6);
        std::sort(steps.begin(), steps.end());
        EXPECT_EQ(steps, window) << "round " << round;
    }
}

TEST(StepOrder, ShuffledModeFirstCallTakesAShuffledStepWhenTheProposedOneIsOutside)
{
    OrderFixture f(5, 8, 4);
    f.engine.curStep = 20;
    const int step = f.engine.nextStep();
    EXPECT_GE(step, 8);
    EXPECT_LE(step, 11);
}

TEST(StepOrder, RandomModesConsumeTheForwardListOncePerStep)
{
    OrderFixture f(4, 0, 5);
    f.engine.nextStep();
    EXPECT_EQ(f.engine.stepTrigList.size(), 4);
    f.take(4);
    EXPECT_TRUE(f.engine.stepTrigList.empty());
    f.engine.nextStep();
    EXPECT_EQ(f.engine.stepTrigList.size(), 4);
}

TEST(StepOrder, StoredValuesOutsideTheirRangesAreClampedWhenRead)
{
    // A direction beyond the six modes is read as the last one; it can no
    // longer leave the order without a step to choose.
    OrderFixture f(42, 3, 4);
    const int step = f.engine.nextStep();
    EXPECT_EQ(f.engine.curDir, 5);
    EXPECT_TRUE(f.engine.checkCurStepInRange(step, 3, 4));

    OrderFixture negative(-7, 0, 3);
    EXPECT_EQ(negative.take(3), (std::vector<int>{0, 1, 2}));

    // Size 0 is a one-step window, a huge size the whole unit, a start beyond
    // the last step the last step.
    OrderFixture empty(0, 5, 0);
    EXPECT_EQ(empty.take(3), (std::vector<int>{5, 5, 5}));
    OrderFixture huge(0, 0, 1000);
    EXPECT_EQ(huge.take(33).back(), 0);
    OrderFixture late(0, 99, 2);
    EXPECT_EQ(late.take(3), (std::vector<int>{31, 0, 31}));
}

namespace
{
// An engine whose window test never accepts a step: the skip must still end.
class NoWindowEngine : public TestUnitEngine
{
public:
    using TestUnitEngine::TestUnitEngine;
    bool checkCurStepInRange(int, int, int) override { return false; }
};
} // namespace

TEST(StepOrder, SkippingOutOfWindowStepsIsBounded)
{
    for (int dir = 0; dir < SeqEngineBase::numDirections; ++dir)
    {
        EngineModels models;
        NoWindowEngine engine(models, zu::units::param);
        engine.prepare(specFor(48000.0, 512));
        engine.curDir = dir;
        engine.curStrt = 0;
        engine.curSize = 8;

        ModBuffer mod(64);
        auto block = mod.block(64);
        int counter = -1;
        engine.stepProcess(block, {}, {}, {}, 0.0, 64, counter);
        EXPECT_GE(engine.curStep, -1);
        EXPECT_LE(engine.curStep, 31);
        if (dir != 4 && dir != 5)
        {
            EXPECT_EQ(counter, SeqEngineBase::maxStepRetries) << "mode " << dir;
        }
    }
}

TEST(StepOrder, WindowTest)
{
    EngineModels models;
    TestUnitEngine engine(models, zu::units::param);

    struct Case
    {
        int step, start, size;
        bool inside;
    };
    const Case cases[] = {
        {30, 30, 4, true},  {31, 30, 4, true},  {0, 30, 4, true},  {1, 30, 4, true},   {2, 30, 4, false},
        {29, 30, 4, false}, {-1, 30, 4, false}, {5, 5, 1, true},   {6, 5, 1, false},   {-1, 0, 32, true},
        {17, 3, 32, true},  {3, 3, 0, false},   {3, 3, -4, false}, {31, 0, 31, false}, {30, 0, 31, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine.checkCurStepInRange(c.step, c.start, c.size), c.inside)
            << "step " << c.step << " start " << c.start << " size " << c.size;
}

TEST(StepOrder, ListsStartWithThirtyTwoEntriesAndRebuildOnTheFirstStep)
{
    EngineModels models;
    TestUnitEngine engine(models, zu::units::param);
    EXPECT_EQ(engine.stepTrigList.size(), 32);
    EXPECT_EQ(engine.pingPongTrigList.size(), 32);
    EXPECT_TRUE(engine.rnd2TrigList.empty());
    EXPECT_EQ(engine.trigListSize, -1);

    engine.prepare(specFor(48000.0, 512));
    engine.curSize = 5;
    engine.curStrt = 0;
    EXPECT_EQ(engine.nextStep(), 0);
    EXPECT_EQ(engine.trigListSize, 5);
    EXPECT_EQ(engine.stepTrigList.size(), 4);
    EXPECT_EQ(engine.pingPongTrigList.size(), 5);

    engine.resetCounter();
    EXPECT_TRUE(engine.stepTrigList.empty());
    EXPECT_TRUE(engine.pingPongTrigList.empty());
    EXPECT_EQ(engine.nextStep(), 0);
}
