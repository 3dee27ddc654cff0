// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonSheet.h"
#include "ScreenWriter.h"
#include "ZuCLAF_PageButtons.h"
#include "ZuIcons.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour black(0xff000000), magenta(0xffff00ff);
const juce::Colour textOff(0xffb0b0b0), textOn(0xffffe060), onColour(0xff2fa0e0), buttonColour(0xff3a4a5a);

using zutest::countNear;
using zutest::drawButton;
using zutest::makeButton;

const juce::Rectangle<int> pill1(22, 4, 28, 16), pill2(150, 4, 28, 16);

TEST(PageButtonMembers, PageButton2ShowsTheActivePage)
{
    ZuCLAF_PageButton2 page;
    auto b = makeButton("", 200, 24);
    const auto idle = drawButton(page, *b, false, false);
    EXPECT_GT(countNear(idle, onColour, 30, pill1), 100);
    EXPECT_EQ(countNear(idle, onColour, 30, pill2), 0);
    EXPECT_LT(countNear(idle, onColour, 30, pill1), pill1.getWidth() * pill1.getHeight()); // its text

    const auto pressed = drawButton(page, *b, true, true); // active includes down
    EXPECT_EQ(countNear(pressed, onColour, 30, pill1), 0);
    EXPECT_GT(countNear(pressed, onColour, 30, pill2), 100);

    b->setEnabled(false);
    const auto disabled = drawButton(page, *b, false, false);
    EXPECT_EQ(countNear(disabled, onColour, 30), 0);
    EXPECT_EQ(countNear(disabled, textOff, 30), 0); // texts at alpha 0.4 only

    b->setSize(1, 24);
    b->setEnabled(true);
    EXPECT_EQ(countNear(drawButton(page, *b, false, false, magenta), magenta, 0), 24);
}

TEST(PageButtonMembers, PageTextsHaveFourBlanks)
{
    EXPECT_STREQ(ZuPageTexts::page1, "Step    1 - 16");
    EXPECT_STREQ(ZuPageTexts::page2, "Step    17 - 32");
}

struct PageCase
{
    const char* what;
    juce::LookAndFeel* laf;
    juce::String text;
    zutest::StyleProps props;
    bool toggled, enabled, highlighted, down;
    juce::Rectangle<int> region;
    juce::Colour colour; // must show in at least atLeast pixels of the region
    int atLeast;
    juce::Colour absent; // must not show anywhere (transparent: no check)
};

TEST(PageButtonMembers, EdgeCases)
{
    ZuCLAF_CtrlPageButton ctrl;
    ZuCLAF_CenterSqButton sq;
    ZuCLAF_FlatButton flat;
    ZuCLAF_PageButton pageB;
    ZuCLAF_Seq1Button seq1;
    const juce::Colour none(0x00000000), red(0xffff0000);
    const juce::Rectangle<int> all(0, 0, 40, 30), top(3, 3, 34, 10), bottom(3, 17, 34, 10);
    const std::vector<PageCase> cases = {
        {"CtrlPage idle: top box", &ctrl, "R", {}, false, true, false, false, top, onColour, 200, none},
        {"CtrlPage idle: bottom empty", &ctrl, "R", {}, false, true, false, false, bottom, black, 200, none},
        {"CtrlPage toggled: bottom box", &ctrl, "R", {}, true, true, false, false, bottom, onColour, 200, none},
        {"CtrlPage pressed only: still top", &ctrl, "R", {}, false, true, false, true, top, onColour, 200, none},
        {"CtrlPage disabled: both empty", &ctrl, "R", {}, true, false, false, false, all, black, 700, onColour},
        {"Sq disabled: no icon", &sq, "", {}, true, false, false, false, all, buttonColour, 900, textOn},
        {"Sq toggled: on face, icon", &sq, "", {}, true, true, false, false, all, textOn, 30, none},
        {"Flat toggled disabled: button colour",
         &flat,
         "Main",
         {},
         true,
         false,
         false,
         false,
         all,
         buttonColour,
         900,
         onColour},
        {"Flat pressed: on colour", &flat, "Main", {}, false, true, true, true, all, none, 0, none},
        {"PageButton idle: first pill", &pageB, "", {}, false, true, false, false, {4, 4, 10, 20}, onColour, 60, none},
        {"Seq1 outline in outlinecolor, disabled too",
         &seq1,
         "",
         {{ZuStyle::outlinecolor, "ffff0000"}},
         false,
         false,
         false,
         false,
         all,
         red,
         60,
         none},
    };
    for (const auto& c : cases)
    {
        auto b = makeButton(c.text, 40, 30);
        zutest::configure(*b, {}, c.props, c.toggled, c.enabled);
        const auto image = drawButton(*c.laf, *b, c.highlighted, c.down);
        zutest::expectColours(image, c.colour, c.atLeast, c.absent, c.what, c.region);
    }
}

