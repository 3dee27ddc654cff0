// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenWriter.h"
#include "SliderSheet.h"
#include "ZuCLAF_Sliders.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
using namespace zutest::sliderColours;
using zutest::countNear;
using zutest::drawComponent;
using zutest::makeSlider;
using zutest::StyleProps;

std::unique_ptr<juce::Slider> bar(const juce::String& name, double min, double max, double value, int w = 24,
                                  int h = 120)
{
    return makeSlider(name, w, h, min, max, value, juce::Slider::LinearBarVertical);
}

TEST(SliderMembers, MSliderBarRisesFromTheBottom)
{
    ZuShared<ZuCLAF_MSlider> m;
    auto full = bar("1", 0, 1, 1), empty = bar("2", 0, 1, 0), half = bar("3", 0, 1, 0.5);
    full->getProperties().set(ZuStyle::bgcolor, juce::Colour(0xff112233).toString());
    const auto fullImage = drawComponent(*m, *full);
    // The bar area is the slider less the 1-pixel border JUCE draws round bars.
    const juce::Rectangle<int> inner(1, 1, 22, 118);
    EXPECT_EQ(countNear(fullImage, track, 4, inner), 22 * 118);
    EXPECT_EQ(countNear(drawComponent(*m, *empty), track, 40), 0);
    const auto halfInk = zutest::inkBoundsIn(drawComponent(*m, *half), inner, background);
    EXPECT_NEAR(halfInk.getY(), 60, 2);
    EXPECT_EQ(halfInk.getBottom(), 119);
    full->setEnabled(false);
    const auto disabled = drawComponent(*m, *full);
    EXPECT_EQ(countNear(disabled, background, 0, inner), 22 * 118);
}

TEST(SliderMembers, SemitoneTextSignFollowsTheUnroundedValue)
{
    struct Case
    {
        double value;
        const char* text;
    };
    for (const auto& c : {Case{1.0, "+1 st"}, Case{0.4, "+0 st"}, Case{0.0, "0 st"}, Case{-0.6, "-1 st"},
                          Case{3.0, "+3 st"}, Case{-2.0, "-2 st"}, Case{std::nan(""), "0 st"}})
        EXPECT_EQ(ZuCLAF_RelSlider::semitoneText(c.value), c.text) << c.value;
}

TEST(SliderMembers, RelativeStripNumbersAndThumb)
{
    ZuShared<ZuCLAF_RelSlider> rel;
    auto draw = [&](const juce::String& name, int h)
    {
        auto s = bar(name, -12, 12, 3, 30, h);
        return drawComponent(*rel, *s);
    };
    const juce::Rectangle<int> foot(0, 100, 30, 20);
    EXPECT_TRUE(zutest::sameImage(draw("40", 120), draw("32", 120), foot));
    EXPECT_TRUE(zutest::sameImage(draw("0", 120), draw("", 120), foot));
    EXPECT_TRUE(zutest::sameImage(draw("", 120), draw("1", 120), foot));
    EXPECT_FALSE(zutest::sameImage(draw("2", 120), draw("1", 120), foot));
    // Under 66.7 pixels high the number is 6 pixels high.
    const auto eight = draw("8", 60), one = draw("1", 60);
    EXPECT_TRUE(zutest::sameImage(eight, one, {0, 0, 30, 53}));
    EXPECT_FALSE(zutest::sameImage(eight, one, {0, 53, 30, 6}));
    // The thumb is filled in the thumb colour.
    EXPECT_GT(countNear(draw("1", 120), thumb, 10), 50);
}

