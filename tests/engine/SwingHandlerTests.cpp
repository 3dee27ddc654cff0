// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnitEngineTestHelpers.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace enginetest;

namespace
{
constexpr double step = 1.0 / 16.0;
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
// A unit engine of one kind and index, and the swing targets that are on.
struct SwingUnit
{
    int unitType = zu::units::param;
    int unitIndex = 0;
    std::array<bool, MirabelGlobalData::numSeqUnits> targets{};
};

SwingUnit targeted(bool on)
{
    SwingUnit u;
    u.targets[4] = on;
    return u;
}

// Step starts of a unit over one bar at 120 bpm, 48 kHz, "1/16".
std::vector<int64_t> swungStarts(const SwingUnit& unit, float amount, int macroSource = 0, float macroValue = 0.0f)
{
    EngineModels models;
    for (size_t n = 0; n < unit.targets.size(); ++n)
        models.global.swgTar[n] = unit.targets[n];
    models.global.swing.value = amount;
    if (macroSource > 0)
    {
        models.global.swing.modSource[0] = macroSource;
        models.global.swing.modDepth[0] = 1.0f;
        models.global.swing.updateModActive();
    }
    TestUnitEngine engine(models, unit.unitType, unit.unitIndex);
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

// The shift of every second step against the straight grid, checked for all steps.
void expectSwung(const std::vector<int64_t>& starts, const std::vector<int64_t>& straight, double shift,
                 const std::string& name)
{
    ASSERT_EQ(starts.size(), straight.size()) << name;
    for (size_t i = 0; i < straight.size(); ++i)
    {
        const double expectedShift = (i % 2 == 1) ? shift : 0.0;
        // The warp is read from a table of 512 points a bar, 188 samples apart here;
        // interpolating across a bend of the warp moves a boundary by less than half of that.
        EXPECT_NEAR((double) (starts[i] - straight[i]), expectedShift, 94.0) << name << " step " << i;
    }
}
} // namespace

TEST(SwingHandler, SwingDelaysOrAdvancesEverySecondStep)
{
    const auto straight = swungStarts(targeted(true), 0.0f);
    ASSERT_EQ(straight.size(), 16u);

    struct Case
    {
        const char* name;
        std::vector<int64_t> starts;
        double shift; // of every second step, in samples
    };
    const Case cases[] = {
        {"amount 1", swungStarts(targeted(true), 1.0f), 0.49 * 6000},
        {"amount -1", swungStarts(targeted(true), -1.0f), -0.49 * 6000},
        {"amount 0.5", swungStarts(targeted(true), 0.5f), 0.1225 * 6000},
        {"amount 0 moved to 0.5 by a macro", swungStarts(targeted(true), 0.0f, 9, 0.25f), 0.1225 * 6000},
        {"not a target", swungStarts(targeted(false), 1.0f), 0.0},
    };
    for (const auto& c : cases)
        expectSwung(c.starts, straight, c.shift, c.name);
}

TEST(SwingHandler, EachTargetSwingsItsOwnUnitOnly)
{
    // Targets 1 to 13: pitch units 1-4, parameter units 1-4, CC units 1-4, the octave-transpose unit.
    for (int n = 0; n < MirabelGlobalData::numSeqUnits; ++n)
    {
        SwingUnit own;
        own.unitType = n / 4;
        own.unitIndex = n % 4;
        own.targets[(size_t) n] = true;
        SwingUnit others = own;
        others.targets.fill(true);
        others.targets[(size_t) n] = false;

        const std::string name = "target " + std::to_string(n + 1);
        const auto straight = swungStarts(own, 0.0f);
        expectSwung(swungStarts(own, 1.0f), straight, 0.49 * 6000, name + " on");
        expectSwung(swungStarts(others, 1.0f), straight, 0.0, name + " off, all others on");
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
