// SPDX-License-Identifier: GPL-3.0-or-later
#include "LfoPanel.h"
#include "MessagePump.h"
#include "ModDisplayFixture.h"
#include "ScreenWriter.h"

#include <gtest/gtest.h>

namespace
{
using zutest::pumpUntil;

// Where the slot header would hold the power and the engine mode.
struct SlotStandIn : juce::Component, ModSlotHooks
{
    bool on = true;
    int mode = 0, modeCalls = 0;
    void modeButtonClicked() override { ++modeCalls; }
    std::pair<bool, int> getCurOnOffAndModeState() const override { return {on, juce::jlimit(0, 2, mode)}; }
};

struct LfoEditor : ::testing::Test
{
    LfoData data;
    juce::ValueTree node{"mod3"};
    const juce::String prefix{"p6m213_"};
    zutest::ShowingHost host{520, 160};
    SlotStandIn slot;
    std::unique_ptr<LfoPanel> panel;

    explicit LfoEditor(int slotIndex = 2)
    {
        host.addAndMakeVisible(slot);
        slot.setBounds(0, 0, 420, 150);
        panel = std::make_unique<LfoPanel>(slot, std::pair<int, int>{5, slotIndex}, data);
        slot.addAndMakeVisible(*panel);
        panel->setBounds(slot.getLocalBounds());
        panel->setAttachment(node, prefix);
    }
    void setMode(int mode)
    {
        slot.mode = mode;
        panel->modeButtonClicked();
    }
    juce::String text(int knob, double x) { return panel->getKnob(knob).mainKnob.getTextFromValue(x); }
};

TEST_F(LfoEditor, KnobTexts)
{
    const struct
    {
        int knob;
        double x;
        const char* text;
    } cases[] = {
        {LfoPanel::freeRate, 0.0, "0.01 Hz"}, {LfoPanel::freeRate, 0.5, "3.66 Hz"},
        {LfoPanel::freeRate, 0.9, "14.56Hz"}, {LfoPanel::freeRate, 1.0, "20   Hz"},
        {LfoPanel::offset, 0.0, "-100"},      {LfoPanel::offset, 0.5, "0"},
        {LfoPanel::offset, 1.0, "+100"},      {LfoPanel::phase, 0.29, "28"},
        {LfoPanel::smooth, 0.5, "50"},        {LfoPanel::level, 1.0, "100"},
        {LfoPanel::syncedRate, 8.0, ""}, // sync off
    };
    for (const auto& c : cases)
        EXPECT_EQ(text(c.knob, c.x), c.text) << c.knob << " " << c.x;
}

TEST_F(LfoEditor, SyncedRateTextsFollowTheClockType)
{
    node.setProperty(prefix + "csync", 1, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return panel->getSyncBlock().isSyncOn(); }));
    const char* expected[] = {"1/2", "1/2T", "1/2D"};
    for (int type = 0; type < 3; ++type)
    {
        node.setProperty(prefix + "clktyp", (double) type, nullptr);
        ASSERT_TRUE(pumpUntil([&] { return panel->getSyncBlock().getClockTypeIndex() == type; }));
        EXPECT_EQ(text(LfoPanel::syncedRate, 8.0), expected[type]);
    }
    EXPECT_EQ(text(LfoPanel::syncedRate, 40.0), "1/64D");
    EXPECT_TRUE(panel->getKnob(LfoPanel::syncedRate).isVisible());
    EXPECT_FALSE(panel->getKnob(LfoPanel::freeRate).isVisible());
}

