// SPDX-License-Identifier: GPL-3.0-or-later
// The clock and reset-count panels of the sequencer units, and a screen of
// all the unit control widgets.

#include "CenterOctButton.h"
#include "CenterPanelNumBoxUnit.h"
#include "CenterPanel_Reset.h"
#include "ScreenWriter.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace
{
using zutest::TestUnitPanel;

template <typename Strip> int litButton(Strip& strip)
{
    return zutest::litButton(strip, Strip::numButtons);
}

TEST(ClockPanel, FreeRateTextFollowsTheDisplayCurve)
{
    const std::pair<double, const char*> cases[] = {
        {0.0, "0.01 Hz"}, {0.3, "1.54 Hz"}, {0.5, "3.66 Hz"}, {1.0, "20 Hz"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(CenterPitchSeq_ClockPanel::freeRateText(value), text) << value;
}

TEST(ClockPanel, ANewUnitGetsTheDefaultsAndShowsTheSyncedRate)
{
    juce::ValueTree unit("ptchsq1");
    CenterPitchSeq_ClockPanel panel;
    panel.setAttachment(unit, "p1m11_");
    EXPECT_EQ((int) unit.getProperty("p1m11_clktyp"), 0);
    EXPECT_EQ((double) unit.getProperty("p1m11_sclk"), 11.0);
    EXPECT_FLOAT_EQ((float) (double) unit.getProperty("p1m11_fclk"), 0.3f);
    EXPECT_EQ((int) unit.getProperty("p1m11_csync"), 1);
    EXPECT_TRUE(unit.hasProperty("p1m11_sclk_ms2"));

    auto& synced = panel.getSyncedRateKnob();
    EXPECT_EQ(synced.getTextFromValue(synced.getValue()), "1/16");
    EXPECT_EQ(synced.getTextFromValue(0.0), "128/1");
    EXPECT_EQ(synced.getTextFromValue(13.0), "1/64");
    EXPECT_EQ(panel.getFreeRateKnob().getTextFromValue(panel.getFreeRateKnob().getValue()), "1.54 Hz");
    EXPECT_EQ(synced.getTooltip(), "Sets the clock speed");
    EXPECT_TRUE(synced.isVisible() && panel.getClockType().isVisible());
    EXPECT_FALSE(panel.getFreeRateKnob().isVisible());
}

TEST(ClockPanel, TheSyncToggleSwapsTheRateKnobs)
{
    juce::ValueTree unit("ptchsq1");
    CenterPitchSeq_ClockPanel panel;
    panel.setSize(100, 40);
    panel.setAttachment(unit, "p1m11_");
    ASSERT_TRUE(zutest::click(panel.getSyncButton()));
    EXPECT_EQ((int) unit.getProperty("p1m11_csync"), 0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel.getFreeRateKnob().isVisible(); }));
    EXPECT_FALSE(panel.getSyncedRateKnob().isVisible());
    EXPECT_FALSE(panel.getClockType().isVisible());
    EXPECT_TRUE(panel.getModPair().isVisible() && panel.getSyncButton().isVisible());
    EXPECT_EQ(panel.getFreeRateKnob().getBounds(), panel.getSyncedRateKnob().getBounds());

    // A state load turns sync back on.
    unit.setProperty("p1m11_csync", 1, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel.getSyncedRateKnob().isVisible(); }));
    EXPECT_FALSE(panel.getFreeRateKnob().isVisible());
}

TEST(ClockPanel, LayoutAndColoursWithoutAUnit)
{
    ZuShared<ZuMirabox_ColorTheme> theme;
    CenterPitchSeq_ClockPanel panel;
    panel.setSize(100, 40);
    // Area 98 x 38: top row 21, bottom row 16; pair 38 wide.
    EXPECT_EQ(panel.getModPair().getBounds(), juce::Rectangle<int>(61, 1, 38, 21));
    EXPECT_EQ(panel.getSyncedRateKnob().getBounds(), juce::Rectangle<int>(1, 1, 56, 19));
    EXPECT_EQ(panel.getSyncButton().getBounds(), juce::Rectangle<int>(1, 23, 24, 16));
    EXPECT_EQ(panel.getClockType().getBounds(), juce::Rectangle<int>(41, 23, 58, 16));

    panel.setSkinMode(1);
    EXPECT_EQ(panel.getSyncButton().findColour(juce::TextButton::buttonOnColourId), theme->entry(47, 1));
    EXPECT_EQ(panel.getFreeRateKnob().findColour(juce::Slider::trackColourId), theme->entry(47, 1).withAlpha(0.4f));
}

