// SPDX-License-Identifier: GPL-3.0-or-later
// The bottom area inside a real editor on a real processor: the page column
// and its tree property, the main page's layout and skin, and the reset,
// octave-transpose and swing boxes with their host parameters.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"
#include "ZuMirabox_BottomPanel.h"

#include "ZuEditorAccess.h"

#include <gtest/gtest.h>

namespace
{
struct BottomArea : ::testing::Test
{
    BottomArea() : editor(zutest::makeEditor(processor)), bottom(editor->getMainPanel()->bottomPanel) {}

    juce::var selected() { return processor.mainTree.getProperty("btm_wndwsel"); }
    int litButtons()
    {
        int lit = 0;
        for (int i = 0; i < BottomMenuButton::numPages; ++i)
            lit += bottom.menuButtons.getButton(i).getToggleState() ? 1 : 0;
        return lit;
    }
    MappableButton& resetTarget(int n) { return bottom.mainPagePanel.resetPanel.targetPanel.getButton(n); }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor;
    ZuMirabox_BottomPanel& bottom;
};

TEST_F(BottomArea, ColumnAndPagesAtTheDesignSize)
{
    ASSERT_EQ(bottom.getBounds(), juce::Rectangle<int>(1, 500, 998, 63));
    // Column width 47, margin 2: rounded area (3, 3, 43, 57), buttons inside it.
    EXPECT_EQ(bottom.menuButtons.getBounds(), juce::Rectangle<int>(4, 4, 41, 55));
    EXPECT_EQ(bottom.tabs.getBounds(), juce::Rectangle<int>(50, 1, 947, 61));
    for (int i = 0; i < BottomMenuButton::numPages; ++i)
        EXPECT_EQ(bottom.menuButtons.getButton(i).getBounds(), juce::Rectangle<int>(2, 2 + 10 * i, 37, 10)) << i;
    const char* texts[] = {"Main", "Macro", "Chainer", "Setting", "Color"};
    const char* tabs[] = {"Main", "Mod", "Chainer", "Settings", "Color"};
    for (int i = 0; i < BottomMenuButton::numPages; ++i)
    {
        EXPECT_EQ(bottom.menuButtons.getButton(i).getButtonText(), texts[i]);
        EXPECT_EQ(bottom.tabs.getTabNames()[i], tabs[i]);
        EXPECT_EQ(bottom.menuButtons.getButton(i).getRadioGroupId(), 1000);
    }

    // The main page's six boxes share the band left to right.
    auto& page = bottom.mainPagePanel;
    ASSERT_EQ(page.getBounds(), juce::Rectangle<int>(0, 0, 947, 61));
    const std::pair<juce::Component*, juce::Rectangle<int>> boxes[] = {
        {&page.swingPanel, {5, 3, 119, 56}},   {&page.octTpPanel, {128, 3, 168, 56}},
        {&page.chordPanel, {300, 3, 112, 56}}, {&page.scalePanel, {416, 3, 288, 56}},
        {&page.resetPanel, {714, 3, 104, 56}}, {&page.recPanel, {834, 3, 104, 56}}};
    for (const auto& [box, bounds] : boxes)
        EXPECT_EQ(box->getBounds(), bounds) << box->getName();
    // Five half-pixel lines between them.
    EXPECT_EQ(page.separators.getPath().getBounds(), juce::Rectangle<float>(126.25f, 2.0f, 701.5f, 58.0f));

    // The restart box's "Targets" caption takes the free cells of its grid,
    // after the octave-transpose unit, beside the CC units.
    auto& reset = page.resetPanel;
    EXPECT_EQ(reset.targetsLabel.getText(), "Targets");
    const auto octTp = reset.targetPanel.getButton(13).getBounds() + reset.targetPanel.getPosition();
    const auto caption = reset.targetsLabel.getBounds();
    EXPECT_FALSE(caption.isEmpty());
    EXPECT_GT(caption.getX(), octTp.getRight());
    EXPECT_EQ(caption.getY(), octTp.getY());
    EXPECT_EQ(caption.getHeight(), octTp.getHeight());
    EXPECT_LE(caption.getRight(), reset.targetPanel.getBounds().getRight());
}

TEST_F(BottomArea, AClickWritesThePageAndShowsItATenthOfASecondLater)
{
    EXPECT_EQ((int) selected(), 0);
    EXPECT_EQ(bottom.getShownPage(), 0);
    auto& chainer = bottom.menuButtons.getButton(2);
    chainer.triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return chainer.getToggleState(); }));
    EXPECT_EQ((int) selected(), 2);
    EXPECT_EQ(litButtons(), 1);
    EXPECT_TRUE(zutest::pumpUntil([&] { return bottom.getShownPage() == 2; }));

    // The page already shown: nothing changes.
    chainer.triggerClick();
    zutest::pumpFor(150);
    EXPECT_EQ((int) selected(), 2);
    EXPECT_EQ(bottom.getShownPage(), 2);
    EXPECT_EQ(litButtons(), 1);
}

