// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnitEngineTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace enginetest;

namespace
{
constexpr double step = 1.0 / 16.0;

SwingHandler::Swinger swingerAt(double breakpoint)
{
    // Depth d gives 0.51 + 0.98 d; pick the depth that gives the breakpoint.
    SwingHandler::Swinger swinger;
    swinger.setSwingDepth((breakpoint - 0.51) / 0.98, {0.51, 1.49});
    swinger.updateSwingTable();
    return swinger;
}
} // namespace

TEST(SwingHandler, DepthMapTakesTheSquareOfTheAmount)
{
    SwingHandler swing;
    EXPECT_NEAR(swing.getDepth(-1.0), 0.0, 1.0e-12);
    EXPECT_NEAR(swing.getDepth(0.0), 0.5, 1.0e-4);
    EXPECT_NEAR(swing.getDepth(1.0), 1.0, 1.0e-12);
    EXPECT_NEAR(swing.getDepth(0.5), 0.625, 1.0e-4);
    EXPECT_NEAR(swing.getDepth(-0.5), 0.375, 1.0e-4);
    EXPECT_NEAR(swing.getDepth(3.0), 1.0, 1.0e-12);
    EXPECT_NEAR(swing.getDepth(std::numeric_limits<double>::quiet_NaN()), swing.getDepth(0.0), 1.0e-12);
}

TEST(SwingHandler, BreakpointFromTheDepth)
{
    SwingHandler swing;
    struct Case
    {
        double amount;
        double breakpoint;
    };
    // d = 1 + 0.49 sign(a) a^2, apart from the depth table's interpolation.
    const Case cases[] = {{1.0, 1.49}, {-1.0, 0.51}, {0.5, 1.1225}, {-0.5, 0.8775}};
    for (const auto& c : cases)
    {
        const double depth = swing.getDepth(c.amount);
        swing.swinger.setSwingDepth(depth, swing.depthRange);
        EXPECT_NEAR(swing.swinger.getBreakpoint(), c.breakpoint, 1.0e-3) << c.amount;
        EXPECT_DOUBLE_EQ(swing.getBreakpoint(depth), swing.swinger.getBreakpoint());
    }
    swing.swinger.setSwingDepth(0.5, swing.depthRange);
    EXPECT_EQ(swing.swinger.getBreakpoint(), 1.0);
    EXPECT_EQ(swing.getBreakpoint(0.5), 1.0);
}

TEST(SwingHandler, WarpMovesTheMiddleOfEachPairOnly)
{
    struct Case
    {
        double breakpoint;
        double x;
        double warped;
    };
    const Case cases[] = {
        {1.49, step, step / 1.49},
        {1.49, 1.49 * step, step},
        {0.51, 0.51 * step, step},
        {1.49, 0.0, 0.0},
        {1.49, 1.0, 1.0},
        {1.49, 6 * step, 6 * step},
        {0.51, 10 * step, 10 * step},
        {1.0, 0.3, 0.3},
        {1.49, 3.49 * step, 3 * step},
    };
    for (const auto& c : cases)
    {
        const auto swinger = swingerAt(c.breakpoint);
        EXPECT_NEAR(swinger.calcSwingPosSample(c.x), c.warped, 1.0e-12) << c.breakpoint << " at " << c.x;
        // The table follows the warp to within its resolution.
        EXPECT_NEAR(swinger.processSample(c.x), c.warped, 2.0e-3) << c.breakpoint << " at " << c.x;
    }
}

TEST(SwingHandler, TableIsRebuiltOnlyWhenTheBreakpointChanges)
{
    SwingHandler::Swinger swinger;
    EXPECT_EQ(swinger.getNumTableBuilds(), 0);
    swinger.setSwingDepth(0.8, {0.51, 1.49});
    swinger.updateSwingTable();
    swinger.setSwingDepth(0.8, {0.51, 1.49});
    swinger.updateSwingTable();
    EXPECT_EQ(swinger.getNumTableBuilds(), 1);
    swinger.setSwingDepth(0.2, {0.51, 1.49});
    swinger.updateSwingTable();
    EXPECT_EQ(swinger.getNumTableBuilds(), 2);
}

