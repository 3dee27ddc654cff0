// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenWriter.h"
#include "SliderSheet.h"
#include "ZuCLAF_Knobs.h"
#include "ZuCLAF_SwingModKnobs.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
using namespace zutest::sliderColours;
using zutest::countHue;
using zutest::drawComponent;
using zutest::makeSlider;
using zutest::StyleProps;

// The six knob members, one shared instance each, as their holders keep them.
struct Knobs
{
    ZuShared<ZuCLAF_NormKnob> norm;
    ZuShared<ZuCLAF_ModFlatKnob> modFlat;
    ZuShared<ZuCLAF_MacroKnob> macro;
    ZuShared<ZuCLAF_Knob> knob;
    ZuShared<ZuCLAF_FlatKnob> flat;
    ZuShared<ZuCLAF_Seq1Knob> seq1;

    std::vector<std::pair<const char*, juce::LookAndFeel*>> all()
    {
        return {{"NormKnob", &norm.get()}, {"ModFlatKnob", &modFlat.get()}, {"MacroKnob", &macro.get()},
                {"Knob", &knob.get()},     {"FlatKnob", &flat.get()},       {"Seq1Knob", &seq1.get()}};
    }
};

StyleProps slot1(double depth, int polarity)
{
    return {{ZuStyle::mod1, depth}, {ZuStyle::polindex1, polarity}, {ZuStyle::mod1trkcolor, mod1.toString()}};
}

juce::Image knobImage(juce::LookAndFeel& laf, const juce::String& name, double value, const StyleProps& props,
                      bool enabled = true, int w = 60, int h = 60)
{
    auto s = makeSlider(name, w, h, 0.0, 1.0, value);
    zutest::setProps(*s, props);
    s->setEnabled(enabled);
    return drawComponent(laf, *s);
}

TEST(KnobMembers, UnassignedOrDisabledKnobsShowNoArcsPointerOrName)
{
    Knobs k;
    for (auto [what, laf] : k.all())
    {
        const auto assigned = knobImage(*laf, "1", 0.5, slot1(0.5, 0));
        EXPECT_GT(countHue(assigned, mod1), 10) << what;

        for (const bool enabled : {true, false})
        {
            const auto image = knobImage(*laf, enabled ? "----" : "1", 0.5, slot1(0.5, 0), enabled);
            EXPECT_EQ(countHue(image, mod1), 0) << what << " enabled " << enabled;
            EXPECT_EQ(zutest::countNear(image, fill, 20), 0) << what;
            EXPECT_EQ(zutest::countNear(image, juce::Colour(0xffeaeae1), 20), 0) << what;
            EXPECT_EQ(zutest::countNear(image, thumb, 20), 0) << what;
        }
    }
}

TEST(KnobMembers, ArcsFollowDepthPolarityAndTheEndOfTravel)
{
    Knobs k;
    const auto left = juce::Rectangle<int>(0, 0, 29, 60), right = juce::Rectangle<int>(31, 0, 29, 60);
    struct Case
    {
        const char* what;
        double value;
        StyleProps props;
        bool leftArc, rightArc;
    };
    const std::vector<Case> cases = {
        {"unipolar 0.5 from the top", 0.5, slot1(0.5, 0), false, true},
        {"polarity 2 is unipolar", 0.5, slot1(0.5, 2), false, true},
        {"bipolar both sides", 0.5, slot1(0.5, 1), true, true},
        {"negative depth runs backwards", 0.5, slot1(-0.5, 0), true, false},
        {"end of travel: empty", 1.0, slot1(0.5, 0), false, false},
        {"depth 0: nothing", 0.5, slot1(0.0, 1), false, false},
    };
    for (auto [what, laf] : k.all())
        for (const auto& c : cases)
        {
            if (laf == &k.seq1.get() && (c.leftArc && c.rightArc))
                continue; // no polarity on this member: covered below
            const auto image = knobImage(*laf, "1", c.value, c.props);
            EXPECT_EQ(countHue(image, mod1, left) > 3, c.leftArc) << what << ": " << c.what;
            EXPECT_EQ(countHue(image, mod1, right) > 3, c.rightArc) << what << ": " << c.what;
        }
    // The single-sequencer knob draws every slot one-sided.
    const auto image = knobImage(*k.seq1, "1", 0.5, slot1(0.5, 1));
    EXPECT_EQ(countHue(image, mod1, left), 0);
    EXPECT_GT(countHue(image, mod1, right), 3);

    // Slot 2 sits inside slot 1.
    const auto both = knobImage(*k.norm, "1", 0.5,
                                {{ZuStyle::mod1, 0.5},
                                 {ZuStyle::mod1trkcolor, mod1.toString()},
                                 {ZuStyle::mod2, 0.5},
                                 {ZuStyle::mod2trkcolor, mod2.toString()}});
    EXPECT_GT(countHue(both, mod2), 3);
    EXPECT_GT(countHue(both, mod1), 3);
}

