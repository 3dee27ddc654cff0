// SPDX-License-Identifier: GPL-3.0-or-later
#include "FloatUnitPanel.h"
#include "GuiTestHelpers.h"
#include "ModFloatWndw.h"
#include "PluginProcessor.h"
#include "MessagePump.h"
#include "ModDisplayFixture.h"
#include "ScreenWriter.h"

#include <gtest/gtest.h>

namespace
{
using zutest::pumpUntil;

struct SlotEditor : ::testing::Test
{
    LfoData data;
    // Second CC rack (modulation unit 14), slot 8.
    juce::ValueTree node{"mod8"};
    const juce::String prefix{"p6m528_"};
    zutest::ShowingHost host{560, 170};
    FloatUnitPanel panel{data, {14, 7}};

    SlotEditor()
    {
        host.addAndMakeVisible(panel);
        panel.setBounds(0, 0, 540, 160);
        panel.setAttachment(node, prefix);
    }
    ModModeButton& engines() { return panel.getHeader().getModeButton(); }
};

TEST_F(SlotEditor, BindingCreatesPowerAndEngineAndNamesTheHandle)
{
    EXPECT_EQ((int) node.getProperty(prefix + "pwr"), 0);
    EXPECT_EQ((double) node.getProperty(prefix + "engn"), 0.0);
    EXPECT_EQ(panel.getHeader().getHandle().ddId, "m52MOD8");
    EXPECT_EQ(panel.getHeader().getSlotLabel().getText(), "8");
    const char* texts[] = {"LFO", "S&H", "PLFO"};
    const char* tips[] = {"LFO engine", "Sample & Hold engine", "Probability LFO engine"};
    for (int k = 0; k < 3; ++k)
    {
        EXPECT_EQ(engines().getButton(k).getButtonText(), texts[k]);
        EXPECT_EQ(engines().getButton(k).getTooltip(), tips[k]);
    }
}

TEST_F(SlotEditor, PowerOffDisablesAndHides)
{
    // Off at binding: selector disabled, handle hidden, editor disabled.
    EXPECT_FALSE(engines().isEnabled());
    EXPECT_FALSE(panel.getHeader().getHandle().isVisible());
    EXPECT_FALSE(panel.getLfoPanel().getKnob(LfoPanel::level).isEnabled());
    node.setProperty(prefix + "pwr", 1, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return panel.getHeader().getHandle().isVisible(); }));
    EXPECT_TRUE(engines().isEnabled());
    EXPECT_TRUE(panel.getLfoPanel().getKnob(LfoPanel::level).isEnabled());
    // A disabled header keeps its handle hidden though the slot is on.
    panel.getHeader().setEnabled(false);
    EXPECT_FALSE(panel.getHeader().getHandle().isVisible());
    panel.getHeader().setEnabled(true);
    EXPECT_TRUE(panel.getHeader().getHandle().isVisible());
    panel.getHeader().getPowerButton().triggerClick();
    ASSERT_TRUE(pumpUntil([&] { return (int) node.getProperty(prefix + "pwr") == 0; }));
    EXPECT_FALSE(panel.getHeader().getHandle().isVisible());
    EXPECT_FALSE(panel.getLfoPanel().getSwitch(0).isEnabled());
}

TEST_F(SlotEditor, EngineWrittenIntoTheTreeLightsItsButtonAndShowsItsControls)
{
    node.setProperty(prefix + "engn", 1.0, nullptr);
    EXPECT_FALSE(engines().getButton(1).getToggleState()); // not at once
    ASSERT_TRUE(pumpUntil([&] { return engines().getButton(1).getToggleState(); }));
    ASSERT_TRUE(pumpUntil([&] { return panel.getLfoPanel().getSahDisplay().isVisible(); }));
    EXPECT_FALSE(panel.getLfoPanel().getLfoDisplay().isVisible());
    EXPECT_FALSE(panel.getLfoPanel().getKnob(LfoPanel::phase).isVisible());

    node.setProperty(prefix + "engn", 2.0, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return panel.getLfoPanel().getProbSliders().isVisible(); }));
    EXPECT_TRUE(engines().getButton(2).getToggleState());
    EXPECT_FALSE(panel.getLfoPanel().getSahDisplay().isVisible());
}

