// SPDX-License-Identifier: GPL-3.0-or-later
// The running-step light row: what each poll lights, its window, colours and
// layout.
#include "CenterPitchSeq_StepLed.h"
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ScreenWriter.h"

#include <gtest/gtest.h>

namespace
{
// A row on the desktop (so that it shows) over unit type and instance.
struct ShownRow
{
    MirabelGlobalData global;
    CenterPitchSeq_StepLed row;

    int slot;

    ShownRow(int type = 0, int instance = 1) : row(type, instance, global), slot(type * 4 + instance)
    {
        for (auto& step : global.curSteps)
            step = -1;
        row.setBounds(0, 0, 320, 10);
        row.addToDesktop(0);
        row.setVisible(true);
    }
    ~ShownRow() { row.removeFromDesktop(); }

    void play(int step) { global.curSteps[(size_t) slot] = step; }

    // Waits for the poll that follows a change of the running step.
    bool litAt(int step)
    {
        return zutest::pumpUntil([&] { return row.getLastLitStep() == step; });
    }
    bool lightIsOn() const { return !row.getLightLayer().getPath().isEmpty(); }
};

TEST(StepLed, LightsTheRunningStepOfItsWindowOnly)
{
    ShownRow r;
    r.play(3);
    ASSERT_TRUE(r.litAt(3));
    EXPECT_EQ(r.row.getLightLayer().getPath().getBounds(), r.row.getCellPath(3).getBounds());

    // Step 16 lies outside the window 0..16: dark.
    r.play(16);
    ASSERT_TRUE(r.litAt(-1));
    EXPECT_FALSE(r.lightIsOn());

    // The second page's window lights it in the first cell at the next poll.
    r.row.setCurPageIndex(1);
    EXPECT_EQ(r.row.getWindowStart(), 16);
    EXPECT_EQ(r.row.getWindowEnd(), 32);
    ASSERT_TRUE(r.litAt(16));
    EXPECT_EQ(r.row.getLightLayer().getPath().getBounds(), r.row.getCellPath(0).getBounds());

    // A negative step (the unit does not run) turns the light off.
    r.play(-1);
    ASSERT_TRUE(r.litAt(-1));
    EXPECT_FALSE(r.lightIsOn());

    r.row.setCurPageIndex(0);
    EXPECT_EQ(r.row.getWindowStart(), 0);
    EXPECT_EQ(r.row.getWindowEnd(), 16);
}

TEST(StepLed, DisablingClearsTheLightUntilTheStepNextChanges)
{
    ShownRow r;
    r.play(5);
    ASSERT_TRUE(r.litAt(5));
    r.row.setEnabled(false);
    EXPECT_TRUE(zutest::pumpUntil([&] { return !r.lightIsOn(); }));
    EXPECT_EQ(r.row.getLastLitStep(), 5);

    r.row.setEnabled(true);
    zutest::pumpFor(100);
    EXPECT_FALSE(r.lightIsOn()); // the same step: nothing to redraw
    r.play(6);
    ASSERT_TRUE(r.litAt(6));
    EXPECT_TRUE(r.lightIsOn());
}

TEST(StepLed, AHiddenRowDoesNotFollowTheEngine)
{
    ShownRow r;
    r.row.setVisible(false);
    r.play(7);
    zutest::pumpFor(150);
    EXPECT_EQ(r.row.getLastLitStep(), -1);
    r.row.setVisible(true);
    EXPECT_TRUE(r.litAt(7));
}

TEST(StepLed, AUnitThatDoesNotExistNeverReadsTheSteps)
{
    // Type 3 has one instance; type 4 has no steps; neither may reach past
    // the 13 entries of the current steps.
    for (const auto& [type, instance] : {std::pair{3, 1}, std::pair{4, 0}, std::pair{-1, 0}, std::pair{0, 4}})
    {
        SCOPED_TRACE(type * 10 + instance);
        ShownRow r(type, instance);
        for (auto& step : r.global.curSteps)
            step = 2;
        zutest::pumpFor(120);
        EXPECT_EQ(r.row.getLastLitStep(), -1);
    }
    // The octave-transpose unit reads the last entry.
    ShownRow octTp(3, 0);
    octTp.play(4);
    EXPECT_EQ(octTp.slot, 12);
    EXPECT_TRUE(octTp.litAt(4));
}

TEST(StepLed, CellsAreLaidOutFromTheRowSize)
{
    MirabelGlobalData global;
    CenterPitchSeq_StepLed row(0, 0, global);
    row.setBounds(0, 0, 330, 20);
    // cw = 20, inset 3, x0 = 3 + 5 = 8; cell k at 8 + 20k, 14 wide.
    const auto& cells = row.getCellRectangles();
    ASSERT_EQ(cells.getNumRectangles(), 16);
    EXPECT_EQ(cells.getRectangle(0), juce::Rectangle<float>(8.0f, 0.0f, 14.0f, 20.0f));
    EXPECT_EQ(cells.getRectangle(15), juce::Rectangle<float>(308.0f, 0.0f, 14.0f, 20.0f));
    // Segments: v = 3; width 14 - int(20 x 0.23) - 2 = 8, at x + 1.
    EXPECT_TRUE(row.getSegmentStyle());
    EXPECT_EQ(row.getCellPath(0).getBounds(), juce::Rectangle<float>(9.0f, 3.0f, 8.0f, 14.0f));
    // Full-width cells: 14 - 2.
    row.setSegmentStyle(false);
    EXPECT_EQ(row.getCellPath(0).getBounds(), juce::Rectangle<float>(9.0f, 3.0f, 12.0f, 14.0f));
}

TEST(StepLed, LightTakesTheKindColourBrightened)
{
    ZuShared<ZuMirabox_ColorTheme> theme;
    MirabelGlobalData global;
    for (const auto& [type, entry] : {std::pair{0, 47}, std::pair{1, 48}, std::pair{2, 49}, std::pair{3, 51}})
    {
        CenterPitchSeq_StepLed row(type, 0, global);
        row.setSkinMode(1);
        EXPECT_EQ(row.getLightColour(), theme->entry(entry, 1).brighter(0.1f)) << type;
    }
    CenterPitchSeq_StepLed other(4, 0, global);
    other.setSkinMode(1);
    EXPECT_EQ(other.getLightColour(), juce::Colour(0xffffffff));

    // In an editor: the settings' colour of the kind, the fifth for type 3.
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    editor->processor.unitColors[4] = juce::Colour(0xff336699);
    CenterPitchSeq_StepLed inEditor(3, 0, global);
    editor->addAndMakeVisible(inEditor);
    inEditor.setSkinMode(1);
    EXPECT_EQ(inEditor.getLightColour(), juce::Colour(0xff336699).brighter(0.1f));
}

TEST(Screens, StepLedRow)
{
    ShownRow r(0, 1);
    r.row.setSkinMode(1);
    r.play(5);
    ASSERT_TRUE(r.litAt(5));
    auto image = r.row.createComponentSnapshot(r.row.getLocalBounds());
    ZuShared<ZuMirabox_ColorTheme> theme;
    const auto lit = r.row.getCellPath(5).getBounds().getCentre().toInt();
    EXPECT_EQ(image.getPixelAt(lit.x, lit.y), r.row.getLightColour());
    EXPECT_TRUE(zutest::writeScreen(image, "gui-stepled.png"));

    r.row.setSegmentStyle(false);
    EXPECT_TRUE(zutest::writeScreen(r.row.createComponentSnapshot(r.row.getLocalBounds()), "gui-stepled-full.png"));
}
} // namespace
