// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonSheet.h"
#include "ScreenWriter.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour black(0xff000000);
const juce::Colour textOff(0xff60c060), textOn(0xffffe060), onColour(0xff2fa0e0), buttonColour(0xff3a4a5a);

using zutest::countNear;
using zutest::drawButton;
using zutest::makeButton;

struct IconCase
{
    const char* what;
    juce::LookAndFeel* laf;
    juce::String text, name, svgname;
    bool toggled, enabled, clicking, highlighted, down;
    juce::Colour colour; // a colour that must show,
    int atLeast;         // in at least this many pixels
    juce::Colour absent; // a colour that must not show (transparent: no check)
};

TEST(IconButtonMembers, EdgeCases)
{
    ZuCLAF_SvgButton svg;
    ZuCLAF_SEQ1SvgButton seq1;
    ZuCLAF_CloseButton close;
    ZuCLAF_EditButton edit;
    ZuCLAF_ModIconButton mod;
    const juce::Colour none(0x00000000);
    const juce::Colour grey(0xffaaaaaa);
    const std::vector<IconCase> cases = {
        {"Svg without svgname: only the hover frame", &svg, "", "", "", false, true, false, true, false, grey, 100,
         textOff},
        {"Svg power, off", &svg, "", "", "power", false, true, false, false, false, textOff, 100, grey},
        {"Svg power, toggled", &svg, "", "", "power", true, true, false, false, false, textOn, 100, textOff},
        {"Svg disabled still draws", &svg, "", "", "key", false, false, false, false, false, textOff, 100, none},
        {"SEQ1 lock toggled: on face", &seq1, "lock", "", "", true, true, false, false, false, onColour, 300, none},
        {"SEQ1 lock off: no face", &seq1, "lock", "", "", false, true, false, false, false, textOff, 60, onColour},
        {"SEQ1 disabled toggled: no face, no fill", &seq1, "lock", "", "", true, false, false, false, false, black, 800,
         onColour},
        {"SEQ1 unknown text: nothing", &seq1, "nope", "", "", false, true, false, false, false, black, 1200, textOff},
        {"Close non-toggling hovered: on colour", &close, "Close", "", "", false, true, false, true, false, onColour,
         60, textOff},
        {"Close non-toggling pressed: text-on", &close, "Close", "", "", false, true, false, true, true, textOn, 60,
         textOff},
        {"Close non-toggling: text-off", &close, "Close", "", "", false, true, false, false, false, textOff, 60,
         textOn},
        {"Close lower case: no icon", &close, "close", "", "", false, true, false, false, false, buttonColour, 1200,
         textOff},
        {"Close toggling hovered: text-off", &close, "Sort", "", "", false, true, true, true, false, textOff, 40,
         textOn},
        {"ModIcon lower-case close", &mod, "close", "", "", false, true, false, false, false, textOff, 60, none},
        {"ModIcon Close: no icon", &mod, "Close", "", "", false, true, false, false, false, buttonColour, 1200,
         textOff},
        {"Edit toggled: text-on", &edit, "", "0", "", true, true, false, false, false, textOn, 100, textOff},
    };
    for (const auto& c : cases)
    {
        auto b = makeButton(c.text, 40, 30);
        b->setColour(juce::TextButton::textColourOffId, textOff); // far from the grey hover frame
        b->setName(c.name);
        if (c.svgname.isNotEmpty())
            b->getProperties().set(ZuStyle::svgname, c.svgname);
        b->setToggleState(c.toggled, juce::dontSendNotification);
        b->setEnabled(c.enabled);
        b->setClickingTogglesState(c.clicking);
        const auto image = drawButton(*c.laf, *b, c.highlighted, c.down);
        zutest::expectColours(image, c.colour, c.atLeast, c.absent, c.what);
    }
}

TEST(IconButtonMembers, MinimizeSwapsTheTriangleWithTheToggle)
{
    ZuCLAF_SvgButton svg;
    auto b = makeButton("", 40, 40);
    b->getProperties().set(ZuStyle::svgname, "minimize");
    const auto down = zutest::inkBounds(drawButton(svg, *b, false, false), black);
    b->setToggleState(true, juce::dontSendNotification);
    const auto right = zutest::inkBounds(drawButton(svg, *b, false, false), black);
    EXPECT_GT(down.getWidth(), down.getHeight());
    EXPECT_GT(right.getHeight(), right.getWidth());
}

