// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestHelpers.h"
#include "ScreenWriter.h"
#include "ZuCLAF_BaseBase.h"
#include "ZuIcons.h"

#include <gtest/gtest.h>

namespace
{
constexpr int cell = 120;
constexpr int iconBox = 72;

// Where icon i is drawn on the contact sheet.
juce::Rectangle<int> iconArea(int i)
{
    return {(i % 6) * cell + (cell - iconBox) / 2, (i / 6) * cell + 10, iconBox, iconBox};
}

TEST(IconLibrary, EveryIconDrawsInsideItsBoxOnTheContactSheet)
{
    ASSERT_GE(ZuIconData::numIcons, 3);
    const int rows = (ZuIconData::numIcons + 5) / 6;
    const auto paper = juce::Colour(0xff292929);
    const auto ink = juce::Colour(0xffdddddd);

    juce::Image sheet(juce::Image::ARGB, 6 * cell, rows * cell, true);
    {
        juce::Graphics g(sheet);
        g.fillAll(paper);
        for (int i = 0; i < ZuIconData::numIcons; ++i)
        {
            const auto& icon = ZuIconData::all[i];
            auto path = ZuIcons::load(icon.data, icon.size);
            path.closeSubPath();
            const auto box = iconArea(i).toFloat();
            g.setColour(juce::Colour(0xff3a3a3a));
            g.drawRect(box.expanded(8.0f), 1.0f);
            g.setColour(ink);
            g.fillPath(path, path.getTransformToScaleToFit(box, true));
            g.setFont(ZuCLAF_BaseBase::faceFont("Medium", 15.0f));
            g.drawText(icon.name, (i % 6) * cell, (i / 6) * cell + 90, cell, 22, juce::Justification::centred);
        }
    }
    EXPECT_TRUE(zutest::writeScreen(sheet, "gui-icons.png"));

    for (int i = 0; i < ZuIconData::numIcons; ++i)
    {
        const auto& icon = ZuIconData::all[i];
        const auto path = ZuIcons::load(icon.data, icon.size);
        const auto bounds = path.getBounds();
        EXPECT_FALSE(bounds.isEmpty()) << icon.name;
        EXPECT_TRUE(juce::Rectangle<float>(0.0f, 0.0f, 24.0f, 24.0f).contains(bounds)) << icon.name;
        EXPECT_EQ(ZuIcons::byName(icon.name).getBounds(), bounds) << icon.name;

        // Drawn ink fills a good part of the box and stays inside it.
        const auto region = iconArea(i).expanded(1);
        const auto drawn = zutest::inkBoundsIn(sheet, region, paper);
        EXPECT_GE(drawn.getWidth(), iconBox / 2) << icon.name;
        EXPECT_GE(drawn.getHeight(), iconBox / 2) << icon.name;
        const auto around = zutest::inkBoundsIn(sheet, iconArea(i).expanded(6), paper);
        EXPECT_TRUE(iconArea(i).expanded(1).contains(around)) << icon.name << " " << around.toString();
    }
    EXPECT_TRUE(ZuIcons::byName("no such icon").isEmpty());
}

TEST(IconLibrary, InfoIconIsADiscWithTheLetterCutOut)
{
    const auto path = ZuIcons::load(ZuIconData::infoSvgData, ZuIconData::infoSvgDataSize);
    EXPECT_FALSE(path.isUsingNonZeroWinding());
    EXPECT_TRUE(path.contains(12.0f, 3.0f));   // disc
    EXPECT_FALSE(path.contains(12.0f, 6.6f));  // dot of the "i"
    EXPECT_FALSE(path.contains(12.0f, 14.0f)); // stem
    EXPECT_TRUE(path.contains(12.0f, 9.0f));   // disc between dot and stem
}
} // namespace
