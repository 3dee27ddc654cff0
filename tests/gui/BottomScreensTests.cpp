// SPDX-License-Identifier: GPL-3.0-or-later
// Every page of the bottom area as the editor shows it at scale 1.0 and 1.5,
// written to build/test/screens/ for people to look at.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "WidgetTestHelpers.h"
#include "ZuMidiMapPanel.h"
#include "ZuMirabox_BottomPanel.h"

#include <gtest/gtest.h>

namespace
{
TEST(BottomScreens, EveryPageAtScaleOneAndOneAndAHalf)
{
    zutest::DefaultScaleAfterwards defaultScale;
    const char* names[] = {"main", "macro", "chainer", "setting", "color"};
    for (float scale : {1.0f, 1.5f})
    {
        ZumiraboxAudioProcessor processor;
        processor.scaleFactor = scale;
        auto editor = zutest::makeEditor(processor);
        ASSERT_TRUE(
            zutest::pumpUntil([&] { return !editor->isTimerRunning(ZumiraboxAudioProcessorEditor::skinTimer); }));
        auto& bottom = editor->getMainPanel()->bottomPanel;
        // The record button shows once the editor has settled.
        ASSERT_TRUE(zutest::pumpUntil([&] { return bottom.mainPagePanel.recPanel.recordButton.isVisible(); }));
        for (int page = 0; page < BottomMenuButton::numPages; ++page)
        {
            processor.mainTree.setProperty("btm_wndwsel", page, nullptr);
            ASSERT_TRUE(zutest::pumpUntil([&] { return bottom.getShownPage() == page; }));
            const auto area = (bottom.getBounds().toFloat() * scale).getSmallestIntegerContainer();
            const auto image = editor->createComponentSnapshot(area, true, 1.0f);
            EXPECT_TRUE(zutest::writeScreen(image, juce::String("gui-bottom-") + names[page] + "-" +
                                                       (scale == 1.0f ? "1.0" : "1.5") + ".png"));
        }

        // The two call-outs the pages open over the editor: the recorder's
        // targets and the MIDI map.
        const juce::String suffix = scale == 1.0f ? "1.0" : "1.5";
        const auto writeCallOut = [&](const juce::String& name)
        {
            const auto image = editor->createComponentSnapshot(editor->getLocalBounds(), true, 1.0f);
            EXPECT_TRUE(zutest::writeScreen(image, "gui-callout-" + name + "-" + suffix + ".png"));
            if (auto* box =
                    dynamic_cast<juce::CallOutBox*>(editor->getChildComponent(editor->getNumChildComponents() - 1)))
                box->dismiss();
            EXPECT_TRUE(
                zutest::pumpUntil([&] { return zutest::openCallOutContent<juce::Component>(*editor) == nullptr; }));
        };
        processor.mainTree.setProperty("btm_wndwsel", 0, nullptr);
        ASSERT_TRUE(zutest::pumpUntil([&] { return bottom.getShownPage() == 0; }));
        bottom.mainPagePanel.recPanel.editButtonClicked();
        ASSERT_NE(zutest::openCallOutContent<RecEditPanel>(*editor), nullptr);
        writeCallOut("rec-targets");
        processor.mainTree.setProperty("btm_wndwsel", 3, nullptr);
        ASSERT_TRUE(zutest::pumpUntil([&] { return bottom.getShownPage() == 3; }));
        bottom.settingsPagePanel.mapEditButtonClicked();
        ASSERT_NE(zutest::openCallOutContent<ZuMidiMapPanel>(*editor), nullptr);
        writeCallOut("midi-map");
    }
}

TEST(BottomScreens, TheMainPageBoxesMagnified)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    ASSERT_TRUE(zutest::pumpUntil([&] { return !editor->isTimerRunning(ZumiraboxAudioProcessorEditor::skinTimer); }));
    auto& page = editor->getMainPanel()->bottomPanel.mainPagePanel;
    ASSERT_TRUE(zutest::pumpUntil([&] { return page.recPanel.recordButton.isVisible(); }));
    // The recorder as it is after a take on every lane.
    for (auto& item : page.recPanel.items)
        item->setVisible(true);
    // Three times the design size, a third of the page in each picture.
    const int third = page.getWidth() / 3 + 1;
    for (int part = 0; part < 3; ++part)
    {
        const auto image = page.createComponentSnapshot({part * third, 0, third, page.getHeight()}, true, 3.0f);
        EXPECT_TRUE(zutest::writeScreen(image, "gui-bottom-main-x3-" + juce::String(part + 1) + ".png"));
    }
}
} // namespace