TEST_F(BottomArea, ALoadedPageOutsideTheColumnShowsTheNearestPage)
{
    struct Row
    {
        int stored, page;
    };
    for (const auto& row : {Row{7, 4}, Row{1, 1}, Row{-1, 0}, Row{3, 3}})
    {
        SCOPED_TRACE(row.stored);
        processor.mainTree.setProperty("btm_wndwsel", row.stored, nullptr);
        ASSERT_TRUE(zutest::pumpUntil([&] { return bottom.getShownPage() == row.page; }));
        EXPECT_TRUE(zutest::pumpUntil([&] { return bottom.menuButtons.getButton(row.page).getToggleState(); }));
        EXPECT_EQ(litButtons(), 1);
        EXPECT_EQ(bottom.menuButtons.getCurrentIndex(), row.page);
    }
}

TEST_F(BottomArea, AStateLoadedByTheHostShowsItsPageOrTheNearest)
{
    struct Row
    {
        int stored, page;
    };
    for (const auto& row : {Row{7, 4}, Row{-1, 0}, Row{2, 2}})
    {
        SCOPED_TRACE(row.stored);
        // The chunk a host saved with that page; then another page is shown.
        processor.mainTree.setProperty("btm_wndwsel", row.stored, nullptr);
        juce::MemoryBlock chunk;
        processor.getStateInformation(chunk);
        processor.mainTree.setProperty("btm_wndwsel", 1, nullptr);
        ASSERT_TRUE(zutest::pumpUntil([&] { return bottom.getShownPage() == 1; }));

        processor.setStateInformation(chunk.getData(), (int) chunk.getSize());
        EXPECT_TRUE(zutest::pumpUntil([&] { return bottom.getShownPage() == row.page; }));
        EXPECT_TRUE(zutest::pumpUntil([&] { return bottom.menuButtons.getButton(row.page).getToggleState(); }));
        EXPECT_EQ(litButtons(), 1);
    }
}

TEST_F(BottomArea, AStoredPageIsShownWhenTheEditorOpens)
{
    editor.reset();
    processor.mainTree.setProperty("btm_wndwsel", 4, nullptr);
    editor = zutest::makeEditor(processor);
    auto& panel = editor->getMainPanel()->bottomPanel;
    EXPECT_EQ(panel.getShownPage(), 4);
    EXPECT_TRUE(panel.menuButtons.getButton(4).getToggleState());
}

TEST_F(BottomArea, AMissingPageIsWrittenAsTheFirst)
{
    editor.reset();
    processor.mainTree.removeProperty("btm_wndwsel", nullptr);
    editor = zutest::makeEditor(processor);
    EXPECT_EQ((int) selected(), 0);
}

TEST_F(BottomArea, TheSkinReachesEveryPageAndBox)
{
    ZuMirabox_ColorTheme theme;
    ASSERT_TRUE(zutest::pumpUntil([&] { return bottom.getSkinMode() == 1; }));
    auto& page = bottom.mainPagePanel;
    EXPECT_EQ(page.getSkinMode(), 1);
    EXPECT_EQ(page.swingPanel.getSkinMode(), 1);
    EXPECT_EQ(page.octTpPanel.getSkinMode(), 1);
    EXPECT_EQ(page.swingPanel.targetPanel.getSkinMode(), 1);
    EXPECT_EQ(page.resetPanel.targetPanel.getSkinMode(), 1);
    EXPECT_EQ(bottom.modPagePanel.getSkinMode(), 1);
    EXPECT_EQ(bottom.menuButtons.getSkinMode(), 1);
    EXPECT_EQ(page.recPanel.titleLabel.findColour(juce::Label::backgroundColourId), theme.entry(1, 1));
    EXPECT_EQ(page.resetPanel.restartButton.findColour(juce::TextButton::buttonColourId), juce::Colour(0xff808080));
    EXPECT_EQ(bottom.menuButtons.getButton(0).findColour(juce::TextButton::textColourOffId), juce::Colour(0xff707070));
    EXPECT_EQ(bottom.tabs.getTabBackgroundColour(0), theme.entry(1, 1));

    // The page's own background and its lines.
    const auto image = page.createComponentSnapshot({0, 0, 4, 61});
    EXPECT_EQ(image.getPixelAt(2, 30), theme.entry(1, 1));
}