TEST(KnobMembers, StepKnobEndLabelsAndCentreMarker)
{
    ZuShared<ZuCLAF_NormKnob> norm;
    const StyleProps centre{{ZuStyle::iscenter, 1}};
    const auto pan = knobImage(*norm, "Pan", 0.5, centre, true, 80, 80);
    const auto other = knobImage(*norm, "Gate", 0.5, centre, true, 80, 80);
    const auto plain = knobImage(*norm, "Gate", 0.5, {}, true, 80, 80);
    const juce::Rectangle<int> leftEnd(0, 58, 20, 15);
    EXPECT_FALSE(zutest::sameImage(pan, other, leftEnd)); // "L" against "-"
    EXPECT_GT(zutest::countNear(pan, zutest::onBlack(text.withAlpha(0.8f)), 40, leftEnd), 0);
    EXPECT_EQ(zutest::countNear(plain, zutest::onBlack(text.withAlpha(0.8f)), 40, leftEnd), 0);
    // The marker points down at the top centre.
    EXPECT_GT(zutest::countNear(other, zutest::onBlack(text.withAlpha(0.8f)), 60, {36, 0, 8, 3}), 0);
    EXPECT_EQ(zutest::countNear(plain, zutest::onBlack(text.withAlpha(0.8f)), 60, {36, 0, 8, 3}), 0);
}

TEST(KnobMembers, MacroKnobShowsTheNumberOfItsName)
{
    ZuShared<ZuCLAF_MacroKnob> macro;
    const juce::Rectangle<int> number(0, 49, 60, 10);
    const auto one = knobImage(*macro, "1", 0.5, {}), twelve = knobImage(*macro, "12", 0.5, {}),
               abc = knobImage(*macro, "abc", 0.5, {}), big = knobImage(*macro, "40", 0.5, {}),
               last = knobImage(*macro, "32", 0.5, {});
    EXPECT_TRUE(zutest::sameImage(one, abc, number));
    EXPECT_FALSE(zutest::sameImage(one, twelve, number));
    EXPECT_TRUE(zutest::sameImage(big, last, number));
    EXPECT_GT(zutest::countNear(twelve, text, 60, number), 2);
}

// One member instance draws knobs of the same radius at other centres and in
// other thumb colours in turn: each gets its own disc.
TEST(KnobMembers, CachingMembersDrawEachKnobAtItsOwnCentreInItsOwnColour)
{
    Knobs k;
    const juce::Colour thumbA(0xff40c040), thumbB(0xffc040c0);
    for (auto [what, laf] : std::vector<std::pair<const char*, juce::LookAndFeel*>>{
             {"ModFlatKnob", &k.modFlat.get()}, {"Knob", &k.knob.get()}, {"FlatKnob", &k.flat.get()}})
    {
        auto a = makeSlider("1", 60, 40), b = makeSlider("1", 100, 40);
        a->setColour(juce::Slider::thumbColourId, thumbA);
        b->setColour(juce::Slider::thumbColourId, thumbB);
        for (int round = 0; round < 2; ++round)
        {
            const auto imageA = drawComponent(*laf, *a), imageB = drawComponent(*laf, *b);
            // A point on the inner disc below the pointer: (cx, cy + 0.2 r).
            const auto atA = imageA.getPixelAt(30, 23), atB = imageB.getPixelAt(50, 23);
            EXPECT_LT(std::abs(atA.getHue() - thumbA.getHue()), 0.05f) << what << " " << atA.toString();
            EXPECT_LT(std::abs(atB.getHue() - thumbB.getHue()), 0.05f) << what << " " << atB.toString();
            EXPECT_EQ(countHue(imageB, thumbA), 0) << what;
            EXPECT_EQ(countHue(imageA, thumbB), 0) << what;
        }
    }
}

TEST(KnobMembers, ModFlatKnobPopupFontIsTenPixels)
{
    ZuShared<ZuCLAF_ModFlatKnob> modFlat;
    auto s = makeSlider("Rate", 40, 40);
    EXPECT_FLOAT_EQ(modFlat->getSliderPopupFont(*s).getHeight(), 10.0f);
}

