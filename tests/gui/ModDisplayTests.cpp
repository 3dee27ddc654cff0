// SPDX-License-Identifier: GPL-3.0-or-later
#include "LfoSharedTable.h"
#include "LfoWaveDispPanel.h"
#include "MessagePump.h"
#include "ModDisplayFixture.h"
#include "SahWaveDispPanel.h"

#include <gtest/gtest.h>

namespace
{
using zutest::pathPoints;
using zutest::pumpUntil;

TEST(LfoSharedTable, MatchesTheWaveformsAtTheTablePoints)
{
    juce::SharedResourcePointer<LfoSharedTable> table;
    for (int k = 0; k < LfoSharedTable::numTables; ++k)
        for (int i = 0; i < 128; ++i)
        {
            const float x = (float) i / 127.0f;
            EXPECT_NEAR(table->lookup(k, x), zuWavetableHandler::waveValue(k, x), 2e-3f) << k << " " << i;
        }
    // Between points it interpolates; outside 0..1 it clamps; NaN reads 0.
    EXPECT_NEAR(table->lookup(2, 0.3f), 0.3f, 1e-4f);
    EXPECT_NEAR(table->lookup(2, 1.5f), 1.0f, 1e-4f);
    EXPECT_NEAR(table->lookup(2, -1.0f), 0.0f, 1e-4f);
    EXPECT_NEAR(table->lookup(2, std::nanf("")), 0.0f, 1e-4f);
}

struct WaveDisplay : ::testing::Test
{
    LfoData data;
    zutest::FixedDrawParams source;
    zutest::ShowingHost host;
    LfoWaveDispPanel disp{source, data, {4, 2}, juce::Colour(0xff909090)};

    WaveDisplay()
    {
        host.addAndMakeVisible(disp);
        disp.setBounds(0, 0, 300, 100);
    }
    LfoData::ModUnitData& slot(int snapshot = 0) { return data.unitSnaps[4][(size_t) snapshot][2]; }
};

struct WaveCase
{
    const char* what;
    LfoDrawParams params;
    float firstY, lastY; // drawn values 0..1 of the first and last point
    bool flat;
};

TEST_F(WaveDisplay, WaveFollowsTheShapeSettings)
{
    const WaveCase cases[] = {
        {"ramp", {false, false, false, false, 1.0f, 0.0f, 0.5f, 2}, 0.0f, 127 * 0.007874f, false},
        {"level 0 unipolar", {false, false, false, false, 0.0f, 0.0f, 0.5f, 1}, 0.0f, 0.0f, true},
        {"level 0 bipolar", {true, false, false, false, 0.0f, 0.0f, 0.5f, 1}, 0.5f, 0.5f, true},
        {"offset 1", {false, false, false, false, 1.0f, 0.0f, 1.0f, 0}, 1.0f, 1.0f, true},
        {"triangle at phase 0.25", {false, false, false, false, 1.0f, 0.25f, 0.5f, 1}, 0.5f, 0.5f, false},
        {"invert and square", {false, false, true, true, 1.0f, 0.0f, 0.5f, 2}, 1.0f, 0.0f, false},
    };
    for (const auto& c : cases)
    {
        source.params = c.params;
        disp.updatePath();
        const auto area = disp.getWaveArea();
        const auto pts = pathPoints(disp.getWavePath());
        ASSERT_EQ(pts.size(), 128u) << c.what;
        const auto valueAt = [&](juce::Point<float> p) { return 1.0f - (p.y - area.getY()) / area.getHeight(); };
        EXPECT_NEAR(pts.front().x, area.getX(), 1e-3f) << c.what;
        EXPECT_NEAR(pts.back().x, area.getX() + 127 * 0.007874f * area.getWidth(), 1e-2f) << c.what;
        EXPECT_LT(pts.back().x, area.getRight()) << c.what;
        EXPECT_NEAR(valueAt(pts.front()), c.firstY, 2e-3f) << c.what;
        EXPECT_NEAR(valueAt(pts.back()), c.lastY, 2e-3f) << c.what;
        if (c.flat)
        {
            for (const auto& p : pts)
                EXPECT_NEAR(valueAt(p), c.firstY, 2e-3f) << c.what;
        }
    }
}

TEST_F(WaveDisplay, MeterFollowsTheValueAndTheBipolarFlag)
{
    slot().dispValue = 0.25f;
    ASSERT_TRUE(pumpUntil([&] { return !disp.getMeterPath().isEmpty(); }));
    const auto strip = disp.getMeterStrip();
    EXPECT_EQ(disp.getMeterPath().getBounds().getY(), (float) (strip.getY() + (int) (0.75f * strip.getHeight())));
    EXPECT_FALSE(disp.hasCentreLine());

    slot().bbi = true;
    slot().dispValue = 0.75f;
    ASSERT_TRUE(pumpUntil([&] { return disp.hasCentreLine(); }));
    const auto bar = disp.getMeterPath().getBounds();
    EXPECT_EQ(bar.getY(), (float) (int) (0.25f * strip.getHeight()));
    EXPECT_EQ(bar.getBottom(), (float) (strip.getHeight() / 2));
}

TEST_F(WaveDisplay, MeterPathIsRebuiltOnlyWhenTheValueChanges)
{
    slot().dispValue = 0.5f;
    ASSERT_TRUE(pumpUntil([&] { return !disp.getMeterPath().isEmpty(); }));
    // The bipolar flag is picked up only with a value change.
    slot().bbi = true;
    zutest::pumpFor(300);
    EXPECT_FALSE(disp.hasCentreLine());
    slot().dispValue = std::nanf("");
    zutest::pumpFor(200);
    EXPECT_FALSE(disp.hasCentreLine());
    slot().dispValue = 0.6f;
    EXPECT_TRUE(pumpUntil([&] { return disp.hasCentreLine(); }));
}

TEST_F(WaveDisplay, SnapshotOutsideTheModelIsClamped)
{
    data.snapValues[4] = 12;
    slot(7).dispValue = 1.0f;
    ASSERT_TRUE(pumpUntil([&] { return !disp.getMeterPath().isEmpty(); }));
    EXPECT_EQ(disp.getMeterPath().getBounds().getY(), 0.0f);
}

TEST_F(WaveDisplay, HiddenOrDisabledDisplayStopsPolling)
{
    ASSERT_TRUE(pumpUntil([&] { return disp.isTimerRunning(LfoWaveDispPanel::meterTimer); }));
    disp.setEnabled(false);
    EXPECT_FALSE(disp.isTimerRunning(LfoWaveDispPanel::meterTimer));
    disp.setEnabled(true);
    EXPECT_TRUE(disp.isTimerRunning(LfoWaveDispPanel::meterTimer));
    host.setVisible(false); // the display itself is told nothing: the watchdog sees it
    EXPECT_TRUE(pumpUntil([&] { return !disp.isTimerRunning(LfoWaveDispPanel::meterTimer); }, 5000));
}

struct SahDisplay : ::testing::Test
{
    LfoData data;
    zutest::FixedDrawParams source;
    zutest::ShowingHost host;
    SahWaveDispPanel disp{source, data, {13, 0}, juce::Colour(0xff909090)};

