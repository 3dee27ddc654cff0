// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderSheet.h"
#include "ZuCLAF_Knobs.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuCLAF_Sliders.h"
#include "ZuCLAF_SwingModKnobs.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

// Members that draw a frame or a brighter outline while the mouse is over
// their slider, driven through a real mouse move on the slider's window.
namespace
{
using namespace zutest::sliderColours;
using zutest::countNear;
using zutest::drawComponent;
using zutest::drawHovered;
using zutest::makeSlider;

TEST(HoverStates, MouseOverTheSliderIsSeenByTheMembers)
{
    auto s = makeSlider("1", 40, 40);
    {
        zutest::HoverScope hover(*s);
        EXPECT_TRUE(s->isMouseOverOrDragging());
    }
    EXPECT_FALSE(s->isMouseOverOrDragging());
}

TEST(HoverStates, KnobFramesOnlyOnActiveKnobs)
{
    ZuShared<ZuCLAF_NormKnob> norm;
    ZuShared<ZuCLAF_MacroKnob> macro;
    ZuShared<ZuCLAF_SwingKnob> swing;
    const juce::Rectangle<int> corner(0, 0, 4, 4);
    struct Case
    {
        const char* what;
        juce::LookAndFeel* laf;
        juce::String name;
        bool enabled, frame;
    };
    const Case cases[] = {{"step knob", &norm.get(), "3", true, true},
                          {"step knob unassigned", &norm.get(), "----", true, false},
                          {"step knob disabled", &norm.get(), "3", false, false},
                          {"macro knob", &macro.get(), "3", true, true},
                          {"swing knob", &swing.get(), "Swing", true, true}};
    for (const auto& c : cases)
    {
        auto s = makeSlider(c.name, 60, 60);
        s->setEnabled(c.enabled);
        const auto rest = drawComponent(*c.laf, *s);
        const auto hovered = drawHovered(*c.laf, *s);
        EXPECT_TRUE(zutest::sameImage(rest, drawComponent(*c.laf, *s))) << c.what;
        EXPECT_EQ(!zutest::sameImage(rest, hovered, corner), c.frame) << c.what;
    }
}

TEST(HoverStates, ModKnobFrameAndBoxOutlines)
{
    ZuShared<ZuCLAF_ModKnob> mod;
    auto amount = makeSlider("amount", 40, 40, -1.0, 1.0, 0.0);
    const auto frame = boxOutline.darker(0.5f);
    EXPECT_EQ(countNear(drawComponent(*mod, *amount), frame, 30), 0);
    EXPECT_GT(countNear(drawHovered(*mod, *amount), frame, 30), 20);

    // Value box: outline brightness x 3.5; start/size box: brighter(1.2).
    ZuShared<ZuCLAF_CenterNumbBox> centre;
    ZuShared<ZuCLAF_Seq1NumbBox> seq1;
    auto value = makeSlider("", 80, 20, 0.0, 10.0, 5.0);
    const juce::Rectangle<int> top(20, 0, 40, 1);
    const auto restTop = zutest::brightest(drawComponent(*centre, *value), top);
    const auto hoverTop = zutest::brightest(drawHovered(*centre, *value), top);
    EXPECT_GT(hoverTop.getBrightness(), restTop.getBrightness() + 0.1f);
    EXPECT_GT(zutest::brightest(drawHovered(*seq1, *value), top).getBrightness(),
              zutest::brightest(drawComponent(*seq1, *value), top).getBrightness() + 0.05f);
}

TEST(HoverStates, SliderOutlines)
{
    ZuShared<ZuCLAF_MSlider> m;
    auto bar = makeSlider("1", 24, 100, 0.0, 1.0, 0.0, juce::Slider::LinearBarVertical);
    const auto frame = thumb.brighter(0.1f);
    EXPECT_EQ(countNear(drawComponent(*m, *bar), frame, 20), 0);
    EXPECT_GT(countNear(drawHovered(*m, *bar), frame, 20), 100);

    ZuShared<ZuCLAF_CenterRelSlider> rel;
    auto strip = makeSlider("4", 30, 120, -12.0, 12.0, 0.0, juce::Slider::LinearBarVertical);
    const juce::Rectangle<int> side(1, 40, 2, 10);
    EXPECT_GT(zutest::brightest(drawHovered(*rel, *strip), side).getBrightness(),
              zutest::brightest(drawComponent(*rel, *strip), side).getBrightness());
}
} // namespace
