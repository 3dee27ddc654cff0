// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChPanel.h"
#include "ClockTypeButton.h"
#include "GuiTestHelpers.h"
#include "ScreenWriter.h"
#include "WidgetTestHelpers.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
int litButton(ClockTypeButton& selector)
{
    return zutest::litButton(selector, ClockTypeButton::numTypes);
}

TEST(ClockTypeSelector, FollowsAndWritesTheTreeProperty)
{
    juce::ValueTree unit("ptchsq1");
    ClockTypeButton selector(false);
    int notified = 0;
    selector.getButton(2).onStateChange = [&] { ++notified; };
    selector.setAttachment(unit, "p1m11_");
    EXPECT_EQ((int) unit.getProperty("p1m11_clktyp"), 0);
    EXPECT_EQ(litButton(selector), 0);
    EXPECT_EQ(selector.getButton(0).getButtonText(), "N");

    ASSERT_TRUE(zutest::click(selector.getButton(1)));
    EXPECT_EQ((int) unit.getProperty("p1m11_clktyp"), 1);
    EXPECT_EQ(litButton(selector), 1);

    // A click on the lit button changes nothing.
    ASSERT_TRUE(zutest::click(selector.getButton(1)));
    EXPECT_EQ((int) unit.getProperty("p1m11_clktyp"), 1);

    unit.setProperty("p1m11_clktyp", 2, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return litButton(selector) == 2; }));
    EXPECT_EQ(selector.getCurrentIndex(), 2);
}

TEST(ClockTypeSelector, IgnoresValuesOutsideItsRange)
{
    juce::ValueTree unit("ptchsq1");
    unit.setProperty("p1m11_clktyp", 7, nullptr);
    ClockTypeButton selector(false);
    selector.setAttachment(unit, "p1m11_");
    EXPECT_EQ(litButton(selector), 2);
    selector.setValue(-4.0f);
    EXPECT_EQ(litButton(selector), 0);
    EXPECT_EQ((int) unit.getProperty("p1m11_clktyp"), 0);
}

TEST(ClockTypeSelector, LaysOutBothOrientations)
{
    ClockTypeButton across(false), down(true);
    across.setSize(90, 20);
    down.setSize(20, 90);
    // w = 88, bw = 27, first x = 1 + (88 - 81 - 4) / 2 = 2.
    EXPECT_EQ(across.getButton(0).getBounds(), juce::Rectangle<int>(2, 1, 27, 18));
    EXPECT_EQ(across.getButton(2).getBounds(), juce::Rectangle<int>(58, 1, 27, 18));
    // h = 88, bh = 29, first y = 1 + (88 - 87) / 2 = 1.
    EXPECT_EQ(down.getButton(1).getBounds(), juce::Rectangle<int>(1, 30, 18, 29));
}

TEST(ClockTypeSelector, ColourVariants)
{
    ZuShared<ZuMirabox_ColorTheme> theme;
    ClockTypeButton selector(false);
    selector.setBaseColor(juce::Colour(0xff40a0ff));
    EXPECT_EQ(selector.getButton(1).findColour(juce::TextButton::buttonOnColourId), juce::Colour(0xff40a0ff));
    EXPECT_EQ(selector.getButton(1).findColour(juce::TextButton::textColourOnId), theme->unitAreaBgColor[0]);

    selector.setBgColor(juce::Colour(0xff101010));
    EXPECT_EQ(selector.getButton(0).findColour(juce::TextButton::buttonColourId), juce::Colour(0xff101010));

    selector.setCenterPanelFlag();
    selector.setSkinMode(1);
    EXPECT_EQ(selector.getButton(0).findColour(juce::TextButton::buttonOnColourId), theme->pitchUnitColor[1]);
    EXPECT_EQ(selector.getButton(0).findColour(juce::TextButton::buttonColourId), theme->unitBgColor[1]);
    EXPECT_EQ(selector.getButton(0).findColour(juce::TextButton::textColourOffId), juce::Colour(0xff959595));
}

