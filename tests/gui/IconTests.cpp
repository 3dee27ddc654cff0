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
    ASSERT_EQ(ZuIconData::numIcons, 51);
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

// Pairs of icons that must differ as their names say.
TEST(IconLibrary, PairsDifferAsTheirNamesSay)
{
    const auto show = ZuIcons::byName("panelShowSvgData");
    const auto hide = ZuIcons::byName("panelHideSvgData");
    EXPECT_GT(show.getBounds().getWidth(), show.getBounds().getHeight()); // points down, flat top
    EXPECT_TRUE(show.contains(12.0f, 16.0f));
    EXPECT_FALSE(show.contains(20.0f, 16.0f));
    EXPECT_GT(hide.getBounds().getHeight(), hide.getBounds().getWidth()); // points right, flat left side
    EXPECT_TRUE(hide.contains(16.0f, 12.0f));
    EXPECT_FALSE(hide.contains(16.0f, 4.0f));

    // Undo and redo: 4 : 3, mirror images of each other.
    const auto undo = ZuIcons::byName("undoSvgData");
    const auto redo = ZuIcons::byName("redoSvgData");
    const auto ratio = undo.getBounds().getWidth() / undo.getBounds().getHeight();
    EXPECT_NEAR(ratio, 4.0f / 3.0f, 0.12f);
    int differing = 0;
    for (float y = 0.5f; y < 24.0f; y += 1.0f)
        for (float x = 0.5f; x < 24.0f; x += 1.0f)
        {
            EXPECT_EQ(undo.contains(x, y), redo.contains(24.0f - x, y)) << x << "," << y;
            differing += undo.contains(x, y) != redo.contains(x, y) ? 1 : 0;
        }
    EXPECT_GT(differing, 20);
    // The undo arrow ends pointing down at the left.
    EXPECT_TRUE(undo.contains(6.5f, 20.0f));
    EXPECT_FALSE(undo.contains(17.5f, 4.0f) && undo.contains(17.5f, 21.5f));

    // Side chain: the plug halves apart, then pushed together.
    const auto apart = ZuIcons::byName("svgSc");
    const auto together = ZuIcons::byName("svgSc2");
    EXPECT_FALSE(apart.contains(12.0f, 8.2f));
    EXPECT_TRUE(together.contains(12.0f, 8.2f));
    EXPECT_TRUE(apart.contains(12.0f, 12.0f)); // the lead runs through both

    // Thin chevrons point their own ways.
    EXPECT_TRUE(ZuIcons::byName("rightSvgData").contains(15.5f, 12.0f));
    EXPECT_TRUE(ZuIcons::byName("leftSvgData").contains(8.5f, 12.0f));
    EXPECT_TRUE(ZuIcons::byName("upSvgData").contains(12.0f, 8.5f));
    EXPECT_TRUE(ZuIcons::byName("downSvgData").contains(12.0f, 15.5f));
    EXPECT_FALSE(ZuIcons::byName("rightSvgData").contains(8.5f, 12.0f));

    // Closed padlocks keep the shackle on the body; open ones lift it.
    EXPECT_TRUE(ZuIcons::byName("svgLockCloseData").contains(16.7f, 10.5f));
    EXPECT_FALSE(ZuIcons::byName("svgLockOpenData").contains(16.7f, 10.5f));
    EXPECT_TRUE(ZuIcons::byName("lock2SvgData").contains(17.0f, 10.5f));
    EXPECT_FALSE(ZuIcons::byName("lock1SvgData").contains(17.0f, 10.5f));
}
} // namespace

namespace
{
TEST(IconLibrary, ModulationAddIconIsADiscWithAPlusHole)
{
    const auto add = ZuIcons::byName("svgModAdd");
    EXPECT_TRUE(add.isUsingNonZeroWinding());
    EXPECT_EQ(add.getBounds(), juce::Rectangle<float>(0.0f, 0.0f, 24.0f, 24.0f));
    EXPECT_TRUE(add.contains(12.0f, 2.0f));   // disc above the plus
    EXPECT_FALSE(add.contains(12.0f, 12.0f)); // where the bars meet
    EXPECT_FALSE(add.contains(6.0f, 12.0f));  // horizontal bar
    EXPECT_FALSE(add.contains(12.0f, 18.5f)); // vertical bar
    EXPECT_TRUE(add.contains(5.1f, 10.1f));   // rounded end corner: disc shows
    EXPECT_FALSE(add.contains(10.1f, 9.9f));  // square inner corner: hole
    EXPECT_TRUE(add.contains(9.9f, 9.9f));    // between the bars

    const auto arrow = ZuIcons::byName("svgArw");
    EXPECT_EQ(arrow.getBounds(), juce::Rectangle<float>(7.0f, 10.0f, 10.0f, 5.0f));
    EXPECT_TRUE(arrow.contains(12.0f, 11.0f));
    EXPECT_FALSE(arrow.contains(8.0f, 14.0f)); // points down
}
} // namespace