TEST_F(LfoEditor, ModeDecidesWhatShows)
{
    struct Expect
    {
        bool phaseOffset, shapes, waveform, sah, prob;
    };
    const Expect table[] = {
        {true, true, true, false, false}, {false, false, false, true, false}, {true, true, false, false, true}};
    for (int mode = 0; mode < 3; ++mode)
    {
        setMode(mode);
        const auto& e = table[mode];
        EXPECT_EQ(panel->getKnob(LfoPanel::phase).isVisible(), e.phaseOffset) << mode;
        EXPECT_EQ(panel->getKnob(LfoPanel::offset).isVisible(), e.phaseOffset) << mode;
        for (int s : {LfoPanel::invertSwitch, LfoPanel::squareSwitch, LfoPanel::saturateSwitch})
            EXPECT_EQ(panel->getSwitch(s).isVisible(), e.shapes) << mode;
        EXPECT_EQ(panel->getWaveformSelector().isVisible(), e.waveform) << mode;
        EXPECT_EQ(panel->getLfoDisplay().isVisible(), e.waveform) << mode;
        EXPECT_EQ(panel->getSahModeSelector().isVisible(), e.sah) << mode;
        EXPECT_EQ(panel->getSahDisplay().isVisible(), e.sah) << mode;
        EXPECT_EQ(panel->getProbSliders().isVisible(), e.prob) << mode;
        EXPECT_TRUE(panel->getSwitch(LfoPanel::bipolarSwitch).isVisible());
        EXPECT_TRUE(panel->getKnob(LfoPanel::smooth).isVisible());
        EXPECT_TRUE(panel->getKnob(LfoPanel::level).isVisible());
        EXPECT_TRUE(panel->getSyncBlock().isVisible());
    }
}

TEST_F(LfoEditor, LayoutPerMode)
{
    setMode(1);
    const auto selector = panel->getSahModeSelector().getBounds();
    const auto sah = panel->getSahDisplay().getBounds();
    // The display ends 65 % of the selector's band above the selector.
    EXPECT_NEAR(sah.getBottom(), selector.getY() - 0.65 * selector.getHeight(), 2.0);
    setMode(2);
    const auto row = panel->getSwitch(0).getBounds();
    EXPECT_LT(panel->getProbSliders().getBottom(), row.getY());
    const auto synced = panel->getKnob(LfoPanel::syncedRate).getBounds();
    const auto free = panel->getKnob(LfoPanel::freeRate).getBounds();
    EXPECT_EQ(synced.getX(), free.getX());
    EXPECT_LT(synced.getY(), free.getY());
    EXPECT_GT(synced.getHeight(), free.getHeight());
}

TEST_F(LfoEditor, PowerOffDisablesEverythingAndHidesNothing)
{
    slot.on = false;
    panel->powerButtonClicked();
    for (int k = 0; k < LfoPanel::numKnobs; ++k)
    {
        EXPECT_FALSE(panel->getKnob(k).isEnabled()) << k;
        for (int s = 0; s < 2; ++s)
            EXPECT_FALSE(panel->getKnob(k).slots[(size_t) s].isEnabled()) << k << " slot " << s;
    }
    for (int s = 0; s < LfoPanel::numSwitches; ++s)
        EXPECT_FALSE(panel->getSwitch(s).isEnabled()) << s;
    EXPECT_FALSE(panel->getWaveformSelector().isEnabled());
    EXPECT_FALSE(panel->getLfoDisplay().isEnabled());
    EXPECT_FALSE(panel->getProbSliders().isEnabled());
    EXPECT_TRUE(panel->getWaveformSelector().isVisible());
    slot.on = true;
    panel->powerButtonClicked();
    EXPECT_TRUE(panel->getKnob(LfoPanel::level).isEnabled());
}

TEST_F(LfoEditor, ShapeChangesRedrawAndOthersDoNot)
{
    pumpUntil([&] { return !panel->isTimerRunning(LfoPanel::redrawTimer); });
    ASSERT_FALSE(panel->isTimerRunning(LfoPanel::redrawTimer));
    panel->getKnob(LfoPanel::smooth).mainKnob.setValue(0.7, juce::sendNotificationSync);
    panel->getKnob(LfoPanel::freeRate).mainKnob.setValue(0.7, juce::sendNotificationSync);
    EXPECT_FALSE(panel->isTimerRunning(LfoPanel::redrawTimer));
    const auto before = panel->getLfoDisplay().getWavePath().getBounds();
    panel->getKnob(LfoPanel::level).mainKnob.setValue(0.3, juce::sendNotificationSync);
    EXPECT_TRUE(panel->isTimerRunning(LfoPanel::redrawTimer));
    // Not at once: 10 ms later.
    EXPECT_EQ(panel->getLfoDisplay().getWavePath().getBounds(), before);
    ASSERT_TRUE(pumpUntil([&] { return !panel->isTimerRunning(LfoPanel::redrawTimer); }));
    EXPECT_NE(panel->getLfoDisplay().getWavePath().getBounds(), before);
    EXPECT_EQ(panel->getPramStatesForDrawPath().level, 0.3f);
}