TEST(SwingKnob, ValueTexts)
{
    struct Case
    {
        const char* name;
        float value;
        const char* text;
    };
    const Case cases[] = {{"Swing", 0.5f, "+50 %"},   {"Swing", 0.0f, "0 %"}, {"Swing", -0.255f, "-25 %"},
                          {"Swing", -0.25f, "-25 %"}, {"TP", 7.0f, "+7"},     {"OCT", -1.7f, "-1"},
                          {"OCT", -2.0f, "-2"},       {"TP", 0.0f, "0"},      {"Other", 0.5f, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(ZuCLAF_SwingKnob::valueText(c.name, c.value), c.text) << c.name << " " << c.value;
}

TEST(SwingKnob, TitleValueAndMarksOnlyWhenActive)
{
    ZuShared<ZuCLAF_SwingKnob> swing;
    auto draw = [&](const juce::String& name, bool enabled)
    {
        auto s = makeSlider(name, 80, 100, -1.0, 1.0, 0.5);
        s->getProperties().set(ZuStyle::iscenter, 1);
        s->setEnabled(enabled);
        return drawComponent(*swing, *s);
    };
    const juce::Rectangle<int> label(0, 70, 80, 30), marks(0, 58, 80, 12);
    const auto active = draw("Swing", true), unnamed = draw("Other", true), disabled = draw("Swing", false),
               unassigned = draw("----", true);
    EXPECT_GT(zutest::countNear(active, text, 40, label), 20);
    EXPECT_EQ(zutest::countNear(unnamed, text, 40, label), 0);
    EXPECT_GT(zutest::countNear(unnamed, text, 60, marks), 0);
    for (const auto* image : {&disabled, &unassigned})
    {
        EXPECT_EQ(zutest::countNear(*image, text, 40, label), 0);
        EXPECT_EQ(zutest::countNear(*image, text, 60, marks), 0);
        EXPECT_GT(zutest::countNear(*image, zutest::onBlack(text.withAlpha(0.8f)), 60, {30, 0, 20, 4}),
                  0); // marker stays
    }
}

juce::Image modKnobImage(ZuCLAF_ModKnob& laf, const StyleProps& props, double amount, bool enabled = true)
{
    auto s = makeSlider("amount", 40, 40, -1.0, 1.0, amount);
    s->setRotaryParameters(3.2986722f, 9.26769829f, true);
    zutest::setProps(*s, props);
    s->setEnabled(enabled);
    return drawComponent(laf, *s);
}

TEST(ModKnob, SourceNumberRingIndicatorAndAddIcon)
{
    ZuShared<ZuCLAF_ModKnob> mod;
    const StyleProps uni{{ZuStyle::modsrc, "3"}}, bi{{ZuStyle::modsrc, "3"}, {ZuStyle::polindex, 1}};
    const auto ring = track.brighter(0.05f).brighter(0.8f);
    const juce::Rectangle<int> top(0, 0, 40, 16), bottom(0, 24, 40, 16), centre(12, 12, 16, 16);

    // "12" shows 8, like "8".
    EXPECT_TRUE(zutest::sameImage(modKnobImage(*mod, {{ZuStyle::modsrc, "12"}}, 0.0),
                                  modKnobImage(*mod, {{ZuStyle::modsrc, "8"}}, 0.0)));
    EXPECT_FALSE(zutest::sameImage(modKnobImage(*mod, {{ZuStyle::modsrc, "3"}}, 0.0),
                                   modKnobImage(*mod, {{ZuStyle::modsrc, "8"}}, 0.0)));

    // Amount 0 with a unipolar source: no ring, the number still shows.
    const auto zero = modKnobImage(*mod, uni, 0.0);
    EXPECT_EQ(zutest::countNear(zero, ring, 20), 0);
    EXPECT_GT(zutest::countNear(zero, text, 40, centre), 5);
    const auto half = modKnobImage(*mod, uni, 0.5);
    EXPECT_GT(zutest::countNear(half, ring, 20), 10);

    // Bipolar: a band at the top for a positive amount, at the foot for a negative one.
    const auto up = modKnobImage(*mod, bi, 0.5), down = modKnobImage(*mod, bi, -0.5);
    EXPECT_GT(zutest::countNear(up, ring, 20, top), 10);
    EXPECT_EQ(zutest::countNear(up, ring, 20, bottom), 0);
    EXPECT_GT(zutest::countNear(down, ring, 20, bottom), 10);
    EXPECT_EQ(zutest::countNear(down, ring, 20, top), 0);

    // The blink's lit disc, even with no source.
    const auto lit = modKnobImage(*mod, {{ZuStyle::indicator, 1}}, 0.0);
    EXPECT_GT(zutest::countNear(lit, zutest::onBlack(text.brighter(0.3f).withAlpha(0.8f)), 40, centre), 100);

    // No source: the add icon, filled while enabled, outlined when disabled,
    // also when a source is assigned; its plus is a hole.
    const auto add = modKnobImage(*mod, {}, 0.5);
    const auto addDisabled = modKnobImage(*mod, {}, 0.5, false);
    const auto assignedDisabled = modKnobImage(*mod, uni, 0.5, false);
    const int filled = zutest::countNear(add, outline, 20);
    EXPECT_GT(filled, 400);
    EXPECT_EQ(add.getPixelAt(20, 20), juce::Colour(0xff000000));
    EXPECT_LT(zutest::countNear(addDisabled, outline.darker(0.1f), 40), filled / 3);
    EXPECT_GT(zutest::countNear(addDisabled, outline.darker(0.1f), 40), 20);
    EXPECT_TRUE(zutest::sameImage(addDisabled, assignedDisabled));
    EXPECT_EQ(zutest::countNear(add, ring, 20), 0);
}

TEST(ModKnob, RingGeometry)
{
    const float start = 3.2986722f, end = 9.26769829f;
    // Unipolar: starts 0.1 rad off the top on the side the amount points to.
    const auto plus = ZuCLAF_ModKnob::ring(50.0f, 50.0f, 40.0f, 0.75f, start, end, false, 0.5);
    EXPECT_TRUE(plus.contains(50.0f + 37.0f * std::sin(0.5f), 50.0f - 37.0f * std::cos(0.5f)));
    EXPECT_FALSE(plus.contains(50.0f + 37.0f * std::sin(0.05f), 50.0f - 37.0f * std::cos(0.05f)));
    EXPECT_FALSE(plus.contains(50.0f - 37.0f * std::sin(0.5f), 50.0f - 37.0f * std::cos(0.5f)));
    EXPECT_TRUE(ZuCLAF_ModKnob::ring(50.0f, 50.0f, 40.0f, 0.5f, start, end, false, 0.0).isEmpty());
    // Bipolar -0.5: 0.38 pi either side of 6 o'clock.
    const auto minus = ZuCLAF_ModKnob::ring(50.0f, 50.0f, 40.0f, 0.25f, start, end, true, -0.5);
    const float inside = 0.36f * juce::MathConstants<float>::pi, outside = 0.4f * juce::MathConstants<float>::pi;
    EXPECT_TRUE(minus.contains(50.0f + 37.0f * std::sin(inside), 50.0f + 37.0f * std::cos(inside)));
    EXPECT_FALSE(minus.contains(50.0f + 37.0f * std::sin(outside), 50.0f + 37.0f * std::cos(outside)));
}

TEST(KnobScreens, KnobsWithArcsAndPolarities)
{
    Knobs k;
    ZuShared<ZuCLAF_SwingKnob> swing;
    ZuShared<ZuCLAF_ModKnob> mod;
    const StyleProps both{{ZuStyle::mod1, 0.4},
                          {ZuStyle::mod1trkcolor, mod1.toString()},
                          {ZuStyle::mod2, -0.3},
                          {ZuStyle::mod2trkcolor, mod2.toString()}};
    StyleProps bipolar = both;
    bipolar.push_back({ZuStyle::polindex1, 1});
    bipolar.push_back({ZuStyle::polindex2, 1});
    StyleProps centred = bipolar;
    centred.push_back({ZuStyle::iscenter, 1});

    std::vector<std::vector<zutest::SheetCell>> rows;
    for (auto [what, laf] : k.all())
    {
        auto cell = [&, laf = laf](const juce::String& title, const juce::String& name, double v,
                                   const StyleProps& props, bool enabled = true) {
            return zutest::SheetCell{title, knobImage(*laf, name, v, props, enabled, 56, 56)};
        };
        rows.push_back({{what, knobImage(*laf, "----", 0.3, both, true, 56, 56)},
                        cell("unipolar", "7", 0.3, both),
                        cell("bipolar", "7", 0.6, bipolar),
                        cell("centre", laf == &k.norm.get() ? "Pan" : "12", 0.5, centred),
                        cell("end", "32", 1.0, both),
                        cell("disabled", "7", 0.3, both, false)});
        auto hovered = makeSlider("7", 56, 56, 0.0, 1.0, 0.3);
        zutest::setProps(*hovered, both);
        rows.back().push_back({"hovered", zutest::drawHovered(*laf, *hovered)});
    }
    std::vector<zutest::SheetCell> extra;
    for (auto [name, v] : {std::pair<const char*, double>{"Swing", 0.5}, {"TP", 7.0}, {"OCT", -1.7}})
    {
        auto s = makeSlider(name, 60, 80, -12.0, 12.0, v);
        s->getProperties().set(ZuStyle::iscenter, 1);
        extra.push_back({juce::String("Swing knob ") + name, drawComponent(*swing, *s)});
    }
    extra.push_back({"ModKnob add", modKnobImage(*mod, {}, 0.5)});
    extra.push_back({"ModKnob uni 0.6", modKnobImage(*mod, {{ZuStyle::modsrc, "3"}}, 0.6)});
    extra.push_back({"ModKnob bi -0.5", modKnobImage(*mod, {{ZuStyle::modsrc, "5"}, {ZuStyle::polindex, 1}}, -0.5)});
    rows.push_back(extra);
    EXPECT_TRUE(zutest::writeScreen(zutest::sheetOf(rows, 150, 170), "gui-knobs.png"));
}
} // namespace
