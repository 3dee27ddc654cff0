// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessagePump.h"
#include "ModDisplayFixture.h"
#include "PluginProcessor.h"
#include "ScreenWriter.h"
#include "SeqUnitModPanelMain.h"

#include <gtest/gtest.h>

namespace
{
using zutest::pumpUntil;

// The second CC rack's area on the processor's own "ccrack2mod" tree.
struct RackModArea : ::testing::Test
{
    ZumiraboxAudioProcessor processor;
    juce::ValueTree tree = processor.paramTree.getChildWithName("modmain").getChildWithName("ccrack2mod");
    zutest::ShowingHost host{1000, 200};
    std::unique_ptr<SeqUnitModPanelMain> area;

    void build()
    {
        area = std::make_unique<SeqUnitModPanelMain>(tree, processor.lfoData, 4, 1);
        host.addAndMakeVisible(*area);
        area->setBounds(0, 0, 960, 180);
    }
};

TEST_F(RackModArea, NewUnitBuildsTheFirstPageOnly)
{
    ASSERT_TRUE(tree.isValid());
    build();
    ASSERT_NE(area->getPage(0), nullptr);
    EXPECT_EQ(area->getPage(1), nullptr);
    EXPECT_EQ(area->getPagesBuilt(), 1);
    EXPECT_EQ((double) tree.getProperty("p6m520_tab"), 0.0);
    for (int k = 0; k < 4; ++k)
    {
        const juce::String prefix = "p6m52" + juce::String(k + 1) + "_";
        auto slotTree = tree.getChildWithName("mod" + juce::String(k + 1));
        EXPECT_TRUE(slotTree.hasProperty(prefix + "engn")) << prefix;
        EXPECT_EQ(area->getPage(0)->getSlotEditor(k).getHeader().getHandle().ddId, "m52MOD" + juce::String(k + 1));
    }
}

TEST_F(RackModArea, SecondPageIsBuiltOnceOnClick)
{
    build();
    pumpUntil([&] { return !area->getTabButton().isUpdatePending(); });
    area->getTabButton().getButton(1).triggerClick();
    ASSERT_TRUE(pumpUntil([&] { return (double) tree.getProperty("p6m520_tab") == 1.0; }));
    ASSERT_TRUE(pumpUntil([&] { return area->getCurrentTabIndex() == 1; }));
    ASSERT_NE(area->getPage(1), nullptr);
    EXPECT_EQ(area->getPage(1)->getSlotEditor(3).getHeader().getHandle().ddId, "m52MOD8");
    EXPECT_TRUE(tree.getChildWithName("mod8").hasProperty("p6m528_pwr"));
    auto* second = area->getPage(1);

    area->getTabButton().getButton(0).triggerClick();
    ASSERT_TRUE(pumpUntil([&] { return area->getCurrentTabIndex() == 0; }));
    area->getTabButton().getButton(1).triggerClick();
    ASSERT_TRUE(pumpUntil([&] { return area->getCurrentTabIndex() == 1; }));
    EXPECT_EQ(area->getPage(1), second);
    EXPECT_EQ(area->getPagesBuilt(), 2);
}

TEST_F(RackModArea, StoredPageOpensAfterTheAsynchronousUpdate)
{
    tree.setProperty("p6m520_tab", 1.0, nullptr);
    build();
    EXPECT_NE(area->getPage(0), nullptr); // built during construction
    ASSERT_TRUE(pumpUntil([&] { return area->getCurrentTabIndex() == 1; }));
    EXPECT_NE(area->getPage(1), nullptr);
    EXPECT_TRUE(area->getTabButton().getButton(1).getToggleState());
}

TEST_F(RackModArea, SkinReachesBuiltPagesAndLaterOnes)
{
    build();
    const juce::Colour unit(0xffc07040);
    area->setSkinMode(1, unit);
    EXPECT_EQ(area->getPage(0)->getSlotEditor(0).getBgColour(), ZuShared<ZuMirabox_ColorTheme>()->entry(56, 1));
    tree.setProperty("p6m520_tab", 1.0, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return area->getPage(1) != nullptr; }));
    EXPECT_EQ(area->getPage(1)->getSlotEditor(2).getBgColour(), ZuShared<ZuMirabox_ColorTheme>()->entry(56, 1));
    EXPECT_EQ(area->getPage(1)->getSlotEditor(2).getHeader().getSlotLabel().findColour(juce::Label::textColourId),
              unit);
}

TEST(UnitModArea, ModulationUnitNumbers)
{
    ZumiraboxAudioProcessor processor;
    const auto modmain = processor.paramTree.getChildWithName("modmain");
    const struct
    {
        const char* tree;
        int type, index;
        const char* handle;
    } cases[] = {{"octtpsqmod", 3, 0, "m41MOD1"}, {"ptchsq2mod", 0, 1, "m12MOD1"}, {"ccsq4mod", 2, 3, "m34MOD1"}};
    for (const auto& c : cases)
    {
        SeqUnitModPanelMain area(modmain.getChildWithName(c.tree), processor.lfoData, c.type, c.index);
        EXPECT_EQ(area.getPage(0)->getSlotEditor(0).getHeader().getHandle().ddId, c.handle) << c.tree;
    }
}

TEST_F(RackModArea, Screen)
{
    build();
    tree.getChildWithName("mod1").setProperty("p6m521_pwr", 1, nullptr);
    tree.getChildWithName("mod2").setProperty("p6m522_pwr", 1, nullptr);
    tree.getChildWithName("mod2").setProperty("p6m522_engn", 1.0, nullptr);
    tree.getChildWithName("mod3").setProperty("p6m523_engn", 2.0, nullptr);
    area->setSkinMode(1, ZuShared<ZuMirabox_ColorTheme>()->entry(50, 1));
    zutest::pumpFor(400);
    EXPECT_TRUE(zutest::writeScreen(area->createComponentSnapshot(area->getLocalBounds(), true, 1.5f),
                                    "gui-unit-mod-panel-ccrack2.png"));
}
} // namespace
