// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_ColorTheme.h"
#include "ZuCLAF_Base.h"
#include "ZuShared.h"

#include <gtest/gtest.h>

namespace
{
using Theme = ZuMirabox_ColorTheme;

juce::uint32 argb(juce::Colour c)
{
    return c.getARGB();
}

TEST(ColourTheme, DerivedEntriesEqualTheirStatedValues)
{
    const Theme t;
    struct Case
    {
        const char* what;
        juce::Colour got;
        juce::uint32 expected;
    };
    const Case cases[] = {
        {"knobThumbColor 0", t.knobThumbColor[0], 0xffe4e4e4},
        {"boxFocusColor 0", t.boxFocusColor[0], 0xff4092b7},
        {"modKnobThumbColor 0", t.modKnobThumbColor[0], 0xffb1b1b1},
        {"modKnobThumbColor 1", t.modKnobThumbColor[1], 0xff353638},
        {"selectorOffColor 0", t.selectorOffColor[0], 0xffc5c5c5},
        {"unitModKnobColor 0", t.unitModKnobColor[0], 0xff444444},
        {"unitBoxBgColor 0", t.unitBoxBgColor[0], 0xff181818},
        {"ccRackUnitColor 0", t.ccRackUnitColor[0], 0xffb687ee},
        {"octTpUnitColor 0", t.octTpUnitColor[0], 0xff5fc3ef},
        {"modPanelBgColor 0", t.modPanelBgColor[0], 0xff1a1a1a},
        {"modPanelBgColor 1", t.modPanelBgColor[1], 0xff121212},
        {"chordBgColor", t.chordBgColor, 0xffcb5530},
        {"pitchUnitDarkColor", t.pitchUnitDarkColor, 0xff557d5e},
        {"paramUnitDarkColor", t.paramUnitDarkColor, 0xff948301},
        {"ccUnitDarkColor", t.ccUnitDarkColor, 0xff9b5b76},
        {"ccRackUnitDarkColor", t.ccRackUnitDarkColor, 0xff715494},
        {"octTpUnitDarkColor", t.octTpUnitDarkColor, 0xff3b7995},
    };
    for (const auto& c : cases)
        EXPECT_EQ(argb(c.got), c.expected) << c.what;

    EXPECT_EQ(argb(juce::Colour(0xff89c997).darker(0.6f)), 0xff557d5eu);
}

TEST(ColourTheme, OnlySkinsZeroAndOneAreFilled)
{
    const Theme t;
    for (int e = 0; e < Theme::numEntries; ++e)
    {
        EXPECT_EQ(t.entry(e, 0).getAlpha(), 0xff) << "entry " << e;
        for (int s = 2; s < Theme::numSkins; ++s)
            EXPECT_EQ(argb(t.entry(e, s)), 0u) << "entry " << e << " skin " << s;
    }
}

TEST(ColourTheme, NumberedEntriesFollowThePanelsNumbering)
{
    const Theme t;
    struct Case
    {
        int entry;
        juce::uint32 skin0, skin1;
    };
    const Case cases[] = {
        {0, 0xff000000, 0xff000000},  {1, 0xffd5d5d5, 0xff4a4c4e},  {2, 0xff080808, 0xff000000},
        {3, 0xff141414, 0xff141414},  {28, 0xff606060, 0xff101010}, {31, 0xff252525, 0xff292929},
        {37, 0xff707070, 0xff707070}, {38, 0xffc7c7c7, 0xffc7c7c7}, {46, 0xff505050, 0xff505050},
        {47, 0xff89c997, 0xff89c997}, {48, 0xffeed202, 0xffeed202}, {49, 0xfff892bd, 0xfff892bd},
        {50, 0xffb687ee, 0xffb687ee}, {51, 0xff5fc3ef, 0xff5fc3ef}, {52, 0xff484848, 0xff484848},
        {61, 0xffa0a0a0, 0xffa0a0a0},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(argb(t.entry(c.entry, 0)), c.skin0) << "entry " << c.entry;
        EXPECT_EQ(argb(t.entry(c.entry, 1)), c.skin1) << "entry " << c.entry;
    }

    // The two entries the panels add between the icon fill and the unit
    // background are filled on both visible skins.
    EXPECT_NE(t.entry(29, 1).getAlpha(), 0);
    EXPECT_NE(t.entry(30, 1).getAlpha(), 0);
}

TEST(ColourTheme, SingleColoursAndDoublesInMemoryOrder)
{
    const Theme t;
    const juce::uint32 singles[] = {0xff557d5e, 0xff948301, 0xff9b5b76, 0xff715494, 0xff3b7995,
                                    0xffcb5530, 0xff4d2832, 0xfff5edd1, 0xff14202e, 0xff00fdff};
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(argb(t.single(k)), singles[k]) << "single " << k;
    EXPECT_EQ(t.single(10), juce::Colours::darkblue);

    const double doubles[] = {0.033, 0.041, 0.038, 0.031};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(t.dragValue(i), doubles[i]);
}

TEST(ColourTheme, IndicesOutsideTheTableReadTransparentBlack)
{
    const Theme t;
    EXPECT_EQ(argb(t.entry(0, 99)), 0u);
    EXPECT_EQ(argb(t.entry(0, -1)), 0u);
    EXPECT_EQ(argb(t.entry(70, 1)), 0u);
    EXPECT_EQ(argb(t.entry(-1, 1)), 0u);
    EXPECT_EQ(argb(t.single(11)), 0u);
    EXPECT_EQ(t.dragValue(4), 0.0);
}

TEST(ColourTheme, UnitAndSingleColoursDoNotChangeWithTheSkin)
{
    const Theme t;
    for (int e = 47; e <= 51; ++e)
        EXPECT_EQ(t.entry(e, 0), t.entry(e, 1)) << "entry " << e;
}

TEST(SharedInstances, TwoHoldersShareOneThemeAndTheLastDeletesIt)
{
    auto first = std::make_unique<ZuShared<Theme>>();
    auto second = std::make_unique<ZuShared<Theme>>();
    EXPECT_EQ(&first->get(), &second->get());
    EXPECT_EQ(first->getReferenceCount(), 2);

    first.reset();
    EXPECT_EQ(second->getReferenceCount(), 1);
    const auto remembered = (*second)->entry(47, 0);

    second.reset();
    // A new holder after the last one went builds a new instance: the count
    // starts again at 1, with the same contents.
    ZuShared<Theme> third;
    EXPECT_EQ(third.getReferenceCount(), 1);
    EXPECT_EQ(third->entry(47, 0), remembered);
}

TEST(SharedInstances, TwoPanelsShareOneCommonLookAndFeel)
{
    auto first = std::make_unique<ZuShared<ZuCLAF_Base>>();
    auto second = std::make_unique<ZuShared<ZuCLAF_Base>>();
    EXPECT_EQ(&first->get(), &second->get());
    first.reset();
    EXPECT_EQ(second->getReferenceCount(), 1);
    second.reset();
    ZuShared<ZuCLAF_Base> third;
    EXPECT_EQ(third.getReferenceCount(), 1);
}
} // namespace