TEST(SliderMembers, CenterRelSliderModulationLinesByPolarity)
{
    ZuShared<ZuCLAF_CenterRelSlider> rel;
    auto draw = [&](const StyleProps& props, double value = 0.0)
    {
        auto s = bar("5", -12, 12, value, 30, 120);
        zutest::setProps(*s, props);
        return drawComponent(*rel, *s);
    };
    auto slot = [](double depth, int polarity)
    {
        return StyleProps{
            {ZuStyle::mod1, depth}, {ZuStyle::polindex1, polarity}, {ZuStyle::mod1trkcolor, mod1.toString()}};
    };
    // The thumb is at the middle (value 0): lines above and below it.
    const juce::Rectangle<int> above(0, 0, 15, 52), below(0, 68, 15, 52);
    struct Case
    {
        const char* what;
        StyleProps props;
        bool up, down;
    };
    const std::vector<Case> cases = {{"depth 0", slot(0.0, 1), false, false},
                                     {"polarity 0: up", slot(0.3, 0), true, false},
                                     {"polarity 1: both", slot(0.3, 1), true, true},
                                     {"polarity 2: none", slot(0.3, 2), false, false}};
    for (const auto& c : cases)
    {
        const auto image = draw(c.props);
        EXPECT_EQ(zutest::countHue(image, mod1, above) > 3, c.up) << c.what;
        EXPECT_EQ(zutest::countHue(image, mod1, below) > 3, c.down) << c.what;
    }
    // The default slot colour.
    EXPECT_GT(zutest::countHue(draw({{ZuStyle::mod2, 0.3}}), juce::Colour(0xffe4007f)), 3);

    EXPECT_FLOAT_EQ(ZuCLAF_CenterRelSlider::rotaryPosition(-12.0), 1.0f);
    EXPECT_NEAR(ZuCLAF_CenterRelSlider::rotaryPosition(12.0), 0.04f, 1e-6f);
    EXPECT_NEAR(ZuCLAF_CenterRelSlider::rotaryPosition(0.0), 0.52f, 1e-6f);

    // The rotary form puts -12 at the bottom.
    auto rotary = makeSlider("5", 30, 120, -12.0, 12.0, -12.0);
    const auto low = zutest::inkBoundsIn(drawComponent(*rel, *rotary), {3, 62, 24, 56}, background.darker(0.15f));
    EXPECT_GT(low.getY(), 100);
}

TEST(SliderScreens, BarsAndStrips)
{
    ZuShared<ZuCLAF_MSlider> m;
    ZuShared<ZuCLAF_RelSlider> rel;
    ZuShared<ZuCLAF_CenterRelSlider> centre;
    std::vector<zutest::SheetCell> bars, rels, centres;
    for (int i = 0; i < 8; ++i)
    {
        auto s = bar(juce::String(i + 1), 0, 1, (double) i / 7.0, 16, 80);
        s->setEnabled(i != 5);
        bars.push_back({"MSlider " + juce::String(i + 1), drawComponent(*m, *s)});
    }
    for (double v : {-12.0, -0.6, 0.0, 0.4, 7.0})
    {
        auto s = bar("3", -12, 12, v, 30, 120);
        rels.push_back({"Rel " + juce::String(v), drawComponent(*rel, *s)});
    }
    const StyleProps modUp{{ZuStyle::mod1, 0.3},
                           {ZuStyle::mod1trkcolor, mod1.toString()},
                           {ZuStyle::mod2, 0.2},
                           {ZuStyle::polindex2, 1},
                           {ZuStyle::mod2trkcolor, mod2.toString()}};
    for (double v : {-12.0, -4.0, 0.0, 5.0, 12.0})
    {
        auto s = bar("17", -12, 12, v, 30, 120);
        zutest::setProps(*s, modUp);
        centres.push_back({"CenterRel " + juce::String(v), drawComponent(*centre, *s)});
    }
    auto disabled = bar("17", -12, 12, 0, 30, 120);
    disabled->setEnabled(false);
    centres.push_back({"CenterRel disabled", drawComponent(*centre, *disabled)});
    EXPECT_TRUE(zutest::writeScreen(zutest::sheetOf({bars, rels, centres}, 130, 250), "gui-sliders.png"));
}
} // namespace
