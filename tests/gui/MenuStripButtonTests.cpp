// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonSheet.h"
#include "ScreenWriter.h"
#include "ZuCLAF_MenuStripButtons.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour black(0xff000000), strip(0xff202020);
const juce::Colour textOff(0xffb0b0b0), textOn(0xffffe060), onColour(0xff2fa0e0), buttonColour(0xff3a4a5a);

using zutest::countNear;
using zutest::drawButton;
using zutest::makeButton;

TEST(MenuStripButtonMembers, PresetCellsJoinWhereConnected)
{
    ZuCLAF_PresetButton preset;
    auto b = makeButton("Save", 60, 24);
    b->setConnectedEdges(juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);
    const auto both = drawButton(preset, *b, false, false);
    EXPECT_NE(both.getPixelAt(0, 0), strip); // square corners
    EXPECT_NE(both.getPixelAt(59, 23), strip);
    // The frame starts a quarter pixel in: the edge column is mostly outline.
    b->setConnectedEdges(juce::Button::ConnectedOnRight);
    const auto right = drawButton(preset, *b, false, false);
    EXPECT_EQ(right.getPixelAt(0, 0), strip); // rounded left
    EXPECT_NE(right.getPixelAt(59, 0), strip);
    b->setConnectedEdges(0);
    const auto loose = drawButton(preset, *b, false, false);
    EXPECT_EQ(loose.getPixelAt(0, 0), strip);
    EXPECT_EQ(loose.getPixelAt(59, 23), strip);
}

TEST(MenuStripButtonMembers, PresetIconBands)
{
    const juce::Rectangle<int> bounds(0, 0, 60, 30);
    EXPECT_EQ(ZuCLAF_PresetButton::iconBand("Undo", bounds), juce::Rectangle<int>(0, 5, 60, 20));
    EXPECT_EQ(ZuCLAF_PresetButton::iconBand("Redo", bounds), juce::Rectangle<int>(0, 5, 60, 20));
    EXPECT_EQ(ZuCLAF_PresetButton::iconBand("<", bounds), juce::Rectangle<int>(0, 7, 60, 16));
    EXPECT_EQ(ZuCLAF_PresetButton::iconBand("Menu", bounds), juce::Rectangle<int>(0, 7, 60, 16));
    EXPECT_TRUE(ZuCLAF_PresetButton::iconBand("Save", bounds).isEmpty());

    ZuCLAF_PresetButton preset;
    for (const auto& [text, top, bottom] : {std::tuple{"Undo", 5, 25}, std::tuple{"<", 7, 23}})
    {
        auto b = makeButton(text, 60, 30);
        const auto ink = zutest::inkBoundsIn(drawButton(preset, *b, false, false), {3, 3, 54, 24}, buttonColour);
        EXPECT_GE(ink.getY(), top) << text;
        EXPECT_LE(ink.getBottom(), bottom) << text;
        EXPECT_GE(ink.getHeight(), bottom - top - 2) << text;
    }
}

struct StripCase
{
    const char* what;
    juce::LookAndFeel* laf;
    juce::String text, name;
    zutest::StyleProps props;
    bool toggled, enabled, highlighted, down;
    int h;
    juce::Colour colour; // must show in at least atLeast pixels
    int atLeast;
    juce::Colour absent; // must not show (transparent: no check)
};

TEST(MenuStripButtonMembers, EdgeCases)
{
    ZuCLAF_PresetButton preset;
    ZuCLAF_ModOpenButton open;
    ZuCLAF_CenterUnitAddButton add;
    const juce::Colour none(0x00000000), svgOn(0xff616263), rim(0xff151515);
    const std::vector<StripCase> cases = {
        {"Preset 1 px high: bgcolor only", &preset, "Save", "", {}, true, true, true, false, 1, strip, 60, onColour},
        {"Preset toggled disabled: darker fill, text",
         &preset,
         "Save",
         "",
         {},
         true,
         false,
         true,
         false,
         24,
         onColour.darker(0.38f),
         500,
         onColour},
        {"Preset toggled disabled: text in svgoncolor",
         &preset,
         "Save",
         "",
         {},
         true,
         false,
         false,
         false,
         24,
         svgOn,
         5,
         none},
        {"Preset hover: darker fill, on outline",
         &preset,
         "Save",
         "",
         {},
         false,
         true,
         true,
         false,
         24,
         buttonColour.darker(0.55f),
         500,
         none},
        {"Preset hover: 1.4 px on outline", &preset, "Save", "", {}, false, true, true, false, 24, onColour, 60, none},
        {"Preset pressed untoggled: text-on", &preset, "Save", "", {}, false, true, false, true, 24, textOn, 5, none},
        {"ModOpen idle: outline only", &open, "OPEN", "", {}, false, true, false, false, 24, textOff, 5, onColour},
        {"ModOpen disabled toggled: button fill, no label",
         &open,
         "OPEN",
         "",
         {},
         true,
         false,
         false,
         false,
         24,
         buttonColour,
         1000,
         textOff},
        {"ModOpen toggled: on fill", &open, "<", "", {}, true, true, false, false, 24, onColour, 900, none},
        {"Add disabled: face, no label",
         &add,
         "Pitch SEQ1",
         "",
         {},
         false,
         false,
         false,
         false,
         30,
         buttonColour,
         1000,
         textOff},
        {"Add toggled: no visible effect", &add, "Pitch SEQ1", "", {}, true, true, false, false, 30, rim, 60, onColour},
        {"Add pressed: on face", &add, "Pitch SEQ1", "", {}, false, true, false, true, 30, onColour, 800, none},
    };
    for (const auto& c : cases)
    {
        auto b = makeButton(c.text, 60, c.h);
        zutest::configure(*b, c.name, c.props, c.toggled, c.enabled);
        const auto image = drawButton(*c.laf, *b, c.highlighted, c.down);
        zutest::expectColours(image, c.colour, c.atLeast, c.absent, c.what);
    }
}