TEST(SwingHandler, WarpsABlockInPlace)
{
    SwingHandler swing;
    std::vector<double> phases = {0.0, step, 1.49 * step, 0.5, -0.2, 0.99};
    double* channels[] = {phases.data()};
    juce::dsp::AudioBlock<double> block(channels, 1, phases.size());
    swing.processBlock(block, 1.0, 5);
    EXPECT_NEAR(phases[0], 0.0, 1.0e-9);
    EXPECT_NEAR(phases[1], step / 1.49, 2.0e-3);
    EXPECT_NEAR(phases[2], step, 2.0e-3);
    EXPECT_NEAR(phases[3], 0.5, 2.0e-3);
    EXPECT_NEAR(phases[4], 0.0, 1.0e-9); // negative positions read as 0
    EXPECT_EQ(phases[5], 0.99);          // beyond the n samples asked for
}

namespace
{
// Step starts of a parameter unit over one bar at 120 bpm, 48 kHz, "1/16".
std::vector<int64_t> swungStarts(bool target, float amount, int macroSource = 0, float macroValue = 0.0f)
{
    EngineModels models;
    models.global.swgTar[4] = target;
    models.global.swing.value = amount;
    if (macroSource > 0)
    {
        models.global.swing.modSource[0] = macroSource;
        models.global.swing.modDepth[0] = 1.0f;
        models.global.swing.updateModActive();
    }
    TestUnitEngine engine(models, zu::units::param);
    engine.prepare(specFor(48000.0, 512));
    engine.setStartFlag();
    ModBuffer mod(512);
    if (macroSource > 0)
        mod.fill(macroSource - 1, macroValue);
    SwingHandler swing;
    Transport transport;
    std::vector<int64_t> starts;
    for (const auto& e : play(engine, mod, swing, transport, 187, 512))
        starts.push_back(e.startSample);
    return starts;
}
} // namespace

TEST(SwingHandler, SwingDelaysOrAdvancesEverySecondStep)
{
    const auto straight = swungStarts(true, 0.0f);
    ASSERT_EQ(straight.size(), 16u);

    struct Case
    {
        const char* name;
        std::vector<int64_t> starts;
        double shift; // of every second step, in samples
    };
    const Case cases[] = {
        {"amount 1", swungStarts(true, 1.0f), 0.49 * 6000},
        {"amount -1", swungStarts(true, -1.0f), -0.49 * 6000},
        {"amount 0.5", swungStarts(true, 0.5f), 0.1225 * 6000},
        {"amount 0 moved to 0.5 by a macro", swungStarts(true, 0.0f, 9, 0.25f), 0.1225 * 6000},
        {"not a target", swungStarts(false, 1.0f), 0.0},
    };
    for (const auto& c : cases)
    {
        ASSERT_EQ(c.starts.size(), straight.size()) << c.name;
        for (size_t i = 0; i < straight.size(); ++i)
        {
            const double expectedShift = (i % 2 == 1) ? c.shift : 0.0;
            // The warp is read from a table of 512 points a bar, 188 samples apart here;
            // interpolating across a bend of the warp moves a boundary by less than half of that.
            EXPECT_NEAR((double) (c.starts[i] - straight[i]), expectedShift, 94.0) << c.name << " step " << i;
        }
    }
}

TEST(SwingHandler, UnitSwingStateFollowsTheGlobalValueAndTargets)
{
    EngineModels models;
    TestUnitEngine engine(models, zu::units::cc, 2);
    models.global.swgTar[10] = true;
    models.global.swing.value = 0.0f;
    engine.updateSwingState(10);
    EXPECT_TRUE(engine.swingOn);
    EXPECT_FALSE(engine.isSwingActiveForThisUnit());

    models.global.swing.value = -0.4f;
    engine.updateSwingState(10);
    EXPECT_NEAR(engine.swingAmount, -0.4, 1.0e-7);
    EXPECT_TRUE(engine.isSwingActiveForThisUnit());

    models.global.swgTar[9] = false;
    engine.updateSwingState(9);
    EXPECT_FALSE(engine.swingOn);
    EXPECT_FALSE(engine.isSwingActiveForThisUnit());

    // The racks have no swing target.
    engine.updateSwingState(13);
    EXPECT_FALSE(engine.swingOn);
    engine.updateSwingState(-1);
    EXPECT_FALSE(engine.swingOn);
}
