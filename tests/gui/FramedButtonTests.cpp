// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonSheet.h"
#include "ScreenWriter.h"
#include "ZuCLAF_FramedButtons.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour black(0xff000000);
const juce::Colour textOff(0xffb0b0b0), textOn(0xffffe060), onColour(0xff2fa0e0), buttonColour(0xff3a4a5a);

using zutest::countNear;
using zutest::drawButton;
using zutest::makeButton;

bool sameImage(const juce::Image& a, const juce::Image& b)
{
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt(x, y) != b.getPixelAt(x, y))
                return false;
    return true;
}

TEST(FramedButtonMembers, ConnectedEdgesSquareTheirCorners)
{
    ZuCLAF_DirButton dir;
    ZuCLAF_SnapButton snap;
    ZuCLAF_OctButton oct;
    for (juce::LookAndFeel* laf : std::initializer_list<juce::LookAndFeel*>{&dir, &snap, &oct})
    {
        auto b = makeButton("x", 40, 24);
        b->getProperties().set(ZuStyle::curvefactor, 6.0);
        b->setConnectedEdges(juce::Button::ConnectedOnRight);
        const auto image = drawButton(*laf, *b, false, false, juce::Colour(0xffff00ff));
        const auto magenta = juce::Colour(0xffff00ff);
        EXPECT_NE(image.getPixelAt(39, 0), magenta); // filled right corners
        EXPECT_NE(image.getPixelAt(39, 23), magenta);
        b->setConnectedEdges(0);
        const auto loose = drawButton(*laf, *b, false, false, magenta);
        if (laf == &dir)
        {
            EXPECT_EQ(loose.getPixelAt(39, 0), magenta) << "rounded, empty corner";
            EXPECT_EQ(loose.getPixelAt(0, 23), magenta);
        }
        else if (laf == &snap) // the snapshot button fills "bgcolor" behind its frame
        {
            EXPECT_EQ(loose.getPixelAt(39, 0), black);
        }
    }
}

struct FramedCase
{
    const char* what;
    juce::LookAndFeel* laf;
    juce::String text;
    zutest::StyleProps props;
    bool toggled, enabled, highlighted, down;
    juce::Colour colour; // must show in at least atLeast pixels
    int atLeast;
    juce::Colour absent; // must not show (transparent: no check)
};

TEST(FramedButtonMembers, EdgeCases)
{
    ZuCLAF_DirButton dir;
    ZuCLAF_ArrowButton arrow;
    ZuCLAF_SnapButton snap;
    ZuCLAF_MwScrlButton mw;
    ZuCLAF_OctButton oct;
    const juce::Colour none(0x00000000), red(0xffff0000), dark(0xff202020);
    const std::vector<FramedCase> cases = {
        {"Dir ? draws text", &dir, "?", {}, false, true, false, false, textOff, 1, none},
        {"Dir ? with svgflag draws nothing inside",
         &dir,
         "?",
         {{ZuStyle::svgflag, 1}},
         false,
         true,
         false,
         false,
         none,
         0,
         textOff},
        {"Dir disabled: frame, no label", &dir, ">", {}, false, false, false, false, buttonColour, 500, textOff},
        {"Dir active: on colour", &dir, "N", {}, true, true, false, false, onColour, 500, none},
        {"Arrow toggled keeps text-off", &arrow, "right", {}, true, true, false, false, textOff, 10, textOn},
        {"Arrow pressed: text-on", &arrow, "right", {}, false, true, true, true, textOn, 10, textOff},
        {"Arrow disabled: no label", &arrow, "dice", {}, false, false, false, false, buttonColour, 500, textOff},
        {"Arrow unknown text: no icon", &arrow, "diagonal", {}, false, true, false, false, buttonColour, 700, textOff},
        {"Snap disabled: no letter", &snap, "3", {}, false, false, false, false, buttonColour, 500, textOff},
        {"MwScrl disabled: no label", &mw, "onoff", {}, false, false, false, false, buttonColour, 500, textOff},
        {"Oct disabled: dark frame only", &oct, "0", {}, true, false, false, false, dark, 60, buttonColour},
        {"Oct active: on colour", &oct, "0", {}, false, true, false, true, onColour, 600, none},
        {"Oct hovered: focus colour",
         &oct,
         "0",
         {{ZuStyle::focuscolor, "ffff0000"}},
         false,
         true,
         true,
         false,
         red,
         60,
         none},
    };
    for (const auto& c : cases)
    {
        auto b = makeButton(c.text, 40, 24);
        zutest::configure(*b, {}, c.props, c.toggled, c.enabled);
        const auto image = drawButton(*c.laf, *b, c.highlighted, c.down);
        zutest::expectColours(image, c.colour, c.atLeast, c.absent, c.what);
    }
}

TEST(FramedButtonMembers, DirButtonOutlineIsOpaqueBlackByDefault)
{
    ZuCLAF_DirButton dir;
    auto b = makeButton("", 40, 24);
    const auto opaque = drawButton(dir, *b, false, false, juce::Colours::white).getPixelAt(20, 0);
    b->setEnabled(false);
    const auto dim = drawButton(dir, *b, false, false, juce::Colours::white).getPixelAt(20, 0);
    EXPECT_LT(opaque.getRed() + 20, dim.getRed());

    // Half-transparent red is drawn opaque: the half-covered edge row shows
    // half of full red, not a quarter.
    b->setEnabled(true);
    b->getProperties().set(ZuStyle::outlinecolor, "80ff0000");
    const auto red = drawButton(dir, *b, false, false, black).getPixelAt(20, 0);
    EXPECT_GT(red.getRed(), 0x70);
    EXPECT_LT(red.getGreen(), 0x40);
}