//==============================================================================
TEST(ResetCountPanel, BindsTheCountAndShowsItRoundedDown)
{
    juce::ValueTree unit("ptchsq1");
    CenterPanel_Reset panel;
    panel.setAttachment(unit, "p1m11_");
    EXPECT_EQ((double) unit.getProperty("p1m11_rst"), 0.0);
    EXPECT_EQ(panel.getCaption().getText(), "Reset Count");
    auto& knob = panel.getKnob();
    EXPECT_EQ(knob.getTooltip(),
              "Sets the reset count. After this count, the sequencer will re-start from the start step");
    EXPECT_EQ(knob.getTextFromValue(12.7), "12");
    EXPECT_EQ((double) knob.getProperties()["maxval"], 1024.0);

    knob.setResultOfTextEditor(5000.0f);
    EXPECT_EQ((double) unit.getProperty("p1m11_rst"), 1024.0);
    knob.setResultOfTextEditor(7.0f);
    EXPECT_EQ((double) unit.getProperty("p1m11_rst"), 7.0);

    panel.setSize(60, 40);
    EXPECT_EQ(panel.getCaption().getBounds(), juce::Rectangle<int>(2, 1, 56, 17));
    EXPECT_EQ(knob.getBounds(), juce::Rectangle<int>(7, 20, 46, 19));
}

//==============================================================================
TEST(Screens, UnitControlWidgets)
{
    // Inside an editor, so that the strips take the unit colours of the settings.
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    juce::ValueTree unit("ptchsq1");
    TestUnitPanel frame(zu::units::pitch, 0);
    editor->addChildComponent(frame);
    frame.unitColor = juce::Colour(0xff89c997);
    CenterDirButton direction;
    CenterOctButton octave, outside;
    CenterPanelNumBoxUnit velocity, gate;
    CenterPitchSeq_ClockPanel clock, freeClock;
    CenterPanel_Reset reset;
    const std::initializer_list<juce::Component*> widgets{&direction, &octave, &outside,   &velocity,
                                                          &gate,      &clock,  &freeClock, &reset};
    for (auto* c : widgets)
        frame.addAndMakeVisible(c);
    direction.setAttachment(unit, "p1m11_");
    octave.setAttachment(unit, "p1m11_oct1");
    outside.setAttachment(unit, "p1m11_oct20");
    velocity.setParamName("V");
    velocity.setAttachment(unit, "p1m11_vel1", 100.0f, juce::NormalisableRange<double>(0.0, 127.0, 1.0));
    gate.setParamName("G");
    gate.setAttachment(unit, "p1m11_gate20", 50.0f, juce::NormalisableRange<double>(0.0, 100.0, 1.0));
    clock.setAttachment(unit, "p1m11_");
    freeClock.setAttachment(unit, "p1m12_");
    unit.setProperty("p1m12_csync", 0, nullptr);
    reset.setAttachment(unit, "p1m11_");
    unit.setProperty("p1m11_rst", 16, nullptr);
    unit.setProperty("p1m11_dir", 2, nullptr);
    direction.setSkinMode(1);
    octave.setSkinMode(1);
    outside.setSkinMode(1);
    outside.setStepRngState(false);
    velocity.setSkinMode(1);
    gate.setSkinMode(1);
    gate.setStepRngState(false);
    clock.setSkinMode(1);
    freeClock.setSkinMode(1);
    reset.setSkinMode(1);
    ASSERT_TRUE(
        zutest::pumpUntil([&] { return litButton(direction) == 2 && freeClock.getFreeRateKnob().isVisible(); }));

    direction.setBounds(5, 5, 240, 24);
    octave.setBounds(5, 35, 120, 20);
    outside.setBounds(130, 35, 120, 20);
    velocity.setBounds(5, 60, 60, 18);
    gate.setBounds(70, 60, 60, 18);
    clock.setBounds(5, 85, 120, 44);
    freeClock.setBounds(130, 85, 120, 44);
    reset.setBounds(5, 135, 70, 40);
    juce::Image sheet(juce::Image::ARGB, 260, 180, true);
    {
        juce::Graphics g(sheet);
        g.fillAll(juce::Colour(0xff1c1c1c));
        for (auto* c : widgets)
            g.drawImageAt(c->createComponentSnapshot(c->getLocalBounds()), c->getX(), c->getY());
    }
    EXPECT_TRUE(zutest::writeScreen(sheet, "gui-unit-widgets.png"));
}
} // namespace