TEST_F(SlotEditor, EngineOutsideTheButtonsIsClamped)
{
    const struct
    {
        double stored;
        int lit;
    } cases[] = {{7.0, 2}, {1.0, 1}, {-1.0, 0}};
    for (const auto& c : cases)
    {
        node.setProperty(prefix + "engn", c.stored, nullptr);
        EXPECT_TRUE(pumpUntil([&] { return engines().getCurIndex() == c.lit; })) << c.stored;
        zutest::pumpFor(200);
        EXPECT_EQ(engines().getCurIndex(), c.lit) << c.stored;
        EXPECT_TRUE(engines().getButton(c.lit).getToggleState()) << c.stored;
        EXPECT_EQ(panel.getCurOnOffAndModeState().second, c.lit) << c.stored;
    }
}

TEST_F(SlotEditor, ClickingAnEngineWritesIt)
{
    node.setProperty(prefix + "pwr", 1, nullptr);
    pumpUntil([&] { return engines().isEnabled(); });
    engines().getButton(2).triggerClick();
    ASSERT_TRUE(pumpUntil([&] { return (double) node.getProperty(prefix + "engn") == 2.0; }));
    ASSERT_TRUE(pumpUntil([&] { return panel.getLfoPanel().getProbSliders().isVisible(); }));
    // The lit one again changes nothing.
    engines().getButton(2).triggerClick();
    zutest::pumpFor(150);
    EXPECT_EQ((double) node.getProperty(prefix + "engn"), 2.0);
    EXPECT_TRUE(engines().getButton(2).getToggleState());
}

TEST_F(SlotEditor, Layout)
{
    const auto header = panel.getHeader().getBounds();
    const int W = 538, H = 158, e = (int) (0.113 * W), c = (int) (0.02 * H);
    EXPECT_EQ(header, juce::Rectangle<int>(2, 1 + c, e - 2, H - 2 * c));
    EXPECT_EQ(panel.getLfoPanel().getX(), 1 + e + juce::jlimit(1, 8, c));
    EXPECT_EQ(panel.getLfoPanel().getRight(), 1 + W);
}

TEST_F(SlotEditor, ScreensPerEngineMode)
{
    node.setProperty(prefix + "pwr", 1, nullptr);
    panel.setSkinMode(1, juce::Colour(0xff6fc36f));
    const char* names[] = {"gui-slot-editor-lfo.png", "gui-slot-editor-sah.png", "gui-slot-editor-prob.png"};
    for (int mode = 0; mode < 3; ++mode)
    {
        node.setProperty(prefix + "engn", (double) mode, nullptr);
        ASSERT_TRUE(pumpUntil([&] { return engines().getCurIndex() == mode && !engines().isTimerRunning(0); }));
        zutest::pumpFor(200);
        EXPECT_TRUE(
            zutest::writeScreen(panel.createComponentSnapshot(panel.getLocalBounds(), true, 2.0f), names[mode]));
    }
}
TEST(SlotHeaderHandle, HoveringPublishesTheSlotsSourceInTheEditor)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    juce::ValueTree node("mod8");
    FloatUnitPanel panel(processor.lfoData, {14, 7});
    editor->addAndMakeVisible(panel);
    panel.setBounds(0, 0, 540, 160);
    panel.setAttachment(node, "p6m528_");
    node.setProperty("p6m528_pwr", 1, nullptr);
    auto& handle = panel.getHeader().getHandle();
    ASSERT_TRUE(pumpUntil([&] { return handle.isVisible(); }));
    EXPECT_EQ(handle.handleBgColor, juce::Colour(0xffa0a0a0));
    EXPECT_EQ(handle.getTooltip(),
              "Drag and drop this modulator to a crossed circle next to a parameter for assignment");

    const auto now = juce::Time::getCurrentTime();
    const juce::MouseEvent hover(juce::Desktop::getInstance().getMainMouseSource(), {2.0f, 2.0f}, {},
                                 juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &handle, &handle, now,
                                 {2.0f, 2.0f}, now, 1, false);
    handle.mouseEnter(hover);
    EXPECT_EQ(editor->indctSrcValue.toString(), "m52MOD8");
    handle.mouseExit(hover);
    EXPECT_EQ(editor->indctSrcValue.toString(), "off");
}

TEST(FloatingSlotWindow, TabsForTheListedSlots)
{
    ZumiraboxAudioProcessor processor;
    ModFloatWndw window(processor.paramState, {}, processor.lfoData, {}, {});
    window.setBounds(0, 0, 500, 200);
    window.setActiveUnitList({1, 4, 9});
    ASSERT_EQ(window.getTabs().getNumTabs(), 2);
    EXPECT_EQ(window.getTabs().getTabNames(), juce::StringArray({"Mod2", "Mod5"}));
    window.setUnitIndex(1);
    EXPECT_EQ(window.getTabs().getCurrentTabIndex(), 1);
    EXPECT_EQ(window.getTabs().getTabBarDepth(), 16);
}
} // namespace