TEST_F(BottomArea, ReStartIsOnWhileHeldAndRaisesOneRestart)
{
    auto& restart = bottom.mainPagePanel.resetPanel.restartButton;
    auto& resync = bottom.mainPagePanel.resetPanel.resyncButton;
    EXPECT_EQ(restart.getButtonText(), "ReStart");
    EXPECT_EQ(resync.getButtonText(), "ReSync");
    EXPECT_EQ(restart.getTooltip(), "Forces to restart the target sequencer units");
    EXPECT_EQ(resync.getTooltip(), "Forces to resync the target sequencer units to the host song position");

    const auto press = zutest::mouseEventOn(restart, juce::ModifierKeys::leftButtonModifier);
    processor.globalData.clkReset = false;
    restart.mouseDown(press);
    EXPECT_EQ(zutest::hostParameter(processor, "p0_clk_reset"), 1.0f);
    EXPECT_TRUE(processor.globalData.clkReset.exchange(false));
    restart.mouseUp(press);
    EXPECT_EQ(zutest::hostParameter(processor, "p0_clk_reset"), 0.0f);
    EXPECT_FALSE(processor.globalData.clkReset.load());

    // A right press does nothing.
    {
        zutest::HeldModifiers right(juce::ModifierKeys::rightButtonModifier);
        resync.mouseDown(zutest::mouseEventOn(resync, juce::ModifierKeys::rightButtonModifier));
        EXPECT_EQ(zutest::hostParameter(processor, "p0_clk_resync"), 0.0f);
        resync.mouseUp(zutest::mouseEventOn(resync, juce::ModifierKeys::rightButtonModifier));
    }
    EXPECT_FALSE(processor.globalData.clkResync.load());
    const auto left = zutest::mouseEventOn(resync, juce::ModifierKeys::leftButtonModifier);
    resync.mouseDown(left);
    EXPECT_TRUE(processor.globalData.clkResync.exchange(false));
    resync.mouseUp(left);
    EXPECT_EQ(zutest::hostParameter(processor, "p0_clk_resync"), 0.0f);
}

TEST_F(BottomArea, TargetGridsFollowTheirParametersAndTheUnitColours)
{
    auto& page = bottom.mainPagePanel;
    struct Grid
    {
        ZuUnitTargetPanel* panel;
        const char* stem;
        int count;
    };
    const Grid grids[] = {{&page.resetPanel.targetPanel, "p0_rebtntar", 13},
                          {&page.swingPanel.targetPanel, "p0_swgtar", 13},
                          {&page.octTpPanel.targetPanel, "p0_gocttptar", 4}};
    ASSERT_TRUE(zutest::pumpUntil([&] { return bottom.getSkinMode() == 1; }));
    auto& colours = ZuEditorAccess(processor).getSettings().unitColors;
    for (const auto& grid : grids)
    {
        SCOPED_TRACE(grid.stem);
        ASSERT_EQ(grid.panel->getNumButtons(), grid.count);
        for (int n = 1; n <= grid.count; ++n)
        {
            auto& button = grid.panel->getButton(n);
            // Every unit is a target in a new instance.
            EXPECT_TRUE(button.getToggleState()) << n;
            EXPECT_EQ(button.getTooltip(), "Selects the target units");
            const size_t colour = n <= 4 ? 0 : n <= 8 ? 1 : n <= 12 ? 2 : 4;
            EXPECT_EQ(button.findColour(juce::TextButton::buttonOnColourId), colours[colour]) << n;
            EXPECT_EQ(button.getButtonText(), n == 13 ? juce::String() : juce::String((n - 1) % 4 + 1));
        }
        zutest::setHostParameter(processor, grid.stem + juce::String(grid.count), 0.0f);
        EXPECT_TRUE(zutest::pumpUntil([&] { return !grid.panel->getButton(grid.count).getToggleState(); }));
        grid.panel->getButton(1).triggerClick();
        EXPECT_TRUE(
            zutest::pumpUntil([&] { return zutest::hostParameter(processor, grid.stem + juce::String(1)) < 0.5f; }));
    }
    // A right press on a target does nothing.
    zutest::HeldModifiers right(juce::ModifierKeys::rightButtonModifier);
    juce::Component& target = resetTarget(2);
    target.mouseDown(zutest::mouseEventOn(target, juce::ModifierKeys::rightButtonModifier));
    target.mouseUp(zutest::mouseEventOn(target, juce::ModifierKeys::rightButtonModifier));
    EXPECT_EQ(zutest::hostParameter(processor, "p0_rebtntar2"), 1.0f);
}