TEST(IconButtonMembers, ScaleGrowsTheIconAboutTheCentre)
{
    ZuCLAF_SvgButton svg;
    auto b = makeButton("", 60, 40);
    b->getProperties().set(ZuStyle::svgname, "menu");
    const auto plain = zutest::inkBounds(drawButton(svg, *b, false, false), black);
    b->getProperties().set(ZuStyle::scale, 1.2);
    const auto grown = zutest::inkBounds(drawButton(svg, *b, false, false), black);
    b->getProperties().set(ZuStyle::scale, 0.5);
    const auto shrunk = zutest::inkBounds(drawButton(svg, *b, false, false), black);
    EXPECT_GT(plain.getX(), 1);
    EXPECT_EQ(grown.getX(), 0); // past the 0.01 h margin, clipped at the edge
    EXPECT_NEAR(shrunk.getWidth(), plain.getWidth() / 2, 2);
    EXPECT_NEAR(shrunk.getCentreX(), plain.getCentreX(), 1);
}

TEST(IconButtonMembers, SeqOneOutlineTakesHalfTheAlphaWhenDisabled)
{
    ZuCLAF_SEQ1SvgButton seq1;
    auto b = makeButton("sync", 40, 30);
    ZuStyle::setColour(*b, ZuStyle::outlinecolor, juce::Colour(0xffff0000));
    const auto on = drawButton(seq1, *b, false, false).getPixelAt(0, 15);
    b->setEnabled(false);
    const auto off = drawButton(seq1, *b, false, false).getPixelAt(0, 15);
    EXPECT_GT(on.getRed(), 0xf0);
    EXPECT_NEAR(off.getRed(), 0x80, 8);
}

TEST(IconButtonMembers, EditButtonClampsItsNameToGrabOrScroll)
{
    ZuCLAF_EditButton edit;
    auto b = makeButton("", 40, 40);
    const auto image = [&](const char* name)
    {
        b->setName(name);
        return drawButton(edit, *b, false, false);
    };
    const auto grab = image("0");
    const auto scroll = image("1");
    const auto differ = [](const juce::Image& x, const juce::Image& y)
    {
        for (int yy = 0; yy < x.getHeight(); ++yy)
            for (int xx = 0; xx < x.getWidth(); ++xx)
                if (x.getPixelAt(xx, yy) != y.getPixelAt(xx, yy))
                    return true;
        return false;
    };
    EXPECT_TRUE(differ(grab, scroll));
    EXPECT_FALSE(differ(image("5"), scroll));
    EXPECT_FALSE(differ(image("-1"), grab));
    EXPECT_FALSE(differ(image("abc"), grab));
}

TEST(Screens, IconButtonMembers)
{
    ZuCLAF_SvgButton svg;
    ZuCLAF_SEQ1SvgButton seq1;
    ZuCLAF_CloseButton close;
    ZuCLAF_EditButton edit;
    ZuCLAF_ModIconButton mod;
    std::vector<zutest::SheetRow> rows;
    for (const char* name : {"power", "minimize", "menu", "<", ">", "expand", "mod", "key", ""})
        rows.push_back({juce::String("Svg \"") + name + "\"", &svg,
                        [name](juce::TextButton& b) { b.getProperties().set(ZuStyle::svgname, name); }, 34, 30});
    for (const char* text : {"chord", "lock", "sync", "rel"})
        rows.push_back({juce::String("SEQ1Svg \"") + text + "\"", &seq1,
                        [text](juce::TextButton& b)
                        {
                            b.setButtonText(text);
                            ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff808080));
                            b.getProperties().set(ZuStyle::reducefactor, 0.05);
                        },
                        30, 30});
    for (const char* text : {"Close", "Sort", "Eraser", "Key"})
        rows.push_back({juce::String("Close \"") + text + "\"", &close,
                        [text](juce::TextButton& b) { b.setButtonText(text); }, 30, 30});
    for (const char* name : {"0", "1"})
        rows.push_back(
            {juce::String("Edit name ") + name, &edit, [name](juce::TextButton& b) { b.setName(name); }, 30, 30});
    for (const char* text : {"power", "close", "menu"})
        rows.push_back({juce::String("ModIcon \"") + text + "\"", &mod,
                        [text](juce::TextButton& b) { b.setButtonText(text); }, 30, 30});
    EXPECT_TRUE(zutest::writeScreen(zutest::buttonSheet(rows), "gui-icon-buttons.png"));
}
} // namespace
