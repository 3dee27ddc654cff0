// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestHelpers.h"
#include "MacroPanel.h"
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "ZuEditorAccess.h"
#include "ZuModulatableKnob.h"

#include <gtest/gtest.h>

namespace
{
struct MacroPage
{
    explicit MacroPage(bool dropThirdName = false)
    {
        auto tree = ZuEditorAccess(processor).getMainTree();
        if (dropThirdName)
            tree.removeProperty("macrolabel3", nullptr);
        page = std::make_unique<ModPanelMain>(ZuEditorAccess(processor).getParameterState(), tree, processor.globalData,
                                              processor.lfoData, window, juce::Value(), juce::Value());
        page->setBounds(0, 0, 1000, 130);
    }

    ZumiraboxAudioProcessor processor;
    MyDocumentWindow window{"Mod", juce::Colours::black, juce::ValueTree("window"), 0, false};
    std::unique_ptr<ModPanelMain> page;
};

TEST(MacroPage, MissingNamesAreCreatedAndRenamesStored)
{
    MacroPage f(true);
    auto tree = ZuEditorAccess(f.processor).getMainTree();
    EXPECT_EQ(tree["macrolabel3"].toString(), "Macro");
    EXPECT_EQ(f.page->macroPanel.units[2]->nameLabel.getText(), "Macro");

    f.page->macroPanel.units[4]->nameLabel.setText("Cutoff", juce::sendNotificationSync);
    EXPECT_EQ(tree["macrolabel5"].toString(), "Cutoff");
    tree.setProperty("macrolabel1", "Drive", nullptr);
    EXPECT_EQ(f.page->macroPanel.units[0]->nameLabel.getText(), "Drive");
}

TEST(MacroPage, HostParameterMovesTheKnob)
{
    MacroPage f;
    auto* parameter = ZuEditorAccess(f.processor).getParameterState().getParameter("p7_macro8");
    ASSERT_NE(parameter, nullptr);
    parameter->setValueNotifyingHost(0.75f);
    auto& knob = f.page->macroPanel.units[7]->knob;
    EXPECT_TRUE(zutest::pumpUntil([&] { return std::abs(knob.getValue() - 0.75) < 1e-6; }));
    EXPECT_EQ(knob.getName(), "8");
    EXPECT_EQ(f.page->macroPanel.units[7]->handle.ddId, "MACRO8");
}

TEST(MacroPage, Layout)
{
    MacroPage f;
    // Page 1000 x 130: margin 3, sides 149, row at (150, 3, 700, 124).
    EXPECT_EQ(f.page->macroPanel.getBounds(), juce::Rectangle<int>(150, 3, 700, 124));
    // Row: c = 694, unit width 79, gap 7, first x int((694 - 632 - 49) / 2) + 3 = 9.
    EXPECT_EQ(f.page->macroPanel.units[0]->getBounds(), juce::Rectangle<int>(9, 3, 79, 118));
    EXPECT_EQ(f.page->macroPanel.units[7]->getBounds(), juce::Rectangle<int>(9 + 7 * 86, 3, 79, 118));
    auto& unit = *f.page->macroPanel.units[0];
    // Unit 77 x 116 inside: knob 87 high, gap 5, bottom row 24, handle 28 wide.
    EXPECT_EQ(unit.knob.getBounds(), juce::Rectangle<int>(2, 1, 75, 87));
    EXPECT_EQ(unit.handle.getBounds(), juce::Rectangle<int>(50, 93, 27, 24));
    EXPECT_EQ(unit.nameLabel.getBounds(), juce::Rectangle<int>(1, 93, 47, 24));
}

TEST(MacroPage, SkinChangeRecoloursLabelsButNotTheHandleHighlight)
{
    MacroPage f;
    ZuMirabox_ColorTheme theme;
    f.page->setSkinMode(1);
    auto& unit = *f.page->macroPanel.units[0];
    EXPECT_EQ(unit.nameLabel.findColour(juce::Label::backgroundColourId), theme.entry(54, 1));
    EXPECT_EQ(unit.nameLabel.findColour(juce::Label::textColourId), theme.entry(55, 1));
    EXPECT_EQ(unit.handle.handleBgColor, theme.entry(1, 1));
    EXPECT_EQ(unit.handle.iconColor, theme.entry(53, 0));
}

TEST(MacroPage, ScreensOfTheMacroPageAndTheKnobs)
{
    MacroPage f;
    f.page->setSkinMode(1);
    const auto page = f.page->createComponentSnapshot(f.page->getLocalBounds());
    EXPECT_TRUE(zutest::writeScreen(page, "gui-macro-page.png"));

    juce::Component sheet;
    sheet.setSize(240, 100);
    juce::ValueTree tree("ptchsq1");
    ZuModulatableKnob below(2), beside(2);
    below.setAttachment(tree, "p1m11_pch3", 0.4f, {0.0, 1.0});
    beside.setAttachment(tree, "p1m11_pch4", 0.7f, {0.0, 1.0});
    beside.layoutMode = 1;
    below.slots[0].setSrcVal(3.0);
    below.slots[0].setValue(0.6f);
    below.slots[1].setSrcVal(10.0);
    below.slots[1].setValue(-0.4f);
    ZuPairOfModKnobs pair(true, 2);
    pair.setAttachment(tree, "p1m11_oct");
    pair.slots[0].setSrcVal(12.0);
    pair.slots[0].setValue(0.8f);
    for (auto* c : std::initializer_list<juce::Component*>{&below, &beside, &pair})
        sheet.addAndMakeVisible(c);
    below.setBounds(10, 10, 60, 80);
    beside.setBounds(90, 10, 80, 60);
    pair.setBounds(180, 40, 50, 20);
    EXPECT_TRUE(zutest::writeScreen(sheet.createComponentSnapshot(sheet.getLocalBounds()), "gui-mod-knobs.png"));
}
} // namespace