TEST_F(LfoEditor, TheWaveFollowsShapeValuesALoadWritesIntoTheSlot)
{
    // The panel's own first drawing done, so that only the change can redraw.
    ASSERT_TRUE(pumpUntil([&] { return !panel->isTimerRunning(LfoPanel::redrawTimer); }));
    zutest::pumpFor(50);
    ASSERT_FALSE(panel->isTimerRunning(LfoPanel::redrawTimer));
    for (const auto& [key, value] : {std::pair<const char*, double>{"klv", 0.3}, {"bphi", 1.0}, {"bwf", 3.0}})
    {
        SCOPED_TRACE(key);
        const auto before = panel->getLfoDisplay().getWavePath();
        node.setProperty(prefix + key, value, nullptr);
        EXPECT_TRUE(pumpUntil(
            [&] {
                return !panel->isTimerRunning(LfoPanel::redrawTimer) && panel->getLfoDisplay().getWavePath() != before;
            }));
    }
}

TEST_F(LfoEditor, BindsTheSlotProperties)
{
    const struct
    {
        const char* key;
        double value;
    } defaults[] = {{"kfr", 0.5},   {"kph", 0.0},    {"kos", 0.5},  {"ksm", 0.0},  {"klv", 1.0}, {"ksr", 8.0},
                    {"bbi", 0.0},   {"bphi", 0.0},   {"bexp", 0.0}, {"bsat", 0.0}, {"bwf", 0.0}, {"bsahm", 0.0},
                    {"csync", 0.0}, {"clktyp", 0.0}, {"prb1", 1.0}, {"prb2", 0.0}};
    for (const auto& d : defaults)
    {
        ASSERT_TRUE(node.hasProperty(prefix + d.key)) << d.key;
        EXPECT_EQ((double) node.getProperty(prefix + d.key), d.value) << d.key;
    }
    panel->getSwitch(LfoPanel::invertSwitch).triggerClick();
    ASSERT_TRUE(pumpUntil([&] { return (int) node.getProperty(prefix + "bphi") == 1; }));
    EXPECT_TRUE(panel->getPramStatesForDrawPath().invert);
}

juce::DragAndDropTarget::SourceDetails handleText(const juce::String& text)
{
    return {text, nullptr, {}};
}

TEST_F(LfoEditor, EveryKnobCarriesTwoBoundModulationSlots)
{
    const char* keys[] = {"kfr", "kph", "kos", "ksm", "klv", "ksr"};
    for (int k = 0; k < LfoPanel::numKnobs; ++k)
    {
        auto& knob = panel->getKnob(k);
        EXPECT_EQ(knob.numSlots, 2) << k;
        for (auto suffix : {"_ms1", "_md1", "_ms2", "_md2"})
            EXPECT_TRUE(node.hasProperty(prefix + keys[k] + suffix)) << keys[k] << suffix;
        // The slots sit in a row under the main knob.
        for (int s = 0; s < 2; ++s)
        {
            EXPECT_TRUE(knob.slots[(size_t) s].isVisible()) << k;
            EXPECT_GE(knob.slots[(size_t) s].getY(), knob.mainKnob.getBottom()) << k;
        }
        EXPECT_EQ(knob.slots[0].getY(), knob.slots[1].getY()) << k;
        EXPECT_EQ(knob.slots[0].getHeight(), (int) ((float) (knob.getHeight() - 2) * 0.29f)) << k;
    }
}

TEST_F(LfoEditor, AModulatorHandleDroppedOnAKnobSlotAssignsIt)
{
    const juce::String id = prefix + "kfr";
    auto& rateSlot = panel->getKnob(LfoPanel::freeRate).slots[0];
    // The slot takes the handles of its own unit and the macros only.
    EXPECT_TRUE(rateSlot.isInterestedInDragSource(handleText("m21MOD2")));
    EXPECT_TRUE(rateSlot.isInterestedInDragSource(handleText("MACRO1")));
    EXPECT_FALSE(rateSlot.isInterestedInDragSource(handleText("m11MOD2")));
    EXPECT_EQ((double) node.getProperty(id + "_ms1"), 0.0);
    rateSlot.itemDropped(handleText("m21MOD2"));
    EXPECT_EQ((double) node.getProperty(id + "_ms1"), 2.0);
    rateSlot.amountKnob.setValue(-0.4, juce::sendNotificationSync);
    EXPECT_DOUBLE_EQ((double) node.getProperty(id + "_md1"), -0.4);

    // The synced-rate knob's second slot writes beside its own key.
    panel->getKnob(LfoPanel::syncedRate).slots[1].itemDropped(handleText("MACRO3"));
    EXPECT_EQ((double) node.getProperty(prefix + "ksr_ms2"), 11.0);
    EXPECT_EQ((double) node.getProperty(id + "_ms2"), 0.0);
}

