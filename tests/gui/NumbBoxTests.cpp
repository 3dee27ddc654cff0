// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenWriter.h"
#include "SliderSheet.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
using namespace zutest::sliderColours;
using zutest::countNear;
using zutest::drawComponent;
using zutest::makeSlider;
using zutest::StyleProps;

std::unique_ptr<juce::Slider> numBox(const juce::String& name, double min, double max, double value,
                                     const StyleProps& props = {}, int w = 101, int h = 21)
{
    auto s = makeSlider(name, w, h, min, max, value);
    s->setRange(min, max, 1.0);
    s->setValue(value, juce::dontSendNotification);
    zutest::setProps(*s, props);
    return s;
}

TEST(NumberBoxes, ValueBarRules)
{
    const StyleProps uni{{ZuStyle::barflag, 1}, {ZuStyle::maxval, 20.0}};
    const StyleProps bi{{ZuStyle::barflag, 1}, {ZuStyle::bipolar, 1}, {ZuStyle::maxval, 10.0}};
    const juce::Rectangle<float> A(0.5f, 0.5f, 100.0f, 20.0f);
    struct Case
    {
        const char* what;
        double min, max, value;
        StyleProps props;
        juce::Rectangle<float> bar;
    };
    const std::vector<Case> cases = {
        {"unipolar at the range start: none", 10, 20, 10, uni, {}},
        {"one step above: v / maxval wide", 10, 20, 11, uni, {0.5f, 0.5f, 55.0f, 20.0f}},
        {"no barflag: none", 0, 20, 10, {{ZuStyle::maxval, 20.0}}, {}},
        {"above maxval runs past the box", 0, 40, 40, uni, {0.5f, 0.5f, 200.0f, 20.0f}},
        {"bipolar centre: none", -10, 10, 0, bi, {}},
        {"bipolar -maxval: left half", -10, 10, -10, bi, {0.5f, 0.5f, 50.0f, 20.0f}},
        {"bipolar +maxval: right half", -10, 10, 10, bi, {50.5f, 0.5f, 50.0f, 20.0f}},
        {"bipolar at its minimum still shows", -10, 10, -10, bi, {0.5f, 0.5f, 50.0f, 20.0f}},
        {"maxval 0: none", 0, 20, 5, {{ZuStyle::barflag, 1}, {ZuStyle::maxval, 0.0}}, {}},
    };
    for (const auto& c : cases)
    {
        auto s = numBox("V", c.min, c.max, c.value, c.props);
        EXPECT_EQ(ZuCLAF_CenterNumbBox::valueBar(*s, A), c.bar) << c.what;
    }

    // Drawn: the track colour fills the bar.
    ZuShared<ZuCLAF_CenterNumbBox> centre;
    auto atMin = numBox("V", 10, 20, 10, uni), above = numBox("V", 10, 20, 11, uni);
    EXPECT_EQ(countNear(drawComponent(*centre, *atMin), track, 10), 0);
    EXPECT_NEAR(countNear(drawComponent(*centre, *above), track, 10, {0, 1, 101, 1}), 55, 2);
}

// Count of pixels of colour in the left and right halves.
std::pair<int, int> halves(const juce::Image& image, juce::Colour colour, int tolerance = 10)
{
    const int w = image.getWidth(), h = image.getHeight();
    return {countNear(image, colour, tolerance, {0, 0, w / 2, h}),
            countNear(image, colour, tolerance, {w / 2 + 1, 0, w - w / 2 - 1, h})};
}

TEST(NumberBoxes, TextPlacementDisabledAndHover)
{
    ZuShared<ZuCLAF_CenterNumbBox> centre;
    ZuShared<ZuCLAF_Seq1NumbBox> seq1;
    ZuShared<ZuCLAF_CcNumbBox> cc;
    ZuShared<ZuCLAF_CenterNumbBox2> centre2;

    // A name shows at the left and the value at the right; no name: centred.
    auto named = numBox("V", 0, 127, 100, {}, 120, 24), unnamed = numBox("", 0, 127, 100, {}, 120, 24);
    const auto [nl, nr] = halves(drawComponent(*centre, *named), text, 60);
    const auto [ul, ur] = halves(drawComponent(*centre, *unnamed), text, 60);
    EXPECT_GT(nl, 2);
    EXPECT_GT(nr, 2);
    EXPECT_GT(ul, 2);
    EXPECT_GT(ur, 2);
    const auto unnamedInk = zutest::inkBoundsIn(drawComponent(*centre, *unnamed), {2, 2, 116, 20}, box);
    EXPECT_NEAR(unnamedInk.getCentreX(), 60, 4);

    // Disabled value, start/size and CC boxes: background and a dimmed outline only.
    for (juce::LookAndFeel* laf : std::initializer_list<juce::LookAndFeel*>{&centre.get(), &seq1.get(), &cc.get()})
    {
        auto s = numBox("V", 0, 127, 100, {{ZuStyle::barflag, 1}}, 120, 24);
        s->setEnabled(false);
        const auto image = drawComponent(*laf, *s);
        EXPECT_EQ(countNear(image, text, 60), 0);
        EXPECT_EQ(countNear(image, track, 10), 0);
        EXPECT_EQ(countNear(image, boxOutline, 10), 0); // dimmed
    }
    // The hover-framed box draws nothing when disabled and no frame at rest.
    auto s = numBox("", 0, 127, 100, {}, 120, 24);
    EXPECT_EQ(countNear(drawComponent(*centre2, *s), boxOutline, 60), 0);
    s->setEnabled(false);
    EXPECT_TRUE(zutest::inkBounds(drawComponent(*centre2, *s), juce::Colour(0xff000000)).isEmpty());

    // The CC box's arrow sits in the right fifth of the text area.
    auto ccBox = numBox("", 0, 127, 64, {}, 100, 24);
    const auto arrowInk = zutest::inkBoundsIn(drawComponent(*cc, *ccBox), {70, 2, 28, 20}, box);
    EXPECT_GT(arrowInk.getX(), 70);
    EXPECT_LE(arrowInk.getRight(), 90);
}

