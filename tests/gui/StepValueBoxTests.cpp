// SPDX-License-Identifier: GPL-3.0-or-later
// The step value box of the sequencer units.

#include "CenterPanelNumBoxUnit.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace
{
using zutest::TestUnitPanel;

TEST(StepValueBox, TakesScaleTooltipAndTextFromItsName)
{
    struct Case
    {
        const char* name;
        double maxValue;
        const char* tooltip;
    };
    const Case cases[] = {
        {"V", 127.0, "Sets the step velocity"},
        {"G", 100.0, "Sets the step gate value (0~100%)"},
        {"P", 100.0, "Sets the step trigger probability value (0~100%)"},
    };
    for (const auto& c : cases)
    {
        CenterPanelNumBoxUnit box;
        box.setParamName(c.name);
        auto& slider = box.getValueBox();
        EXPECT_EQ(slider.getName(), c.name);
        EXPECT_EQ((double) slider.getProperties()["maxval"], c.maxValue) << c.name;
        EXPECT_EQ(slider.getTooltip(), c.tooltip);
        EXPECT_EQ(slider.getTextFromValue(99.9), "99");
    }
    CenterPanelNumBoxUnit other;
    other.setParamName("X");
    EXPECT_EQ(other.getValueBox().getName(), "X");
    EXPECT_TRUE(other.getValueBox().getTooltip().isEmpty());
    EXPECT_FALSE(other.getValueBox().getProperties().contains("maxval"));
}

TEST(StepValueBox, BindingWritesTheDefaultAndOnlyTheFirstModulationSlot)
{
    juce::ValueTree unit("ptchsq1");
    CenterPanelNumBoxUnit box;
    box.setParamName("G");
    box.setAttachment(unit, "p1m11_gate1", 50.0f, juce::NormalisableRange<double>(0.0, 100.0, 1.0));
    EXPECT_EQ((double) unit.getProperty("p1m11_gate1"), 50.0);
    EXPECT_TRUE(unit.hasProperty("p1m11_gate1_ms1"));
    EXPECT_TRUE(unit.hasProperty("p1m11_gate1_md1"));
    EXPECT_FALSE(unit.hasProperty("p1m11_gate1_ms2"));
    EXPECT_FALSE(unit.hasProperty("p1m11_gate1_md2"));
    box.getValueBox().setValue(80.0);
    EXPECT_EQ((double) unit.getProperty("p1m11_gate1"), 80.0);
}

TEST(StepValueBox, DimsOutsideThePlayWindow)
{
    ZuShared<ZuMirabox_ColorTheme> theme;
    TestUnitPanel unit(zu::units::pitch, 0);
    unit.unitColor = juce::Colour(0xff40c080);
    CenterPanelNumBoxUnit box;
    unit.addAndMakeVisible(box);
    box.setSkinMode(1);
    auto& slider = box.getValueBox();
    EXPECT_EQ(slider.findColour(juce::Slider::trackColourId), juce::Colour(0xff40c080).withAlpha(0.25f));
    EXPECT_EQ(slider.findColour(juce::Slider::textBoxTextColourId), theme->entry(38, 1));
    EXPECT_EQ(slider.findColour(juce::Slider::textBoxOutlineColourId), theme->entry(37, 1));
    EXPECT_EQ(slider.findColour(juce::Slider::textBoxHighlightColourId), juce::Colour(0xff40c080).brighter(5.0f));

    box.setStepRngState(false);
    EXPECT_EQ(slider.findColour(juce::Slider::trackColourId), juce::Colour(0xff40c080).withAlpha(0.05f));
    EXPECT_EQ(slider.findColour(juce::Slider::textBoxTextColourId), theme->entry(38, 1).darker(0.7f));
    EXPECT_EQ(slider.findColour(juce::Slider::textBoxOutlineColourId), theme->entry(37, 1).darker(0.7f));
    EXPECT_EQ(slider.findColour(juce::Slider::textBoxBackgroundColourId), theme->entry(39, 1));

    box.setStepRngState(true);
    EXPECT_EQ(slider.findColour(juce::Slider::trackColourId), juce::Colour(0xff40c080).withAlpha(0.25f));
    EXPECT_EQ(slider.findColour(juce::Slider::textBoxTextColourId), theme->entry(38, 1));
}

TEST(StepValueBox, KeepsAFixedKnobColumn)
{
    CenterPanelNumBoxUnit box;
    box.setSize(60, 20);
    EXPECT_EQ(box.getModKnob().getBounds(), juce::Rectangle<int>(45, 0, 14, 20));
    EXPECT_EQ(box.getValueBox().getBounds(), juce::Rectangle<int>(0, 0, 44, 20));
    box.setSize(120, 30);
    EXPECT_EQ(box.getModKnob().getWidth(), 14);
    box.setSize(10, 20);
    EXPECT_EQ(box.getModKnob().getBounds(), juce::Rectangle<int>(0, 0, 9, 20));
    EXPECT_TRUE(box.getValueBox().getBounds().isEmpty());
}
} // namespace