TEST_F(LfoEditor, SlotColoursFollowTheBaseColour)
{
    ZuMirabox_ColorTheme theme;
    const auto syncedDispBg = panel->getKnob(LfoPanel::syncedRate).slots[0].dispBgColor;
    for (int k = 0; k < LfoPanel::numKnobs; ++k)
        EXPECT_EQ(panel->getKnob(k).slots[1].outlineColor, theme.entry(35, 0)) << k;

    // Built on skin 1's background; skin 0 recolours the first five.
    const auto background = theme.entry(56, 0);
    ASSERT_NE(background, theme.entry(56, 1));
    panel->setSkinMode(0);
    const juce::Colour base(0xff4fb0d0);
    panel->setBaseColor(base);
    for (int k = 0; k < LfoPanel::numKnobs; ++k)
    {
        auto& knob = panel->getKnob(k);
        for (int s = 0; s < 2; ++s)
            EXPECT_EQ(knob.slots[(size_t) s].outlineColor, base.darker(1.5f)) << k;
        EXPECT_EQ(knob.mainKnob.findColour(juce::Slider::thumbColourId), base) << k;
        EXPECT_EQ(knob.mainKnob.findColour(juce::Slider::textBoxTextColourId), base.brighter(0.1f)) << k;
        if (k == LfoPanel::syncedRate)
        {
            EXPECT_EQ(knob.slots[0].dispBgColor, syncedDispBg);
            EXPECT_EQ(knob.bgColor, theme.entry(56, 1));
        }
        else
        {
            EXPECT_EQ(knob.slots[0].dispBgColor, background.brighter(0.16f)) << k;
            EXPECT_EQ(knob.bgColor, background) << k;
            EXPECT_EQ(knob.mainKnob.findColour(juce::Slider::trackColourId), base.darker(3.0f)) << k;
        }
    }
}

TEST_F(LfoEditor, PolarityAndHoverValuesReachTheFirstFiveKnobsOnly)
{
    juce::Value polarity(false), hovered(juce::String("off"));
    panel->setModPolAndIndctSrcValue(polarity, hovered);
    for (int k = 0; k < LfoPanel::numKnobs; ++k)
        for (int s = 0; s < 2; ++s)
        {
            const auto& modSlot = panel->getKnob(k).slots[(size_t) s];
            EXPECT_EQ(modSlot.polarityToggle.refersToSameSourceAs(polarity), k != LfoPanel::syncedRate) << k;
            EXPECT_EQ(modSlot.hoveredHandle.refersToSameSourceAs(hovered), k != LfoPanel::syncedRate) << k;
        }
}

struct LastSlotOfAPage : LfoEditor
{
    LastSlotOfAPage() : LfoEditor(3) {}
};

TEST_F(LastSlotOfAPage, HasNoSeparator)
{
    EXPECT_FALSE(panel->hasSeparator());
}

TEST_F(LfoEditor, OtherSlotsHaveASeparator)
{
    EXPECT_TRUE(panel->hasSeparator());
}

TEST_F(LfoEditor, ScreensPerEngineMode)
{
    panel->setSkinMode(1);
    panel->setBaseColor(juce::Colour(0xff4fb0d0));
    data.unitSnaps[5][0][2].dispValue = 0.7f;
    data.unitSnaps[5][0][2].dispWaveIndex = 3;
    const char* names[] = {"gui-lfo-editor-lfo.png", "gui-lfo-editor-sah.png", "gui-lfo-editor-prob.png"};
    for (int mode = 0; mode < 3; ++mode)
    {
        setMode(mode);
        if (mode == 1)
            data.unitSnaps[5][0][2].dispValue = 0.3f;
        panel->timerCallback(LfoPanel::displayCheckTimer);
        zutest::pumpFor(300);
        const auto image = panel->createComponentSnapshot(panel->getLocalBounds(), true, 2.0f);
        EXPECT_TRUE(zutest::writeScreen(image, names[mode]));
    }
}
} // namespace
