// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestHelpers.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

namespace
{
bool defaultIsCommonLookAndFeel()
{
    return dynamic_cast<ZuCLAF_Base*>(&juce::LookAndFeel::getDefaultLookAndFeel()) != nullptr;
}

TEST(Editor, IsFoundByItsPanelsAndReachesTheProcessor)
{
    ZumiraboxAudioProcessor processor;
    processor.scaleFactor = 1.0f;
    auto editor = zutest::makeEditor(processor);
    EXPECT_EQ(editor->getWidth(), 1000);
    EXPECT_EQ(editor->getHeight(), 580);
    EXPECT_EQ(&editor->processor, &processor);
    EXPECT_NE(dynamic_cast<juce::DragAndDropContainer*>(editor.get()), nullptr);
    EXPECT_EQ(editor->indctSrcValue.toString(), "off");
    EXPECT_TRUE(processor.hasEditor());

    juce::Component panel;
    editor->addAndMakeVisible(panel);
    EXPECT_EQ(panel.findParentComponentOfClass<ZumiraboxAudioProcessorEditor>(), editor.get());
}

TEST(Editor, LastEditorToCloseResetsTheDefaultLookAndFeel)
{
    ZumiraboxAudioProcessor first, second;
    EXPECT_FALSE(defaultIsCommonLookAndFeel());

    auto a = zutest::makeEditor(first);
    EXPECT_TRUE(defaultIsCommonLookAndFeel());
    auto* shared = &juce::LookAndFeel::getDefaultLookAndFeel();
    auto b = zutest::makeEditor(second);
    EXPECT_EQ(&juce::LookAndFeel::getDefaultLookAndFeel(), shared);
    EXPECT_EQ(ZumiraboxAudioProcessorEditor::getNumOpenEditors(), 2);

    a.reset();
    EXPECT_EQ(&juce::LookAndFeel::getDefaultLookAndFeel(), shared);
    {
        ZuShared<ZuCLAF_Base> probe;
        EXPECT_EQ(&probe.get(), shared);
        EXPECT_GE(probe.getReferenceCount(), 2);
    }

    b.reset();
    EXPECT_FALSE(defaultIsCommonLookAndFeel());
    // The instance went with the last editor: a new share builds a new one.
    ZuShared<ZuCLAF_Base> probe;
    EXPECT_EQ(probe.getReferenceCount(), 1);
}

TEST(Editor, SwitchesToTheVisibleSkinAfterOpening)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    EXPECT_TRUE(editor->isTimerRunning(ZumiraboxAudioProcessorEditor::skinTimer));
    EXPECT_TRUE(zutest::pumpUntil([&] { return !editor->isTimerRunning(ZumiraboxAudioProcessorEditor::skinTimer); }));
}

TEST(Editor, OpensAndClosesManyTimes)
{
    ZumiraboxAudioProcessor processor;
    for (int i = 0; i < 5; ++i)
    {
        auto editor = zutest::makeEditor(processor);
        editor->addToDesktop(0);
        editor->setVisible(true);
        zutest::pumpFor(5);
    }
    EXPECT_EQ(ZumiraboxAudioProcessorEditor::getNumOpenEditors(), 0);
    EXPECT_FALSE(defaultIsCommonLookAndFeel());
}
} // namespace