TEST(MenuStripButtonMembers, ModOpenCornersFollowCorner)
{
    ZuCLAF_ModOpenButton open;
    auto b = makeButton("", 60, 24);
    b->setToggleState(true, juce::dontSendNotification);
    EXPECT_NE(drawButton(open, *b, false, false).getPixelAt(0, 0), black);
    b->getProperties().set(ZuStyle::corner, 6.0);
    EXPECT_EQ(drawButton(open, *b, false, false).getPixelAt(0, 0), black);
}

TEST(MenuStripButtonMembers, AddButtonLeavesARimAndABottomBand)
{
    ZuCLAF_CenterUnitAddButton add;
    auto b = makeButton("", 60, 30);
    const auto image = drawButton(add, *b, false, false);
    const juce::Colour rim(0xff151515);
    EXPECT_EQ(image.getPixelAt(30, 0), strip); // "bgcolor"
    EXPECT_EQ(image.getPixelAt(1, 15), rim);
    EXPECT_EQ(image.getPixelAt(30, 1), rim);
    EXPECT_EQ(image.getPixelAt(30, 2), buttonColour);
    EXPECT_EQ(image.getPixelAt(30, 25), buttonColour);
    for (int y = 26; y <= 28; ++y)
        EXPECT_EQ(image.getPixelAt(30, y), rim) << y;
}

TEST(MenuStripButtonMembers, AddButtonLabelGrowsWhileHovered)
{
    ZuCLAF_CenterUnitAddButton add;
    auto b = makeButton("CC Rack1", 120, 30);
    const juce::Rectangle<int> face(3, 3, 114, 22);
    const auto plain = zutest::inkBoundsIn(drawButton(add, *b, false, false), face, buttonColour);
    const auto hovered = zutest::inkBoundsIn(drawButton(add, *b, true, false), face, buttonColour.darker(0.2f));
    EXPECT_GT(hovered.getWidth(), plain.getWidth());
}

TEST(Screens, MenuStripButtonMembers)
{
    ZuCLAF_PresetButton preset;
    ZuCLAF_ModOpenButton open;
    ZuCLAF_CenterUnitAddButton add;
    const auto cell = [](const char* t)
    {
        return [t](juce::TextButton& b)
        {
            b.setButtonText(t);
            b.setConnectedEdges(juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);
            ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff35383c));
            b.getProperties().set(ZuStyle::fontsize, 0.58);
            b.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffcccccc));
            b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff959595));
            b.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff202020));
            b.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff202020));
        };
    };
    const auto openButton = [](const char* t, const char* name)
    {
        return [t, name](juce::TextButton& b)
        {
            b.setButtonText(t);
            b.setName(name);
            b.getProperties().set(ZuStyle::fontsize, 0.8);
            b.getProperties().set(ZuStyle::corner, 2.0);
            b.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffd0d0d0));
            b.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff505050));
            b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff909090));
            b.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff101010));
        };
    };
    std::vector<zutest::SheetRow> rows;
    for (const char* t : {"Menu", "<", ">", "Save", "Save as", "Undo", "Redo", "Browser"})
        rows.push_back({juce::String("PresetButton \"") + t + "\"", &preset, cell(t), 70, 24});
    for (const char* t : {"OPEN", "<", "Menu"})
        rows.push_back({juce::String("ModOpenButton \"") + t + "\"", &open, openButton(t, ""), 70, 22});
    rows.push_back({"ModOpenButton name Preset", &open, openButton("A long preset name", "Preset"), 70, 22});
    rows.push_back({"CenterUnitAddButton", &add,
                    [](juce::TextButton& b)
                    {
                        const juce::Colour c(0xff5fb0d0);
                        b.setButtonText("Pitch SEQ1");
                        b.setColour(juce::TextButton::buttonColourId, c.darker(0.2f));
                        b.setColour(juce::TextButton::buttonOnColourId, c.darker(0.9f));
                        b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xfff0f0f0));
                        b.setColour(juce::TextButton::textColourOnId, c);
                        b.getProperties().set(ZuStyle::fontsize, 0.55);
                        b.getProperties().set(ZuStyle::fontface, "SemiBold");
                    },
                    110, 30});
    EXPECT_TRUE(zutest::writeScreen(zutest::buttonSheet(rows), "gui-menu-strip-buttons.png"));
}
} // namespace
