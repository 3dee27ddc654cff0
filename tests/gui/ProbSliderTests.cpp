// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessagePump.h"
#include "ModDisplayFixture.h"
#include "ProbSliderPanel.h"

#include <gtest/gtest.h>

namespace
{
using zutest::pumpUntil;

const juce::ModifierKeys left(juce::ModifierKeys::leftButtonModifier);
const juce::ModifierKeys right(juce::ModifierKeys::rightButtonModifier);

juce::MouseEvent at(juce::Component& target, float x, float y, juce::ModifierKeys mods = left, int clicks = 1)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), {x, y}, mods,
                            juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &target, &target, now,
                            {x, y}, now, clicks, false);
}

// A row 162 wide: sliders 20 apart from x = 2, 18 wide, so slider k (1..8)
// spans x 2 + 20 (k - 1) up to 20 + 20 (k - 1); x 20 and 21 are the gap
// between the first two.
struct ProbRow : ::testing::Test
{
    juce::ValueTree node{"mod3"};
    const juce::String prefix{"p6m213_"};
    Mslider row;

    ProbRow()
    {
        row.setBounds(0, 0, 162, 100);
        row.setAttachment(node, prefix);
    }
    double prb(int k) const { return (double) node.getProperty(prefix + "prb" + juce::String(k)); }
    static float centreX(int k) { return 11.0f + 20.0f * (float) (k - 1); }
    // The value a slider takes from a pointer height in the row.
    double heightValue(int k, float y)
    {
        return row.getSlider(k - 1).proportionOfLengthToValue(1.0 - (y - 1.0) / 94.0);
    }
};

TEST_F(ProbRow, NewSlotWeightsOnlyTheFirstCurve)
{
    EXPECT_EQ(prb(1), 1.0);
    for (int k = 2; k <= 8; ++k)
        EXPECT_EQ(prb(k), 0.0) << k;
    EXPECT_EQ(row.getBaseBoundsList().getNumRectangles(), 8);
    EXPECT_EQ(row.getDragRowY(), 50);
}

TEST_F(ProbRow, OneDragPaintsTheSlidersItCrosses)
{
    const float heights[] = {20.0f, 40.0f, 60.0f, 80.0f};
    row.mouseDown(at(row, centreX(3), heights[0]));
    for (int k = 4; k <= 6; ++k)
        row.mouseDrag(at(row, centreX(k), heights[k - 3]));
    EXPECT_EQ(row.getActiveSlider(), &row.getSlider(5));
    row.mouseUp(at(row, centreX(6), heights[3]));
    EXPECT_EQ(row.getActiveSlider(), nullptr);
    for (int k = 3; k <= 6; ++k)
        EXPECT_NEAR(prb(k), heightValue(k, heights[k - 3]), 0.02) << k;
    EXPECT_EQ(prb(1), 1.0);
    EXPECT_EQ(prb(2), 0.0);
    EXPECT_EQ(prb(7), 0.0);
    EXPECT_EQ(prb(8), 0.0);
}

TEST_F(ProbRow, DragsPickByXAloneAndClampTheValue)
{
    row.mouseDown(at(row, centreX(7), 50.0f));
    row.mouseDrag(at(row, 500.0f, -300.0f)); // far right, far above: slider 8 at the top
    EXPECT_EQ(prb(8), 1.0);
    row.mouseDrag(at(row, 500.0f, 900.0f));
    EXPECT_EQ(prb(8), 0.0);
    row.mouseUp(at(row, 500.0f, 900.0f));
}

TEST_F(ProbRow, GapsAndRightButtonDoubleClicksChangeNothing)
{
    const auto before = node.createCopy();
    row.mouseDown(at(row, 20.5f, 30.0f));
    EXPECT_EQ(row.getActiveSlider(), nullptr);
    row.mouseDrag(at(row, 21.0f, 30.0f));
    row.mouseUp(at(row, 21.0f, 30.0f));
    row.mouseDoubleClick(at(row, centreX(1), 30.0f, right, 2));
    EXPECT_TRUE(node.isEquivalentTo(before));
}

