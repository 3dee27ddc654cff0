// SPDX-License-Identifier: GPL-3.0-or-later
// The swing warp of a 16-step phase ramp and the lookup table it is read from.
#include "zu_dsp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{
using zu::zudsp::ZuLookupTable;
using zu::zudsp::ZuSwinger;

constexpr double step = 1.0 / 16.0;

ZuSwinger<double> swingerAt(double breakpoint)
{
    // Depth d gives 0.51 + 0.98 d; pick the depth that gives the breakpoint.
    ZuSwinger<double> swinger;
    swinger.setSwingDepth((breakpoint - 0.51) / 0.98, {0.51, 1.49});
    swinger.updateSwingTable();
    return swinger;
}

// Points 0, 10, 20, 30 over [0, 1].
ZuLookupTable<double> fourPoints()
{
    ZuLookupTable<double> t;
    t.initialise(4);
    for (int i = 0; i < 4; ++i)
        t.setTableValues(i, 10.0 * i);
    t.prepare();
    return t;
}
} // namespace

TEST(SwingWarp, LookupTableInterpolatesOrTakesThePointBelow)
{
    ZuLookupTable<double> t;
    EXPECT_FALSE(t.isInitialised());
    EXPECT_EQ(t.getNumPoints(), 0);

    t = fourPoints();
    EXPECT_TRUE(t.isInitialised());
    EXPECT_EQ(t.getNumPoints(), 4);
    EXPECT_EQ(t.getGuardIndex(), 4);
    EXPECT_EQ(ZuLookupTable<double>::getRequiredBufferSize(4), 5);
    EXPECT_TRUE(t.getIterpState());

    struct Case
    {
        double x;
        double interpolated;
        double nearestBelow;
    };
    const Case cases[] = {
        {0.0, 0.0, 0.0}, {0.5, 15.0, 10.0}, {1.0 / 3.0, 10.0, 10.0}, {0.9, 27.0, 20.0}, {1.0, 30.0, 30.0}};
    for (const auto& c : cases)
    {
        t.setInterp(true);
        EXPECT_NEAR(t.get(c.x), c.interpolated, 1.0e-9) << c.x;
        EXPECT_NEAR(t[c.x], c.interpolated, 1.0e-9) << c.x;
        t.setInterp(false);
        EXPECT_NEAR(t.getUnchecked(c.x), c.nearestBelow, 1.0e-9) << c.x;
    }
}

TEST(SwingWarp, LookupTableClampsInputsOutsideTheTable)
{
    auto t = fourPoints();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        double x;
        double value;
    };
    const Case cases[] = {{-0.5, 0.0}, {-inf, 0.0}, {nan, 0.0}, {1.5, 30.0}, {inf, 30.0}, {1.0e300, 30.0}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(t.get(c.x), c.value) << c.x;
        EXPECT_EQ(t.getUnchecked(c.x), c.value) << c.x;
    }

    // Writes outside the table change nothing.
    t.setTableValues(-1, 99.0);
    t.setTableValues(5, 99.0);
    EXPECT_EQ(t.get(0.0), 0.0);
    EXPECT_EQ(t.get(1.0), 30.0);
}

TEST(SwingWarp, LookupTableFromAnArrayTakesTheFirstValueAsGuard)
{
    ZuLookupTable<float> t;
    t.initialise(3);
    t.setTableFromArray(juce::Array<float>({1.0f, 2.0f, 4.0f}));
    EXPECT_EQ(t.getNumPoints(), 3);
    EXPECT_FLOAT_EQ(t.get(0.25f), 1.5f);
    EXPECT_FLOAT_EQ(t.get(1.0f), 4.0f);

    std::vector<float> samples{0.0f, 0.75f, 7.0f, -1.0f};
    float* channels[] = {samples.data()};
    juce::dsp::AudioBlock<float> block(channels, 1, samples.size());
    t.processBlock(block, 3);
    EXPECT_EQ(samples, (std::vector<float>{1.0f, 3.0f, 4.0f, -1.0f}));
}