TEST(NumberBoxes, ValueTextComesFromTheSlider)
{
    ZuShared<ZuCLAF_CenterNumbBox> centre;
    ZuShared<ZuCLAF_Seq1NumbBox> seq1;
    ZuShared<ZuCLAF_ChainerStepNumbBoxSliderl> chainer;
    for (juce::LookAndFeel* laf : std::initializer_list<juce::LookAndFeel*>{&centre.get(), &seq1.get(), &chainer.get()})
    {
        auto plain = numBox("", 0, 8, 3, {}, 60, 20), named = numBox("", 0, 8, 3, {}, 60, 20);
        named->textFromValueFunction = [](double v)
        { return juce::String::charToString(juce::juce_wchar('A' + (int) v)); };
        EXPECT_FALSE(zutest::sameImage(drawComponent(*laf, *plain), drawComponent(*laf, *named)));
        auto same = numBox("", 0, 8, 3, {}, 60, 20);
        same->textFromValueFunction = [](double v) { return juce::String((int) v); };
        EXPECT_TRUE(zutest::sameImage(drawComponent(*laf, *plain), drawComponent(*laf, *same)));
    }
}

TEST(NumberBoxes, ChannelBoxes)
{
    struct Case
    {
        double value;
        int index, number;
    };
    for (const auto& c : {Case{0, 0, 1}, Case{-1, 0, 1}, Case{1, 1, 1}, Case{16, 16, 16}, Case{17, 16, 16},
                          Case{std::nan(""), 0, 1}, Case{1e30, 16, 16}})
    {
        EXPECT_EQ(ZuCLAF_ChNumbBox::channelIndex(c.value), c.index) << c.value;
        EXPECT_EQ(ZuCLAF_GMidiChBox::channelNumber(c.value), c.number) << c.value;
    }

    ZuShared<ZuCLAF_ChNumbBox> ch;
    ZuShared<ZuCLAF_GMidiChBox> global;
    auto draw = [](juce::LookAndFeel& laf, double v, bool enabled = true)
    {
        auto s = numBox("", -1, 17, 0, {}, 40, 30);
        s->setValue(v, juce::dontSendNotification);
        s->setEnabled(enabled);
        return drawComponent(laf, *s);
    };
    EXPECT_TRUE(zutest::sameImage(draw(*ch, 0), draw(*ch, -1)));
    EXPECT_TRUE(zutest::sameImage(draw(*ch, 17), draw(*ch, 16)));
    EXPECT_FALSE(zutest::sameImage(draw(*ch, 0), draw(*ch, 1)));
    EXPECT_GT(countNear(draw(*ch, 0), text, 40), 10);

    EXPECT_TRUE(zutest::sameImage(draw(*global, 0), draw(*global, 1)));
    EXPECT_FALSE(zutest::sameImage(draw(*global, 2), draw(*global, 1)));
    EXPECT_TRUE(zutest::sameImage(draw(*global, 0, false), draw(*global, 1)));
    EXPECT_GT(countNear(draw(*global, 0, false), text, 40), 5);
}