TEST_F(ProbRow, DoubleClickAndAltClickReturnToTheDefaults)
{
    for (int k = 1; k <= 8; ++k)
        row.getSlider(k - 1).setValue(0.4, juce::sendNotificationSync);
    ASSERT_EQ(prb(1), 0.4);
    row.mouseDoubleClick(at(row, centreX(1), 30.0f, left, 2));
    row.mouseDoubleClick(at(row, centreX(4), 30.0f, left, 2));
    EXPECT_EQ(prb(1), 1.0);
    EXPECT_EQ(prb(4), 0.0);
    row.mouseDown(at(row, centreX(5), 30.0f, left.withFlags(juce::ModifierKeys::altModifier)));
    row.mouseUp(at(row, centreX(5), 30.0f));
    EXPECT_EQ(prb(5), 0.0);
    EXPECT_EQ(prb(6), 0.4);
}

TEST_F(ProbRow, LeavingTheRowReleasesEverySlider)
{
    row.mouseDown(at(row, centreX(2), 30.0f));
    ASSERT_NE(row.getActiveSlider(), nullptr);
    row.mouseExit(at(row, 200.0f, 30.0f));
    EXPECT_EQ(row.getActiveSlider(), nullptr);
}

struct ProbPanel : ::testing::Test
{
    LfoData data;
    zutest::ShowingHost host;
    ProbSliderPanel panel{{5, 3}, data};

    ProbPanel()
    {
        host.addAndMakeVisible(panel);
        panel.setBounds(0, 0, 300, 120);
    }
    LfoData::ModUnitData& slot() { return data.unitSnaps[5][0][3]; }
};

TEST_F(ProbPanel, IndicatorMarksThePickedCurve)
{
    const struct
    {
        int wave, lit;
    } cases[] = {{5, 5}, {0, 0}, {-3, 0}, {11, 7}};
    for (const auto& c : cases)
    {
        slot().dispWaveIndex = c.wave;
        const auto path = panel.buildIndicatorPath(slot());
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(path.contains(panel.getMarkerBar(k).getBounds().getCentre()), k == c.lit) << c.wave << " " << k;
    }
}

TEST_F(ProbPanel, LevelBarFollowsTheOutput)
{
    const auto strip = panel.getMeterStrip();
    const auto inStrip = [&](float v)
    { return juce::Point<float>(strip.getCentreX(), strip.getY() + (1.0f - v) * strip.getHeight()); };
    slot().dispValue = 0.0f;
    EXPECT_FALSE(panel.buildIndicatorPath(slot()).contains(inStrip(0.05f)));
    slot().dispValue = 1.0f;
    EXPECT_TRUE(panel.buildIndicatorPath(slot()).contains(inStrip(0.98f)));
    EXPECT_TRUE(panel.buildIndicatorPath(slot()).contains(inStrip(0.02f)));
    slot().bbi = true;
    slot().dispValue = 0.75f;
    const auto s = strip.toNearestInt();
    auto bar = panel.buildIndicatorPath(slot()).getBounds();
    EXPECT_EQ(bar.getY(), (float) (s.getY() + (int) (0.25f * s.getHeight())));
    slot().dispValue = 0.25f;
    slot().dispWaveIndex = 7; // keep the marker out of the way of the bar's top
    bar = panel.buildIndicatorPath(slot()).getBounds();
    EXPECT_EQ(bar.getY(), (float) (s.getY() + s.getHeight() / 2));
}

TEST_F(ProbPanel, PollsWhileShowingAndStopsWhenHidden)
{
    slot().dispWaveIndex = 5;
    ASSERT_TRUE(pumpUntil([&] { return !panel.getIndicatorPath().isEmpty(); }));
    EXPECT_TRUE(panel.getIndicatorPath().contains(panel.getMarkerBar(5).getBounds().getCentre()));
    panel.setEnabled(false);
    EXPECT_FALSE(panel.isTimerRunning(ProbSliderPanel::pollTimer));
    panel.setEnabled(true);
    host.setVisible(false);
    EXPECT_TRUE(pumpUntil([&] { return !panel.isTimerRunning(ProbSliderPanel::pollTimer); }, 5000));
}

TEST_F(ProbPanel, IconsAreBuiltForEveryCurve)
{
    for (int k = 0; k < 8; ++k)
    {
        const auto icon = panel.getIcon(k).getBounds();
        EXPECT_FALSE(icon.isEmpty()) << k;
        EXPECT_TRUE(panel.getLocalBounds().toFloat().expanded(1.0f).contains(icon)) << k;
    }
}
} // namespace