TEST(SwingWarp, WarpMovesTheMiddleOfEachPairOnly)
{
    struct Case
    {
        double breakpoint;
        double x;
        double warped;
    };
    const Case cases[] = {
        {1.49, step, step / 1.49}, // about 0.6711 of a step: still inside the first step
        {1.49, 1.49 * step, step},  {0.51, 0.51 * step, step},    {1.49, 0.0, 0.0}, {1.49, 1.0, 1.0},
        {1.49, 6 * step, 6 * step}, {0.51, 10 * step, 10 * step}, {1.0, 0.3, 0.3},  {1.49, 3.49 * step, 3 * step},
    };
    for (const auto& c : cases)
    {
        const auto swinger = swingerAt(c.breakpoint);
        EXPECT_NEAR(swinger.calcSwingPosSample(c.x), c.warped, 1.0e-12) << c.breakpoint << " at " << c.x;
        // The table follows the warp to within its resolution.
        EXPECT_NEAR(swinger.processSample(c.x), c.warped, 2.0e-3) << c.breakpoint << " at " << c.x;
    }
    EXPECT_NEAR(swingerAt(1.49).calcSwingPosSample(step) * 16.0, 0.6711, 1.0e-4);
}

TEST(SwingWarp, PairBoundariesAndTheCycleEndsStayPut)
{
    for (const double breakpoint : {0.51, 0.8, 1.0, 1.3, 1.49})
    {
        const auto swinger = swingerAt(breakpoint);
        for (int k = 0; k <= 8; ++k)
        {
            const double x = 2 * k * step;
            EXPECT_NEAR(swinger.calcSwingPosSample(x), x, 1.0e-12) << breakpoint << " pair " << k;
            // The table's points are 1/511 apart, so a boundary between them is interpolated.
            EXPECT_NEAR(swinger.processSample(x), x, k % 8 == 0 ? 1.0e-12 : 2.0e-3) << breakpoint << " pair " << k;
        }
    }
}

TEST(SwingWarp, TableIsRebuiltOnlyWhenTheBreakpointChanges)
{
    ZuSwinger<double> swinger;
    EXPECT_EQ(swinger.getNumTableBuilds(), 0);
    swinger.setSwingDepth(0.8, {0.51, 1.49});
    swinger.updateSwingTable();
    swinger.setSwingDepth(0.8, {0.51, 1.49});
    swinger.updateSwingTable();
    EXPECT_EQ(swinger.getNumTableBuilds(), 1);
    swinger.setSwingDepth(0.2, {0.51, 1.49});
    swinger.updateSwingTable();
    EXPECT_EQ(swinger.getNumTableBuilds(), 2);

    // The first call builds the straight table, since nothing was built for it yet.
    ZuSwinger<float> straight;
    straight.setSwingDepthAndUpdateTable(0.5f);
    EXPECT_EQ(straight.getBreakpoint(), 1.0f);
    EXPECT_EQ(straight.getNumTableBuilds(), 1);
    EXPECT_NEAR(straight.processSample(0.3f), 0.3f, 1.0e-6f);
}

TEST(SwingWarp, DepthsWithoutARangeAndOddDepthsKeepBothStepsOfAPair)
{
    ZuSwinger<double> swinger;
    swinger.setSwingDepth(0.0);
    EXPECT_DOUBLE_EQ(swinger.getBreakpoint(), 0.3);
    swinger.setSwingDepth(1.0);
    EXPECT_DOUBLE_EQ(swinger.getBreakpoint(), 1.8);

    for (const double depth : {-5.0, 5.0, std::numeric_limits<double>::quiet_NaN()})
    {
        swinger.setSwingDepth(depth, {0.51, 1.49});
        const double b = swinger.getBreakpoint();
        EXPECT_GT(b, 0.0) << depth;
        EXPECT_LT(b, 2.0) << depth;
        swinger.updateSwingTable();
        for (double x = 0.0; x <= 1.0; x += 1.0 / 64.0)
            EXPECT_TRUE(std::isfinite(swinger.processSample(x))) << depth << " at " << x;
    }
}
