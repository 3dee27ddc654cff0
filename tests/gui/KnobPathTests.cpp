// SPDX-License-Identifier: GPL-3.0-or-later
#include "KnobPathHelper.h"
#include "LfoWavePath.h"
#include "ZuShared.h"

#include <gtest/gtest.h>

namespace
{
TEST(KnobPathHelper, FramesNumbersAndTriangle)
{
    ZuShared<KnobPathHelper> paths;

    // The knob frame is a width-1 outline around the brackets, ready to fill.
    const auto frame = paths->getFramePath();
    EXPECT_TRUE(frame.contains(0.2f, 5.0f));
    EXPECT_TRUE(frame.contains(5.0f, 0.2f));
    EXPECT_FALSE(frame.contains(50.0f, 0.2f)); // between the brackets
    EXPECT_FALSE(frame.contains(5.0f, 5.0f));
    EXPECT_NEAR(frame.getBounds().getX(), -0.5f, 0.01f);
    EXPECT_NEAR(frame.getBounds().getRight(), 100.5f, 0.01f);

    // The other frames are open lines of their arm lengths.
    const auto mod = paths->getModFramePath(), slider = paths->getSliderFramePath();
    EXPECT_EQ(mod.getBounds(), juce::Rectangle<float>(0.0f, 0.0f, 100.0f, 100.0f));
    for (const auto* open : {&mod, &slider})
    {
        juce::Path::Iterator lines(*open);
        while (lines.next())
            EXPECT_NE(lines.elementType, juce::Path::Iterator::closePath);
    }
    juce::Path::Iterator it(slider);
    ASSERT_TRUE(it.next());
    EXPECT_EQ(it.elementType, juce::Path::Iterator::startNewSubPath);
    EXPECT_FLOAT_EQ(it.y1, 10.0f);
    ASSERT_TRUE(it.next());
    ASSERT_TRUE(it.next());
    EXPECT_FLOAT_EQ(it.x1, 15.0f); // horizontal arm 15
    juce::Path::Iterator modIt(mod);
    ASSERT_TRUE(modIt.next());
    EXPECT_FLOAT_EQ(modIt.y1, 20.0f);

    EXPECT_EQ(paths->trianglePath.getBounds(), juce::Rectangle<float>(0.0f, 0.0f, 120.0f, 100.0f));
    EXPECT_TRUE(paths->trianglePath.contains(60.0f, 90.0f)); // points down

    // "32" fitted into the box at 95 % of its height; names clamp to 1..32.
    const auto last = paths->numberPaths[31].getBounds();
    EXPECT_TRUE(juce::Rectangle<float>(0.0f, 0.0f, 100.0f, 100.0f).contains(last));
    EXPECT_GT(last.getHeight(), 50.0f);
    EXPECT_GT(last.getWidth(), paths->numberPaths[0].getBounds().getWidth());
    struct Case
    {
        const char* name;
        int shown;
    };
    for (const auto& c : {Case{"12", 12}, Case{"abc", 1}, Case{"0", 1}, Case{"", 1}, Case{"40", 32}, Case{"-3", 1}})
        EXPECT_EQ(paths->numberPathForName(c.name).getBounds(), paths->numberPaths[(size_t) c.shown - 1].getBounds())
            << c.name;
}

TEST(LfoWavePath, WaveIconsByIndexTable)
{
    ZuShared<LfoWavePath> waves;

    // The sine arch reaches the top at i = 50 and runs from -11 to about 109.8.
    const auto sine = waves->getWavePath(0).getBounds();
    EXPECT_NEAR(sine.getX(), -11.0f, 0.01f);
    EXPECT_NEAR(sine.getRight(), 109.78f, 0.05f);
    EXPECT_NEAR(sine.getY(), 0.0f, 0.01f);
    EXPECT_NEAR(sine.getBottom(), 93.0f, 0.01f);

    struct Case
    {
        int index;
        juce::Rectangle<float> bounds;
    };
    const Case cases[] = {
        {1, {0, 20, 100, 73}},        // triangle
        {2, {0, 20, 100, 73}},        // rise
        {5, {10, 25, 80, 60}},        // single step up, 10 in from each side
        {6, {0, 20, 100, 73}},        // three steps
        {7, {0, 20, 100, 73}},        // four steps
        {8 + 3, {0, 16.5f, 100, 73}}, // the triangle flipped
        {8 + 11, {0, 20, 100, 73}},   // step down spans the full width
    };
    for (const auto& c : cases)
    {
        const auto b = waves->getWavePath(c.index).getBounds();
        EXPECT_NEAR(b.getX(), c.bounds.getX(), 0.01f) << c.index;
        EXPECT_NEAR(b.getY(), c.bounds.getY(), 0.01f) << c.index;
        EXPECT_NEAR(b.getWidth(), c.bounds.getWidth(), 0.01f) << c.index;
        EXPECT_NEAR(b.getHeight(), c.bounds.getHeight(), 0.01f) << c.index;
    }
    // The S-curve rise ends one unit short of the right edge.
    EXPECT_NEAR(waves->getWavePath(3).getBounds().getRight(), 99.0f, 0.01f);
    // The bias bar is filled, 1 thick.
    EXPECT_NEAR(waves->getSLfoWavePath(12).getBounds().getHeight(), 1.0f, 0.01f);
    EXPECT_EQ(waves->getSLfoWavePath(0).getBounds(), waves->getWavePath(0).getBounds());
    // Outside the tables: empty.
    EXPECT_TRUE(waves->getWavePath(21).isEmpty());
    EXPECT_TRUE(waves->getWavePath(-1).isEmpty());
    EXPECT_TRUE(waves->getSLfoWavePath(13).isEmpty());
}

TEST(LfoWavePath, OnlyTheRandomBuilderSetsTheStrokeWidth)
{
    const LfoWavePath::Builder builders[] = {
        LfoWavePath::drawSinPath,        LfoWavePath::drawSinRevPath,     LfoWavePath::drawTriPath,
        LfoWavePath::drawTriRevPath,     LfoWavePath::drawUpPath,         LfoWavePath::drawDownPath,
        LfoWavePath::drawUpCurve1Path,   LfoWavePath::drawDownCurve1Path, LfoWavePath::drawUpDownLin,
        LfoWavePath::drawDownUpLin,      LfoWavePath::drawRectUpPath,     LfoWavePath::drawRectDownPath,
        LfoWavePath::draw3StepsPath,     LfoWavePath::draw4StepsPath,     LfoWavePath::drawBiasPath,
        LfoWavePath::drawHypTriPath,     LfoWavePath::drawExpLogPath,     LfoWavePath::drawUpCurve2Path,
        LfoWavePath::drawDownCurve2Path, LfoWavePath::drawUpDownCurv};
    for (auto* build : builders)
    {
        juce::Path out;
        out.addRectangle(500.0f, 500.0f, 1.0f, 1.0f); // cleared first
        juce::Rectangle<float> box(0.0f, 0.0f, 100.0f, 100.0f);
        float width = 7.0f;
        build(out, box, width);
        EXPECT_EQ(width, 7.0f);
        EXPECT_FALSE(out.isEmpty());
        EXPECT_LT(out.getBounds().getRight(), 200.0f);
    }
    juce::Path out;
    juce::Rectangle<float> box(0.0f, 0.0f, 100.0f, 40.0f);
    float width = 7.0f;
    LfoWavePath::drawRandomPath(out, box, width);
    EXPECT_FLOAT_EQ(width, 4.0f);
    box.setHeight(5.0f);
    LfoWavePath::drawRandomPath(out, box, width);
    EXPECT_FLOAT_EQ(width, 1.0f);
}

TEST(LfoWavePath, SliderShapesStartAndEndOnTheBottomEdge)
{
    ZuShared<LfoWavePath> waves;
    juce::Rectangle<float> area(0.0f, 0.0f, 40.0f, 20.0f);
    for (int type = 0; type < LfoWavePath::numSliderTypes; ++type)
    {
        const auto p = waves->getPathForWaveSlider(type, 0.75f, area);
        ASSERT_FALSE(p.isEmpty()) << type;
        EXPECT_NEAR(p.getBounds().getBottom(), type == 1 || type == 3 ? 20.0f * (type == 1 ? 1.75f : 1.0f) : 20.0f,
                    1.01f)
            << type;
    }
    // The level of the bias shape is (1 - v) x h.
    EXPECT_NEAR(waves->getPathForWaveSlider(12, 0.75f, area).getBounds().getY(), 5.0f, 0.01f);
    EXPECT_TRUE(waves->getPathForWaveSlider(13, 0.5f, area).isEmpty());
    EXPECT_TRUE(waves->getPathForWaveSlider(-1, 0.5f, area).isEmpty());

    // The unmapped makers build their shapes too.
    for (auto* make : {LfoWavePath::makeUpC1Slider, LfoWavePath::makeUpC2Slider, LfoWavePath::makeDownC1Slider,
                       LfoWavePath::makeDownC2Slider})
    {
        juce::Path p;
        make(p, 0.5f, area);
        EXPECT_NEAR(p.getBounds().getY(), 10.0f, 0.5f);
    }
}
} // namespace
