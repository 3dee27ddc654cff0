// SPDX-License-Identifier: GPL-3.0-or-later
// The modulatable number boxes and the curve tables that no running panel
// builds.
#include "ZuKernTables.h"
#include "ZuModulatableNumbBox.h"
#include "ZuModulatableNumbBox2.h"

#include "MessagePump.h"
#include "PluginProcessor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
TEST(KernTables, CurvesHaveTheirRangesPointsAndEnds)
{
    juce::SharedResourcePointer<ZuKernTables> tables;
    EXPECT_NEAR(tables->lookup(7, 0.5f), 1.0f, 1e-3f);
    EXPECT_NEAR(tables->lookup(7, 1.0f), 3.98f, 0.01f);
    EXPECT_EQ(tables->lookup(7, 0.0f), 0.0f);
    for (int k = 13; k <= 16; ++k)
    {
        EXPECT_NEAR(tables->lookup(k, 1.0f), (float) (k - 11), 1e-4f) << k;
        EXPECT_NEAR(tables->lookup(k, 0.25f), 0.25f, 1e-4f) << k;
    }
    EXPECT_EQ(ZuKernTables::numPoints(7), 109);
    EXPECT_EQ(ZuKernTables::numPoints(14), 256);
    EXPECT_EQ(ZuKernTables::numPoints(1), 128);
    EXPECT_EQ(ZuKernTables::rangeStart(4), -1.0);
    EXPECT_EQ(ZuKernTables::rangeStart(6), -1.0);
    EXPECT_NEAR(tables->lookup(4, -1.0f), -1.0f, 1e-4f);
    EXPECT_NEAR(tables->lookup(6, -1.0f), -1.0f, 1e-3f);

    // The exponential rises end at 1 (3.5 for curve 8); the Padé rise too.
    EXPECT_NEAR(tables->lookup(2, 1.0f), 1.0f, 2e-3f);
    EXPECT_NEAR(tables->lookup(5, 1.0f), 1.0f, 1e-4f);
    EXPECT_NEAR(tables->lookup(8, 1.0f), 3.5f, 1e-4f);
    EXPECT_NEAR(tables->lookup(1, 0.25f), 0.5f, 1e-3f);
    EXPECT_NEAR(tables->lookup(9, 0.25f), 1.0f, 1e-3f);
    EXPECT_EQ(tables->lookup(12, 0.0f), 0.0f);
    EXPECT_NEAR(tables->lookup(12, 0.01f), 0.011f, 1e-3f);
    EXPECT_NEAR(tables->lookup(10, 0.0f), 0.67f, 1e-4f);
    EXPECT_NEAR(tables->lookup(17, 0.5f), 0.5f, 1e-4f);
    // Lookups outside a range are clamped.
    EXPECT_NEAR(tables->lookup(3, 2.0f), 1.0f, 1e-4f);
    EXPECT_EQ(tables->lookup(12, -3.0f), 0.0f);
}

TEST(ModulatableNumbBox, DryWetTextFollowsTheCurveSwitch)
{
    ZuModulatableNumbBox2 box("Mix", true, 0.3f);
    box.numbBox.setRange(0.0, 1.0, 0.0);
    EXPECT_EQ(box.valueText(0.3), "");
    box.setCurveButtonFlag();
    ASSERT_NE(box.curveButton, nullptr);
    EXPECT_EQ(box.curveButton->getButtonText(), "expcurve");
    EXPECT_EQ(box.valueText(0.3), "70 / 30");
    EXPECT_EQ(box.numbBox.getTextFromValue(0.3), "70 / 30");
    box.curveButton->setToggleState(true, juce::sendNotificationSync);
    juce::SharedResourcePointer<ZuKernTables> tables;
    const auto expected = juce::String((int) std::floor(100.0f * tables->lookup(1, 0.7f))) + " / " +
                          juce::String((int) std::floor(100.0f * tables->lookup(12, 0.3f)));
    EXPECT_EQ(box.valueText(0.3), expected);
    EXPECT_EQ(box.valueText(0.3), "83 / 16");

    box.setSize(60, 80);
    EXPECT_EQ(box.curveButton->getY(), box.label.getY());
    EXPECT_EQ(box.curveButton->getHeight(), box.label.getHeight() + 1);
    EXPECT_EQ(box.curveButton->getX(), box.label.getRight());
    box.setBgColor(juce::Colour(0xff123456));
    EXPECT_EQ(box.curveButton->getProperties()["bgcolor"].toString(), juce::Colour(0xff123456).toString());

    // A slot's depth repaints the box through the box's own values.
    box.slots[1].setValue(0.5f);
    EXPECT_EQ((double) box.numbBox.value2.getValue(), box.slots[1].amountKnob.getValue());
}

TEST(ModulatableNumbBox, BindsItsParameterAndSlotKeysAndSetsItsParts)
{
    ZumiraboxAudioProcessor processor;
    ZuModulatableNumbBox box("Depth", true, true, 0.3f, true);
    EXPECT_EQ(box.label.getText(), "Depth");
    EXPECT_EQ(box.numbBox.getInterval(), 0.01);
    box.setAttachments(processor.paramState, "p7_macro3");
    EXPECT_EQ(box.parameterId, "p7_macro3");
    box.setValue(0, 0.42f);
    EXPECT_TRUE(zutest::pumpUntil(
        [&] { return std::abs(processor.paramState.getParameter("p7_macro3")->getValue() - 0.42f) < 0.01f; }));
    box.setValue(2, 0.5f);
    EXPECT_EQ(box.slots[1].amountKnob.getValue(), 0.5);
    box.setValue(9, 1.0f);
    box.initKnobUnit(0.2f);
    EXPECT_NEAR(box.numbBox.getValue(), 0.2, 1e-6);
    EXPECT_EQ(box.slots[1].amountKnob.getValue(), 0.0);

    box.setSize(60, 90);
    EXPECT_EQ(box.label.getY(), 0);
    EXPECT_GT(box.numbBox.getY(), box.label.getBottom() - 1);
    EXPECT_GT(box.slots[0].getY(), box.numbBox.getY());
    EXPECT_EQ(box.slots[0].getY(), box.slots[1].getY());

    ZuModulatableNumbBox side("Rate", true, false, 0.3f, false);
    side.setSize(100, 40);
    EXPECT_GT(side.slots[1].getY(), side.slots[0].getY());
    EXPECT_LT(side.numbBox.getRight(), side.slots[0].getX() + 1);
}
} // namespace
