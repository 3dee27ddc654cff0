// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestHelpers.h"
#include "ZuCLAF_StripMembers.h"
#include "ZuCLAF_TabbedComp.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour black(0xff000000);

std::unique_ptr<juce::ToolbarButton> makeQuickBarButton()
{
    auto button =
        std::make_unique<juce::ToolbarButton>(1, "Pitch", std::make_unique<juce::DrawableRectangle>(), nullptr);
    button->setColour(juce::TextButton::buttonColourId, juce::Colour(0xff89c997));
    button->setColour(juce::TextButton::textColourOffId, juce::Colour(0xff080808));
    return button;
}

TEST(QuickBarButton, NumberBoxTakesFifteenPercentAndShowsTheUnitNumber)
{
    ZuCLAF_ToolbarButton laf;
    auto button = makeQuickBarButton();
    EXPECT_EQ(ZuCLAF_ToolbarButton::numberBoxWidth(100), 15);

    button->getProperties().set(ZuStyle::uniti, 0);
    ZuStyle::setColour(*button, ZuStyle::bgcolor, juce::Colour(0xffff0000));
    const auto image = zutest::paintImage(
        100, 20, [&](juce::Graphics& g) { laf.paintToolbarButtonLabel(g, 0, 0, 100, 20, "", *button); });
    // The number "1" in the box colour, left of the divider at x = 14.5.
    const auto number = zutest::inkBounds(image.getClippedImage({0, 0, 14, 20}), juce::Colour(0xff89c997));
    EXPECT_FALSE(number.isEmpty());
    EXPECT_GT(image.getPixelAt(number.getCentreX(), number.getCentreY()).getRed(), 0xa0);
    EXPECT_LT(image.getPixelAt(14, 10).getGreen(), 0x80); // the black divider
    EXPECT_EQ(image.getPixelAt(50, 10), juce::Colour(0xff89c997));
}

TEST(QuickBarButton, WithoutUnitIndexNoNumberBoxAndSquareCorners)
{
    ZuCLAF_ToolbarButton laf;
    auto button = makeQuickBarButton();
    const auto image = zutest::paintImage(
        100, 20, [&](juce::Graphics& g) { laf.paintToolbarButtonLabel(g, 0, 0, 100, 20, "", *button); });
    EXPECT_EQ(image.getPixelAt(14, 10), juce::Colour(0xff89c997));
    EXPECT_EQ(image.getPixelAt(2, 1), juce::Colour(0xff89c997)); // square corner at (1.5, 0.5)

    // A label area of no width gets the fill and nothing else.
    const auto empty = zutest::paintImage(
        10, 20, [&](juce::Graphics& g) { laf.paintToolbarButtonLabel(g, 0, 0, 0, 20, "Pitch", *button); });
    EXPECT_TRUE(zutest::inkBounds(empty, black).isEmpty());
}

TEST(SmallPopupMenu, InactiveHighlightedItemIsNotFilled)
{
    ZuCLAF_MidiLearnPopMenu laf;
    struct Case
    {
        bool active;
        bool filled;
    };
    for (const auto c : {Case{true, true}, Case{false, false}})
    {
        const auto image =
            zutest::paintImage(100, 18,
                               [&](juce::Graphics& g)
                               {
                                   laf.drawPopupMenuItem(g, {0, 0, 100, 18}, false, c.active, true, false, false,
                                                         "Midi Learn", "", nullptr, nullptr);
                               });
        EXPECT_EQ(image.getPixelAt(2, 2) == juce::Colour(0xffa0a0a0), c.filled) << c.active;
    }
    // Standard item height 18: the font is at most 16 / 1.3 high.
    EXPECT_NEAR(laf.itemFontHeight(18), 16.0f / 1.3f, 0.001f);

    const auto image = zutest::paintImage(40, 40, [&](juce::Graphics& g) { laf.drawPopupMenuBackground(g, 40, 40); });
    EXPECT_EQ(image.getPixelAt(0, 0), juce::Colour(0xff808080));
    EXPECT_EQ(image.getPixelAt(20, 20), juce::Colour(0xff101010));
}

TEST(TooltipStrip, TextAtThreeQuartersOfTheHeightAndTheIconFitted)
{
    juce::Label text;
    text.setSize(300, 20);
    EXPECT_FLOAT_EQ(ZuCLAF_TooltipLabel::textPointHeight(text), 15.0f);

    ZuCLAF_InfoSvgLabel laf;
    juce::Label icon;
    icon.setSize(20, 20);
    icon.setColour(juce::Label::backgroundColourId, black);
    icon.setColour(juce::Label::textColourId, juce::Colour(0xffafafaf));
    const auto image = zutest::paintImage(20, 20, [&](juce::Graphics& g) { laf.drawLabel(g, icon); });
    const auto ink = zutest::inkBounds(image, black);
    EXPECT_TRUE(juce::Rectangle<int>(0, 0, 20, 20).reduced(0).contains(ink));
    EXPECT_GE(ink.getWidth(), 16);
    // The "i" is cut out of the disc: the centre of the stem shows the background.
    EXPECT_EQ(image.getPixelAt(10, 13), black);
}

TEST(TabBar, BestWidthOverlapAndLines)
{
    ZuCLAF_TabbedComp laf;
    juce::TabbedButtonBar bar(juce::TabbedButtonBar::TabsAtTop);
    bar.setLookAndFeel(&laf);
    bar.addTab("Mod", juce::Colours::grey, -1);
    auto* tab = bar.getTabButton(0);
    EXPECT_EQ(laf.getTabButtonBestWidth(*tab, 20), 42);
    EXPECT_EQ(laf.getTabButtonBestWidth(*tab, 1), 2);
    EXPECT_EQ(laf.getTabButtonOverlap(20), -1);
    EXPECT_EQ(laf.getTabButtonSpaceAroundImage(), 0);

    bar.setColour(juce::TabbedButtonBar::tabOutlineColourId, juce::Colour(0xffff0000));
    struct Case
    {
        juce::TabbedButtonBar::Orientation o;
        juce::Point<int> line;
    };
    const Case cases[] = {{juce::TabbedButtonBar::TabsAtTop, {5, 19}},
                          {juce::TabbedButtonBar::TabsAtBottom, {5, 0}},
                          {juce::TabbedButtonBar::TabsAtRight, {0, 10}},
                          {juce::TabbedButtonBar::TabsAtLeft, {5, 19}}};
    for (const auto& c : cases)
    {
        bar.setOrientation(c.o);
        const auto image =
            zutest::paintImage(40, 20, [&](juce::Graphics& g) { laf.drawTabAreaBehindFrontButton(bar, g, 40, 20); });
        EXPECT_EQ(image.getPixelAt(c.line.x, c.line.y), juce::Colour(0xffff0000)) << (int) c.o;
    }
    bar.setLookAndFeel(nullptr);
}
} // namespace