TEST(PageButtonMembers, PageButton3DotsStandOneAboveTheOther)
{
    ZuCLAF_PageButton3 page3;
    auto b = makeButton("", 16, 40);
    const juce::Rectangle<int> upper(4, 11, 8, 8), lower(4, 24, 8, 6);
    const auto idle = drawButton(page3, *b, false, false);
    EXPECT_GT(countNear(idle, onColour, 30, upper), 40);
    EXPECT_EQ(countNear(idle, onColour, 30, lower), 0);
    b->setToggleState(true, juce::dontSendNotification);
    const auto toggled = drawButton(page3, *b, false, false);
    EXPECT_EQ(countNear(toggled, onColour, 30, upper), 0);
    EXPECT_GT(countNear(toggled, onColour, 30, lower), 20);
}

TEST(PageButtonMembers, StepButtonDrawsTheSlurOnlyForItsText)
{
    ZuCLAF_CenterSqButton sq;
    const auto render = [&](const char* text)
    {
        auto b = makeButton(text, 30, 30);
        return drawButton(sq, *b, false, false);
    };
    const auto same = [](const juce::Image& a, const juce::Image& b)
    {
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt(x, y) != b.getPixelAt(x, y))
                    return false;
        return true;
    };
    EXPECT_FALSE(same(render("slur"), render("")));
    EXPECT_TRUE(same(render("x"), render("")));

    // The arrowhead ends at the upper left before the turn; turned by 3/4 pi
    // about its own centre the path keeps its size.
    const auto raw = ZU_ICON(svgSlide);
    const auto turned = ZuCLAF_CenterSqButton::preparedSlur();
    EXPECT_NEAR(turned.getBounds().getCentreX(), raw.getBounds().getCentreX(), 3.0f);
    EXPECT_NEAR(turned.getBounds().getCentreY(), raw.getBounds().getCentreY(), 3.0f);
}

TEST(PageButtonMembers, FlatButtonCornersFollowCorner)
{
    ZuCLAF_FlatButton flat;
    auto b = makeButton("", 40, 30);
    EXPECT_NE(drawButton(flat, *b, false, false, magenta).getPixelAt(0, 0), magenta);
    b->getProperties().set(ZuStyle::corner, 6.0);
    EXPECT_EQ(drawButton(flat, *b, false, false, magenta).getPixelAt(0, 0), magenta);
}

TEST(PageButtonMembers, DisabledStepButtonHasADarkerOutline)
{
    ZuCLAF_CenterSqButton sq;
    auto b = makeButton("", 30, 30);
    ZuStyle::setColour(*b, ZuStyle::outlinecolor, juce::Colour(0xffffffff));
    const auto on = drawButton(sq, *b, false, false).getPixelAt(15, 0);
    b->setEnabled(false);
    const auto off = drawButton(sq, *b, false, false).getPixelAt(15, 0);
    EXPECT_GT(on.getRed(), off.getRed() + 20);
}

TEST(Screens, PageButtonMembers)
{
    ZuCLAF_PageButton2 page2;
    ZuCLAF_CtrlPageButton ctrl;
    ZuCLAF_CenterSqButton sq;
    ZuCLAF_FlatButton flat;
    ZuCLAF_PageButton pageB;
    ZuCLAF_PageButton3 page3;
    ZuCLAF_Seq1Button seq1;
    const auto text = [](const char* t)
    {
        return [t](juce::TextButton& b)
        {
            b.setButtonText(t);
            ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff808080));
            ZuStyle::setColour(b, ZuStyle::bgcolor, juce::Colour(0xff505050));
        };
    };
    std::vector<zutest::SheetRow> rows = {
        {"PageButton2", &page2, text(""), 124, 18},
        {"CtrlPageButton", &ctrl, text("R"), 16, 30},
        {"CenterSqButton", &sq, text(""), 26, 26},
        {"CenterSqButton \"slur\"", &sq, text("slur"), 26, 26},
        {"FlatButton", &flat,
         [](juce::TextButton& b)
         {
             b.setButtonText("Main");
             b.getProperties().set(ZuStyle::corner, 1.5);
             b.getProperties().set(ZuStyle::fontsize, 1.0);
             b.getProperties().set(ZuStyle::fontface, "SemiBold");
         },
         70, 22},
        {"PageButton", &pageB, text(""), 124, 18},
        {"PageButton3", &page3, text(""), 16, 40},
        {"Seq1Button", &seq1, text(""), 26, 26},
    };
    EXPECT_TRUE(zutest::writeScreen(zutest::buttonSheet(rows), "gui-page-buttons.png"));
}
} // namespace