TEST(FramedButtonMembers, DirMenuIsTextUnlessSvgflag)
{
    ZuCLAF_DirButton dir;
    auto b = makeButton("Menu", 60, 24);
    const juce::Rectangle<int> inner(3, 3, 54, 18);
    const auto text = zutest::inkBoundsIn(drawButton(dir, *b, false, false), inner, buttonColour);
    b->getProperties().set(ZuStyle::svgflag, 1);
    const auto icon = drawButton(dir, *b, false, false);
    const auto iconInk = zutest::inkBoundsIn(icon, inner, buttonColour);
    EXPECT_FALSE(iconInk.isEmpty());
    // The three bars: a full-width run of text-off pixels on three rows.
    int barRows = 0;
    for (int y = iconInk.getY(); y < iconInk.getBottom(); ++y)
        barRows +=
            countNear(icon, textOff, 60, {iconInk.getX() + 3, y, iconInk.getWidth() - 6, 1}) == iconInk.getWidth() - 6
                ? 1
                : 0;
    EXPECT_GE(barRows, 3);
    EXPECT_NE(text, iconInk);
}

TEST(FramedButtonMembers, SnapLettersClampTheirIndex)
{
    EXPECT_EQ(ZuCLAF_SnapButton::letterIndex("0"), 0);
    EXPECT_EQ(ZuCLAF_SnapButton::letterIndex("7"), 7);
    EXPECT_EQ(ZuCLAF_SnapButton::letterIndex("9"), 7);
    EXPECT_EQ(ZuCLAF_SnapButton::letterIndex(""), 0);
    EXPECT_EQ(ZuCLAF_SnapButton::letterIndex("-3"), 0);
    EXPECT_EQ(ZuCLAF_SnapButton::letterIndex("abc"), 0);

    ZuCLAF_SnapButton snap;
    const auto render = [&](const char* text)
    {
        auto b = makeButton(text, 30, 30);
        return drawButton(snap, *b, false, false);
    };
    EXPECT_TRUE(sameImage(render("9"), render("7")));
    EXPECT_TRUE(sameImage(render(""), render("0")));
    EXPECT_FALSE(sameImage(render("1"), render("0")));
}

TEST(FramedButtonMembers, MwScrlOnOffFollowsActive)
{
    ZuCLAF_MwScrlButton mw;
    auto b = makeButton("onoff", 60, 24);
    const juce::Rectangle<int> inner(3, 3, 54, 18);
    const auto off = zutest::inkBoundsIn(drawButton(mw, *b, false, false), inner, buttonColour);
    const auto on = zutest::inkBoundsIn(drawButton(mw, *b, false, true), inner, onColour);
    EXPECT_GT(off.getWidth(), on.getWidth()); // "OFF" is wider than "ON"
    b->setButtonText("Edit");
    EXPECT_GT(countNear(drawButton(mw, *b, false, false), textOff, 30), 10);
}

TEST(Screens, FramedButtonMembers)
{
    ZuCLAF_DirButton dir;
    ZuCLAF_ArrowButton arrow;
    ZuCLAF_SnapButton snap;
    ZuCLAF_MwScrlButton mw;
    ZuCLAF_OctButton oct;
    const auto text = [](const char* t, int flag = 0)
    {
        return [t, flag](juce::TextButton& b)
        {
            b.setButtonText(t);
            ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff101010));
            if (flag != 0)
                b.getProperties().set(ZuStyle::svgflag, flag);
        };
    };
    std::vector<zutest::SheetRow> rows;
    for (const char* t : {">", "<", "><1", "><2", "?", "N", "Replace"})
        rows.push_back({juce::String("DirButton \"") + t + "\"", &dir, text(t), 60, 24});
    rows.push_back({"DirButton \"Menu\" svgflag 1", &dir, text("Menu", 1), 60, 24});
    for (const char* t : {"right", "left", "up", "down", "dice"})
        rows.push_back({juce::String("ArrowButton \"") + t + "\"", &arrow, text(t), 30, 30});
    for (const char* t : {"0", "7", "9"})
        rows.push_back({juce::String("SnapButton \"") + t + "\"", &snap, text(t), 30, 30});
    rows.push_back({"MwScrlButton \"onoff\"", &mw, text("onoff"), 60, 24});
    rows.push_back({"OctButton", &oct, text("0"), 30, 20});
    rows.push_back({"DirButton connected right", &dir,
                    [](juce::TextButton& b)
                    {
                        b.setButtonText("T");
                        b.getProperties().set(ZuStyle::curvefactor, 5.0);
                        b.setConnectedEdges(juce::Button::ConnectedOnRight);
                    },
                    60, 24});
    EXPECT_TRUE(zutest::writeScreen(zutest::buttonSheet(rows), "gui-framed-buttons.png"));
}
} // namespace