TEST(NumberBoxes, RandomRangeTransparentAndChainerTag)
{
    ZuShared<ZuCLAF_RndRngSlider> rnd;
    auto r = makeSlider("RndRange", 101, 20, 0.0, 1.0, 0.5);
    const auto [left, right] = halves(drawComponent(*rnd, *r), track);
    EXPECT_GT(left, 40 * 18);
    EXPECT_EQ(right, 0);
    r->setEnabled(false);
    const auto disabled = drawComponent(*rnd, *r);
    EXPECT_EQ(countNear(disabled, track, 10), 0);
    EXPECT_GT(countNear(disabled, background.interpolatedWith(box, 0.4f), 12), 1000);

    ZuShared<ZuCLAF_TranspBox> transparent;
    auto t = makeSlider("", 30, 30);
    t->setLookAndFeel(&transparent.get());
    juce::Image clear(juce::Image::ARGB, 30, 30, true);
    {
        juce::Graphics g(clear);
        t->paintEntireComponent(g, false);
    }
    t->setLookAndFeel(nullptr);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(clear.getPixelAt(x, y).getAlpha(), 0);
    bool clicks = false, childClicks = false;
    t->getInterceptsMouseClicks(clicks, childClicks);
    EXPECT_TRUE(clicks); // still a drag surface

    // Each chainer box draws from its own scaled copy: the prepared tag never
    // changes, and a box looks the same before and after other boxes.
    ZuShared<ZuCLAF_ChainerStepNumbBoxSliderl> chainer;
    const auto prepared = chainer->tagPath().getBounds();
    auto small = numBox("ChainerStep", 0, 8, 3, {}, 33, 17), large = numBox("ChainerStep", 0, 8, 3, {}, 97, 41);
    const auto first = drawComponent(*chainer, *small);
    for (int i = 0; i < 20; ++i)
    {
        drawComponent(*chainer, *large);
        drawComponent(*chainer, *small);
    }
    EXPECT_TRUE(zutest::sameImage(first, drawComponent(*chainer, *small)));
    EXPECT_EQ(chainer->tagPath().getBounds(), prepared);
    EXPECT_EQ(prepared, juce::Rectangle<float>(0.0f, 0.0f, 100.0f, 60.0f));
    EXPECT_GT(countNear(first, text, 60), 5);
}

TEST(NumberBoxScreens, AllNineMembers)
{
    ZuShared<ZuCLAF_CenterNumbBox> centre;
    ZuShared<ZuCLAF_Seq1NumbBox> seq1;
    ZuShared<ZuCLAF_CenterNumbBox2> centre2;
    ZuShared<ZuCLAF_CcNumbBox> cc;
    ZuShared<ZuCLAF_ChNumbBox> ch;
    ZuShared<ZuCLAF_GMidiChBox> global;
    ZuShared<ZuCLAF_ChainerStepNumbBoxSliderl> chainer;
    ZuShared<ZuCLAF_TranspBox> transparent;
    ZuShared<ZuCLAF_RndRngSlider> rnd;
    const StyleProps uni{{ZuStyle::barflag, 1}, {ZuStyle::maxval, 127.0}};
    const StyleProps bi{{ZuStyle::barflag, 1}, {ZuStyle::bipolar, 1}, {ZuStyle::maxval, 12.0}};
    auto cell = [](const juce::String& title, juce::LookAndFeel& laf, const juce::String& name, double min, double max,
                   double v, const StyleProps& props, bool enabled = true, int w = 90, int h = 22)
    {
        auto s = numBox(name, min, max, v, props, w, h);
        s->setEnabled(enabled);
        return zutest::SheetCell{title, drawComponent(laf, *s)};
    };
    std::vector<std::vector<zutest::SheetCell>> rows = {
        {cell("Center V 100", *centre, "V", 1, 127, 100, uni), cell("Center V at min", *centre, "V", 1, 127, 1, uni),
         cell("Center TP -6 bipolar", *centre, "", -12, 12, -6, bi),
         cell("Center disabled", *centre, "G", 0, 100, 50, uni, false)},
        {cell("Seq1 Size 16", *seq1, "Size", 1, 32, 16, {{ZuStyle::barflag, 1}, {ZuStyle::maxval, 32.0}}),
         cell("Seq1 Octave +2", *seq1, "Octave", -3, 3, 2,
              {{ZuStyle::barflag, 1}, {ZuStyle::bipolar, 1}, {ZuStyle::maxval, 3.0}}),
         cell("Seq1 no name", *seq1, "", 0, 1024, 8, {}), cell("Box2 value", *centre2, "", 0, 127, 64, {})},
        {cell("CC 74", *cc, "", 0, 127, 74, {}), cell("CC disabled", *cc, "", 0, 127, 74, {}, false),
         cell("Ch 0 (M)", *ch, "", 0, 16, 0, {}, true, 30, 22), cell("Ch 10", *ch, "", 0, 16, 10, {}, true, 30, 22),
         cell("Global ch 0", *global, "", 0, 16, 0, {}, true, 30, 22),
         cell("Global disabled", *global, "", 0, 16, 5, {}, false, 30, 22)},
        {cell("Chainer 3", *chainer, "ChainerStep", 0, 8, 3, {}, true, 40, 22),
         cell("Chainer disabled", *chainer, "ChainerStep", 0, 8, 3, {}, false, 40, 22),
         cell("Transparent", *transparent, "", 0, 1, 0.5, {}),
         {"RndRange 0.5", drawComponent(*rnd, *makeSlider("RndRange", 90, 14, 0.0, 1.0, 0.5))}}};
    EXPECT_TRUE(zutest::writeScreen(zutest::sheetOf(rows, 200, 60), "gui-number-boxes.png"));
}
} // namespace
