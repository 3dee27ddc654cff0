// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestHelpers.h"
#include "ModKnob.h"
#include "OscOctButton.h"
#include "WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace
{
template <typename Selector> int litButton(Selector& selector)
{
    return zutest::litButton(selector, Selector::numButtons);
}

TEST(OscOctaveButtons, FollowAndWriteTheirParameter)
{
    ZumiraboxAudioProcessor processor;
    auto* parameter = processor.paramState.getParameter("p1m11_snp");
    OscOctButton five;
    OscOctButton2 three;
    EXPECT_EQ(five.getButton(0).getButtonText(), "-2");
    EXPECT_EQ(five.getButton(4).getButtonText(), "+2");
    EXPECT_EQ(three.getButton(0).getButtonText(), "0");
    EXPECT_EQ(three.getButton(2).getButtonText(), "-2");
    EXPECT_EQ(three.getButton(1).getTooltip(), "Controls the octave of the oscillator (-2 to 0)");

    parameter->setValueNotifyingHost(parameter->convertTo0to1(6.0f));
    five.setAttachment(processor.paramState, "p1m11_snp");
    EXPECT_EQ(litButton(five), 4);

    ASSERT_TRUE(zutest::click(five.getButton(1)));
    EXPECT_EQ(parameter->convertFrom0to1(parameter->getValue()), 1.0f);
    parameter->setValueNotifyingHost(parameter->convertTo0to1(3.0f));
    EXPECT_TRUE(zutest::pumpUntil([&] { return litButton(five) == 3; }));

    three.setAttachment(processor.paramState, "p1m11_snp");
    EXPECT_EQ(litButton(three), 2);
    three.setValue(0.0f);
    EXPECT_EQ(parameter->convertFrom0to1(parameter->getValue()), 0.0f);
    three.setMasterButtonFlag();
    EXPECT_EQ(three.getButton(1).getButtonText(), "Osc1");
    EXPECT_EQ(three.getButton(1).getTooltip(), "Sets the master oscillator");
}

TEST(OscOctaveButtons, Layout)
{
    OscOctButton five;
    OscOctButton2 three;
    five.setSize(106, 26);
    three.setSize(92, 22);
    // w 100, bw 20, first x 3.
    EXPECT_EQ(five.getButton(2).getBounds(), juce::Rectangle<int>(43, 3, 20, 20));
    // w 90, bw 29, first x 1 + (90 - 87) / 2 = 2.
    EXPECT_EQ(three.getButton(2).getBounds(), juce::Rectangle<int>(60, 1, 29, 20));
}

TEST(ModKnobCurve, LeavesValuesAloneUntilItHasACurve)
{
    ModKnob knob;
    for (double v : {-0.7, 0.0, 0.3})
        EXPECT_EQ(knob.snapValue(v, juce::Slider::notDragging), v);

    knob.setCurve([](double x) { return x * x; }, 0.0, 1.0, 101);
    EXPECT_NEAR(knob.snapValue(0.5, juce::Slider::absoluteDrag), 0.25, 1e-9);
    EXPECT_NEAR(knob.snapValue(-0.5, juce::Slider::absoluteDrag), -0.25, 1e-9);
    EXPECT_NEAR(knob.snapValue(3.0, juce::Slider::absoluteDrag), 1.0, 1e-9);
    EXPECT_EQ(knob.snapValue(0.0, juce::Slider::absoluteDrag), 0.0);
}

TEST(CustomViewPortTest, KeepsItsNumber)
{
    CustomViewPort view(7);
    EXPECT_EQ(view.viewId, 7);
    EXPECT_EQ(view.second, 0);
}
} // namespace