    SahDisplay()
    {
        host.addAndMakeVisible(disp);
        disp.setBounds(0, 0, 300, 100);
        disp.stopTimer(SahWaveDispPanel::traceTimer); // the test ticks by hand
    }
    LfoData::ModUnitData& slot() { return data.unitSnaps[13][0][0]; }
};

TEST_F(SahDisplay, NoTraceUntilThePhaseMoves)
{
    for (int i = 0; i < 5; ++i)
        disp.updatePath();
    EXPECT_TRUE(disp.getShownTrace().isEmpty());
    slot().dispValue = 0.2f;
    slot().dispHeldValue = 0.75f;
    disp.updatePath();
    EXPECT_FALSE(disp.getShownTrace().isEmpty());
    const auto area = disp.getTraceArea();
    const auto pts = pathPoints(disp.getTracePath());
    ASSERT_FALSE(pts.empty());
    EXPECT_NEAR(pts.back().y, area.getY() + 0.25f * area.getHeight(), 1e-3f);
}

TEST_F(SahDisplay, TraceRestartsAfter127Ticks)
{
    slot().dispValue = 0.2f;
    disp.resized(); // a layout restarts the sweep at the next tick
    disp.updatePath();
    EXPECT_EQ(disp.getSweepPosition(), 0.0f);
    EXPECT_EQ(pathPoints(disp.getTracePath()).size(), 1u);
    for (int tick = 1; tick < 127; ++tick)
        disp.updatePath();
    EXPECT_NEAR(disp.getSweepPosition(), 126.0f / 128.0f, 1e-5f);
    EXPECT_EQ(pathPoints(disp.getTracePath()).size(), 127u);
    disp.updatePath();
    EXPECT_EQ(disp.getSweepPosition(), 0.0f);
    EXPECT_EQ(pathPoints(disp.getTracePath()).size(), 1u);
}

TEST_F(SahDisplay, ReactivationRestartsAndHidingStopsPolling)
{
    disp.handleDispTimer();
    EXPECT_TRUE(disp.isTimerRunning(SahWaveDispPanel::traceTimer));
    EXPECT_GT(disp.getSweepPosition(), 1.0f);
    disp.setEnabled(false);
    EXPECT_FALSE(disp.isTimerRunning(SahWaveDispPanel::traceTimer));
    disp.setEnabled(true);
    host.setVisible(false);
    EXPECT_TRUE(pumpUntil([&] { return !disp.isTimerRunning(SahWaveDispPanel::traceTimer); }, 5000));
}

TEST_F(SahDisplay, BipolarSlotGetsACentreLine)
{
    EXPECT_FALSE(disp.hasCentreLine());
    slot().bbi = true;
    disp.updatePath();
    EXPECT_TRUE(disp.hasCentreLine());
}
} // namespace