TEST_F(BottomArea, OctaveAndTransposeKnobsYieldToTheOctaveTransposeUnit)
{
    auto& panel = bottom.mainPagePanel.octTpPanel;
    EXPECT_EQ(panel.octKnob.getName(), "OCT");
    EXPECT_EQ(panel.tpKnob.getName(), "TP");
    EXPECT_EQ(panel.octKnob.getTooltip(), "Sets the global octave transposition +/-2oct");
    EXPECT_EQ(panel.tpKnob.getTooltip(), "Sets the transpose value +/-12st");
    EXPECT_EQ(panel.octKnob.getMinimum(), -2.0);
    EXPECT_EQ(panel.tpKnob.getMaximum(), 12.0);
    EXPECT_TRUE(panel.octKnob.isEnabled());

    processor.globalData.octTpOn = true;
    EXPECT_TRUE(zutest::pumpUntil([&] { return !panel.octKnob.isEnabled() && !panel.tpKnob.isEnabled(); }));
    processor.globalData.octTpOn = false;
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel.octKnob.isEnabled() && panel.tpKnob.isEnabled(); }));
}

TEST_F(BottomArea, TheKeyRangeReadsTheBaseNoteAndItsTwentyFifthKey)
{
    auto& panel = bottom.mainPagePanel.octTpPanel;
    struct Row
    {
        int base;
        const char* text;
    };
    for (const auto& row : {Row{48, "C2 ~ C4"}, Row{110, "D7 ~ G8"}, Row{0, "-C2 ~ C0"}, Row{60, "C3 ~ C5"}})
    {
        ZuEditorAccess(processor).getSettings().midiTpNote = row.base;
        panel.updateMidiTpLabel();
        EXPECT_EQ(panel.keyRangeLabel.getText(), row.text);
    }

    // The label shows only while MIDI transpose is on, host automation too.
    EXPECT_EQ(panel.keyButton.getTooltip(), "Toggle the Midi transpose on/off");
    EXPECT_FALSE(panel.keyRangeLabel.isVisible());
    zutest::setHostParameter(processor, "p0_miditp", 1.0f);
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel.keyRangeLabel.isVisible(); }));
    panel.keyButton.triggerClick();
    EXPECT_TRUE(zutest::pumpUntil([&] { return !panel.keyRangeLabel.isVisible(); }));
    EXPECT_EQ(zutest::hostParameter(processor, "p0_miditp"), 0.0f);
}

TEST_F(BottomArea, OutsideAnEditorTheKeyRangeKeepsItsFirstText)
{
    OctTpPanel panel(processor.paramState, processor.globalData);
    EXPECT_EQ(panel.keyRangeLabel.getText(), "C0~C5");
}

// Drags the knob from its value by dx pixels to the right, as the mouse does.
void dragKnob(juce::Slider& knob, float dx)
{
    const auto start = zutest::mouseEventOn(knob, juce::ModifierKeys::leftButtonModifier, juce::Time::getCurrentTime(),
                                            knob.getLocalBounds().getCentre().toFloat());
    knob.mouseDown(start);
    const auto moved = start.withNewPosition(start.position.translated(dx, 0.0f));
    knob.mouseDrag(moved);
    knob.mouseUp(moved);
}

TEST_F(BottomArea, SwingSnapsToZeroOnlyWithinTwoPercent)
{
    auto& knob = bottom.mainPagePanel.swingPanel.swingKnob;
    EXPECT_EQ(knob.getName(), "Swing");
    EXPECT_EQ(knob.getTooltip(), "Controls the swing depth +/-100%");
    EXPECT_EQ(knob.getRotaryParameters().startAngleRadians, 1.25f * juce::MathConstants<float>::pi);
    EXPECT_EQ(knob.getRotaryParameters().endAngleRadians, 2.75f * juce::MathConstants<float>::pi);
    // 250 pixels drag the whole range -1..1: 1.25 px is 0.01, 2.5 px 0.02.
    // The window holds -0.02 and stops before +0.02.
    struct Row
    {
        float dx;
        double value;
    };
    for (const auto& row : {Row{1.25f, 0.0}, Row{-1.25f, 0.0}, Row{2.5f, 0.02}, Row{-2.5f, 0.0}, Row{-3.75f, -0.03},
                            Row{2.25f, 0.0}, Row{25.0f, 0.2}})
    {
        knob.setValue(0.0, juce::sendNotificationSync);
        dragKnob(knob, row.dx);
        EXPECT_NEAR(knob.getValue(), row.value, 1e-6) << row.dx;
        EXPECT_NEAR(zutest::hostParameter(processor, "p0_swing"), row.value, 1e-6) << row.dx;
    }
    // Host automation is not snapped.
    zutest::setHostParameter(processor, "p0_swing", 0.01f);
    EXPECT_TRUE(zutest::pumpUntil([&] { return std::abs(knob.getValue() - 0.01) < 1e-6; }));
}
} // namespace