TEST(ChannelBox, ShowsMForZeroAndStaysWithinTheChannels)
{
    juce::ValueTree rack("ccrack1");
    ChPanel panel;
    panel.setAttachment(rack, "p5m51_kch1");
    EXPECT_EQ((int) rack.getProperty("p5m51_kch1"), 0);
    auto& box = panel.getNumberBox();
    EXPECT_EQ(box.getTextFromValue(0.0), "M");
    EXPECT_EQ(box.getTextFromValue(16.0), "16");
    // Damaged numbers read as "no channel" or the nearest whole one.
    EXPECT_EQ(ChPanel::channelText(std::numeric_limits<double>::quiet_NaN()), "M");
    EXPECT_EQ(ChPanel::channelText(1.0e30), "2147483647");
    EXPECT_EQ(box.getMinimum(), 0.0);
    EXPECT_EQ(box.getMaximum(), 16.0);
    box.setValue(40.0);
    EXPECT_EQ((int) rack.getProperty("p5m51_kch1"), 16);
    box.setValue(-3.0);
    EXPECT_EQ((int) rack.getProperty("p5m51_kch1"), 0);
    EXPECT_EQ(panel.getLabel().getText(), "CH");
}

TEST(ChannelBox, BindsToTheUnitsChannelParameter)
{
    ZumiraboxAudioProcessor processor;
    ChPanel panel;
    panel.setAttachment(processor.paramState, "p1m11_ch");
    auto* parameter = processor.paramState.getParameter("p1m11_ch");
    ASSERT_NE(parameter, nullptr);
    parameter->setValueNotifyingHost(parameter->convertTo0to1(16.0f));
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel.getNumberBox().getValue() == 16.0; }));
    EXPECT_EQ(panel.getNumberBox().getTextFromValue(panel.getNumberBox().getValue()), "16");
}

TEST(ChannelBox, Layout)
{
    ChPanel panel;
    panel.setSize(40, 42);
    // w = 36, h = 40, label 18, gap 2, margin 3.
    EXPECT_EQ(panel.getLabel().getBounds(), juce::Rectangle<int>(2, 1, 36, 18));
    EXPECT_EQ(panel.getNumberBox().getBounds(), juce::Rectangle<int>(5, 21, 30, 20));
}

TEST(Screens, ClockAndChannel)
{
    juce::ValueTree unit("ptchsq1");
    ClockTypeButton plain(false), center(false);
    center.setCenterPanelFlag();
    plain.setSkinMode(1);
    plain.setAttachment(unit, "p1m11_");
    center.setAttachment(unit, "p1m12_");
    ChPanel channel, centerChannel;
    channel.setSkinMode(1);
    centerChannel.setCenterPanelFlag();
    channel.setAttachment(unit, "p1m11_ch");
    centerChannel.setAttachment(unit, "p1m12_ch");
    unit.setProperty("p1m12_ch", 5, nullptr);
    ASSERT_TRUE(zutest::pumpUntil([&] { return centerChannel.getNumberBox().getValue() == 5.0; }));

    juce::Image sheet(juce::Image::ARGB, 260, 60, true);
    {
        juce::Graphics g(sheet);
        g.fillAll(juce::Colour(0xff000000));
        int x = 5;
        for (juce::Component* c : std::initializer_list<juce::Component*>{&plain, &center})
        {
            c->setSize(90, 22);
            g.drawImageAt(c->createComponentSnapshot(c->getLocalBounds()), x, 5);
            x += 95;
        }
        for (juce::Component* c : std::initializer_list<juce::Component*>{&channel, &centerChannel})
        {
            c->setSize(30, 42);
            g.drawImageAt(c->createComponentSnapshot(c->getLocalBounds()), x, 5);
            x += 35;
        }
    }
    EXPECT_TRUE(zutest::writeScreen(sheet, "gui-clock-channel.png"));
}
} // namespace
