// SPDX-License-Identifier: GPL-3.0-or-later
#include "LFO_WaveformButton.h"
#include "LfoDrawParams.h"
#include "MessagePump.h"
#include "ModSyncPanel.h"
#include "SahModeButton.h"

#include <gtest/gtest.h>

namespace
{
using zutest::pumpUntil;

// Stands where the slot editor and its LFO editor enclose the selectors and
// counts what they are asked.
struct EditorStandIn : juce::Component, LfoEditorHooks
{
    int redraws = 0, syncMenus = 0, modes = 0, slotModes = 0;
    int rateKnobCalls = 0;
    bool syncedRateShown = false;
    LfoDrawParams getPramStatesForDrawPath() const override { return {}; }
    void updateWaveDisp() override { ++redraws; }
    void syncMenuChanged() override { ++syncMenus; }
    void showRateKnobFor(bool syncOn) override
    {
        ++rateKnobCalls;
        syncedRateShown = syncOn;
    }
    void modeButtonClicked() override { ++modes; }
};

struct SlotModeStandIn : juce::Component, ModSlotHooks
{
    int modes = 0;
    void modeButtonClicked() override { ++modes; }
    std::pair<bool, int> getCurOnOffAndModeState() const override { return {true, 0}; }
};

const juce::String prefix{"p6m113_"};

int onToggle(LFO_WaveformButton& w)
{
    int found = -1;
    for (int k = 0; k < 8; ++k)
        if (w.getToggle(k).getToggleState())
            found = found == -1 ? k : 99;
    return found;
}

TEST(WaveformSelector, StoredWaveformIsShownWithoutWriting)
{
    juce::ValueTree node("mod3");
    node.setProperty(prefix + "bwf", 5.0, nullptr);
    EditorStandIn editor;
    LFO_WaveformButton w(0);
    editor.addAndMakeVisible(w);
    w.setAttachment(node, prefix);
    EXPECT_EQ(onToggle(w), 5);
    EXPECT_EQ(w.getToggle(5).getButtonText(), "UpDown");
    EXPECT_EQ(w.getCurWaveformIndex(), 5);
    EXPECT_EQ((double) node.getProperty(prefix + "bwf"), 5.0);
    EXPECT_TRUE(pumpUntil([&] { return editor.redraws > 0; }));
}

TEST(WaveformSelector, ClickWritesTheIndexAndAsksForARedraw)
{
    juce::ValueTree node("mod3");
    EditorStandIn editor;
    SlotModeStandIn slot;
    LFO_WaveformButton w(0);
    slot.addAndMakeVisible(editor);
    editor.addAndMakeVisible(w);
    w.setAttachment(node, prefix);
    EXPECT_EQ((double) node.getProperty(prefix + "bwf"), 0.0);
    pumpUntil([&] { return editor.redraws > 0; });
    const int before = editor.redraws;
    w.getToggle(6).triggerClick();
    ASSERT_TRUE(pumpUntil([&] { return (double) node.getProperty(prefix + "bwf") == 6.0; }));
    EXPECT_GE(slot.modes, 1);
    EXPECT_TRUE(pumpUntil([&] { return editor.redraws > before; }));
    EXPECT_EQ(onToggle(w), 6);
    // Clicking the selected one keeps it on and writes the same index again.
    w.getToggle(6).triggerClick();
    zutest::pumpFor(50);
    EXPECT_EQ(onToggle(w), 6);
    EXPECT_EQ((double) node.getProperty(prefix + "bwf"), 6.0);
}

TEST(WaveformSelector, OutsideValuesAreClampedWhereverTheIndexIsTaken)
{
    const struct
    {
        double stored;
        int shown;
    } cases[] = {{12.0, 7}, {-4.0, 0}, {3.0, 3}};
    for (const auto& c : cases)
    {
        juce::ValueTree node("mod3");
        EditorStandIn editor;
        LFO_WaveformButton w(0);
        editor.addAndMakeVisible(w);
        w.setAttachment(node, prefix);
        zutest::pumpFor(20);
        // After binding, as a snapshot switch or a state load writes it.
        node.setProperty(prefix + "bwf", c.stored, nullptr);
        ASSERT_TRUE(pumpUntil([&] { return w.getHiddenSlider().getValue() == c.stored; })) << c.stored;
        ASSERT_TRUE(pumpUntil([&] { return onToggle(w) == c.shown; })) << c.stored;
        EXPECT_EQ(w.getCurWaveformIndex(), c.shown);
        w.setBounds(0, 0, 200, 40);
        EXPECT_EQ(w.getCurWaveformIndex(), c.shown);
    }
}

TEST(WaveformSelector, GridOfTwoRowsOfFour)
{
    LFO_WaveformButton w(0);
    w.setBounds(0, 0, 202, 42);
    EXPECT_EQ(w.getToggle(0).getBounds(), juce::Rectangle<int>(3, 1, 49, 20));
    EXPECT_EQ(w.getToggle(3).getBounds(), juce::Rectangle<int>(150, 1, 49, 20));
    EXPECT_EQ(w.getToggle(4).getBounds(), juce::Rectangle<int>(3, 21, 49, 20));
    EXPECT_TRUE(w.getToggle(0).isConnectedOnRight() && w.getToggle(0).isConnectedOnBottom());
    EXPECT_FALSE(w.getToggle(0).isConnectedOnLeft() || w.getToggle(0).isConnectedOnTop());
    EXPECT_TRUE(w.getToggle(7).isConnectedOnLeft() && w.getToggle(7).isConnectedOnTop());
    EXPECT_EQ(w.getToggle(2).getTooltip(), "Selects the waveform");
}

TEST(SahModeSelector, MirrorsTheStoredModeAfterADelay)
{
    const struct
    {
        double stored;
        int shown;
    } cases[] = {{1.0, 1}, {5.0, 1}, {-1.0, 0}};
    for (const auto& c : cases)
    {
        juce::ValueTree node("mod1");
        SahModeButton s;
        s.setAttachment(node, prefix);
        EXPECT_EQ((double) node.getProperty(prefix + "bsahm"), 0.0);
        EXPECT_TRUE(s.getToggle(0).getToggleState());
        node.setProperty(prefix + "bsahm", c.stored, nullptr);
        // Not at once: the toggles follow 100 ms after the slider moves.
        EXPECT_TRUE(s.getToggle(0).getToggleState());
        EXPECT_TRUE(pumpUntil([&] { return s.getCurIndex() == c.shown; })) << c.stored;
        zutest::pumpFor(150);
        EXPECT_EQ(s.getCurIndex(), c.shown) << c.stored;
        EXPECT_EQ(s.getToggle(c.shown).getToggleState(), true) << c.stored;
    }
}

TEST(SahModeSelector, ClickWritesTheMode)
{
    juce::ValueTree node("mod1");
    SahModeButton s;
    s.setAttachment(node, prefix);
    s.getToggle(1).triggerClick();
    ASSERT_TRUE(pumpUntil([&] { return (double) node.getProperty(prefix + "bsahm") == 1.0; }));
    EXPECT_EQ(s.getToggle(0).getButtonText(), "Mode1");
    EXPECT_EQ(s.getToggle(1).getTooltip(), "Linear interpolation");
    EXPECT_TRUE(s.getToggle(0).isConnectedOnRight());
}

TEST(SyncBlock, SyncShowsTheClockTypeOnBothPaths)
{
    juce::ValueTree node("mod2");
    EditorStandIn editor;
    ModSyncPanel sync;
    editor.addAndMakeVisible(sync);
    sync.setAttachment(node, prefix);
    EXPECT_EQ((int) node.getProperty(prefix + "csync"), 0);
    EXPECT_EQ((double) node.getProperty(prefix + "clktyp"), 0.0);
    EXPECT_FALSE(sync.getClockTypeButton().isVisible());
    EXPECT_EQ(editor.syncMenus, 1);

    // From outside, as a snapshot switch writes it: no click.
    node.setProperty(prefix + "csync", 1, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return sync.getClockTypeButton().isVisible(); }));
    EXPECT_TRUE(editor.syncedRateShown);

    sync.getClockTypeButton().getButton(1).triggerClick();
    ASSERT_TRUE(pumpUntil([&] { return (double) node.getProperty(prefix + "clktyp") == 1.0; }));
    EXPECT_EQ(sync.getCurSyncIndex(), 2);

    // A click: off again hides the clock type but keeps it.
    sync.getSyncButton().triggerClick();
    ASSERT_TRUE(pumpUntil([&] { return !sync.getClockTypeButton().isVisible(); }));
    EXPECT_FALSE(editor.syncedRateShown);
    EXPECT_EQ((int) node.getProperty(prefix + "csync"), 0);
    EXPECT_EQ((double) node.getProperty(prefix + "clktyp"), 1.0);
    EXPECT_EQ(sync.getCurSyncIndex(), 0);
}

TEST(SyncBlock, ClockTypeWritesAndFollowsTheSlotsChoice)
{
    juce::ValueTree node("mod2");
    node.setProperty(prefix + "csync", 1, nullptr);
    node.setProperty(prefix + "clktyp", 2.0, nullptr);
    EditorStandIn editor;
    ModSyncPanel sync;
    editor.addAndMakeVisible(sync);
    sync.setAttachment(node, prefix);
    auto& clock = sync.getClockTypeButton();
    EXPECT_TRUE(clock.getButton(2).getToggleState());
    EXPECT_EQ(sync.getCurSyncIndex(), 3);

    // "N" written by a click, then "T" written underneath: the buttons follow.
    clock.getButton(0).triggerClick();
    ASSERT_TRUE(pumpUntil([&] { return (double) node.getProperty(prefix + "clktyp") == 0.0; }));
    EXPECT_EQ(sync.getCurSyncIndex(), 1);
    node.setProperty(prefix + "clktyp", 1.0, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return clock.getButton(1).getToggleState(); }));
    EXPECT_EQ(sync.getCurSyncIndex(), 2);
    EXPECT_EQ(clock.getButton(1).getButtonText(), "T");
}
} // namespace
