// SPDX-License-Identifier: GPL-3.0-or-later
// The message overlay and the overwrite question.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ZuMessageWindows.h"

#include <gtest/gtest.h>

namespace
{
ZuMessageWindow messageWindow(const juce::String& subText)
{
    const juce::Colour black(0xff000000);
    return ZuMessageWindow("Folder permission denied.", subText, 0.21f, juce::Colour(0xff505050),
                           juce::Colour(0xffdddddd), black, black, black, black);
}

// A panel that records the answers it gets.
struct AskingPanel : ZuGuiBase
{
    void calloutBoxButtonIsClicked(int choice) override { answers.push_back(choice); }
    std::vector<int> answers;
};

juce::CallOutBox* openBox(juce::Component& editor)
{
    for (auto* child : editor.getChildren())
        if (auto* box = dynamic_cast<juce::CallOutBox*>(child))
            return box;
    return nullptr;
}

ZuOverWritePresetWndw* questionIn(juce::CallOutBox* box)
{
    if (box != nullptr)
        for (auto* child : box->getChildren())
            if (auto* window = dynamic_cast<ZuOverWritePresetWndw*>(child))
                return window;
    return nullptr;
}

TEST(MessageWindow, At1000By580TheFrameIs174HighWithTheTextInset26)
{
    auto oneLine = messageWindow("");
    oneLine.setBounds(0, 0, 1000, 580);
    EXPECT_EQ(oneLine.getFrameArea(), juce::Rectangle<int>(203, 203, 594, 174));
    EXPECT_EQ(oneLine.getTitleArea(), juce::Rectangle<int>(229, 229, 542, 110));
    EXPECT_TRUE(oneLine.getSubTextArea().isEmpty());
    EXPECT_FLOAT_EQ(oneLine.getFontFactor(), 0.21f);

    auto twoLines = messageWindow("Please check the folder permissions.");
    twoLines.setBounds(0, 0, 1000, 580);
    EXPECT_EQ(twoLines.getTitleArea(), juce::Rectangle<int>(229, 229, 542, 55));
    EXPECT_EQ(twoLines.getSubTextArea(), juce::Rectangle<int>(229, 284, 542, 55));
    EXPECT_FLOAT_EQ(twoLines.getFontFactor(), 0.33f);

    const auto image = twoLines.createComponentSnapshot(twoLines.getLocalBounds());
    EXPECT_EQ(image.getPixelAt(10, 10), juce::Colour(0xff000000));
    EXPECT_EQ(image.getPixelAt(203, 300), juce::Colour(0xff505050));
    EXPECT_FALSE(zutest::inkBoundsIn(image, twoLines.getSubTextArea(), juce::Colour(0xff000000)).isEmpty());
}

TEST(MessageWindow, OneAtATimeOverTheEditorAndAClickClosesAndDeletesIt)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    editor->openMessageWndw("Preset folder not found", "", 0.21f);
    juce::Component::SafePointer<ZuMessageWindow> first(editor->getMessageWndw());
    ASSERT_NE(first.getComponent(), nullptr);
    EXPECT_EQ(first->getBounds(), editor->getLocalBounds());
    EXPECT_EQ(editor->getChildren().getLast(), first.getComponent()) << "in front of everything";

    editor->openMessageWndw("Folder permission denied.", "Please check the folder permissions.", 0.21f);
    EXPECT_EQ(first.getComponent(), nullptr);
    juce::Component::SafePointer<ZuMessageWindow> second(editor->getMessageWndw());

    const auto now = juce::Time::getCurrentTime();
    second->mouseDown(juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), {500.0f, 300.0f}, {}, 1.0f,
                                       0.0f, 0.0f, 0.0f, 0.0f, second.getComponent(), second.getComponent(), now,
                                       {500.0f, 300.0f}, now, 1, false));
    EXPECT_EQ(second.getComponent(), nullptr);
    EXPECT_EQ(editor->getMessageWndw(), nullptr);
    editor->closeMessageWndw();
}

TEST(OverwriteWindow, SaveAsNewSitsLeftAndOverwriteRight)
{
    AskingPanel owner;
    ZuOverWritePresetWndw window(owner, "Overwrite existing file?", juce::Colour(0xff303030), juce::Colour(0xffdddddd),
                                 juce::Colour(0xff2a2a2a), juce::Colour(0xffdddddd), juce::Colour(0xffdddddd),
                                 juce::Colour(0xff303030));
    window.setSize(190, 92);
    EXPECT_EQ(window.getSaveAsNewButton().getBounds(), juce::Rectangle<int>(19, 50, 66, 27));
    EXPECT_EQ(window.getOverwriteButton().getBounds(), juce::Rectangle<int>(105, 50, 66, 27));
    EXPECT_EQ(window.getTextArea(), juce::Rectangle<int>(13, 19, 164, 14));
    EXPECT_EQ(window.getOverwriteButton().getCommandID(), 0);
    EXPECT_EQ(window.getSaveAsNewButton().getCommandID(), 1);
    EXPECT_EQ(window.getSaveAsNewButton().getProperties()["fontsize"].toString(), "0.55");
    EXPECT_EQ(window.getOverwriteButton().getProperties()["outlinecolor"].toString(),
              juce::Colour(0xffdddddd).darker(0.5f).toString());
    EXPECT_EQ(window.getOverwriteButton().findColour(juce::TextButton::textColourOnId), juce::Colour(0xff303030));
}

TEST(OverwriteWindow, TheAnswerReachesTheOwnerAfterTheBoxIsDismissed)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    AskingPanel panel;
    juce::TextButton anchor;
    panel.addAndMakeVisible(anchor);
    editor->addAndMakeVisible(panel);
    panel.setBounds(100, 100, 300, 100);
    anchor.setBounds(10, 10, 40, 20);

    panel.openOverWritePresetWndw(anchor);
    auto* box = openBox(*editor);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->findColour(juce::BubbleComponent::backgroundColourId), juce::Colour(0xff303030));
    EXPECT_EQ(box->findColour(juce::BubbleComponent::outlineColourId), juce::Colour(0xffaaaaaa));
    auto* question = questionIn(box);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->getWidth(), 190);
    EXPECT_EQ(question->getHeight(), 92);

    question->getOverwriteButton().onClick();
    EXPECT_EQ(panel.answers, std::vector<int>{0});
    EXPECT_TRUE(zutest::pumpUntil([&] { return openBox(*editor) == nullptr; }));

    // An owner deleted while the question is open is not called.
    auto gone = std::make_unique<AskingPanel>();
    editor->addAndMakeVisible(*gone);
    gone->setBounds(0, 0, 100, 100);
    gone->openOverWritePresetWndw(*gone);
    auto* orphan = questionIn(openBox(*editor));
    ASSERT_NE(orphan, nullptr);
    gone.reset();
    orphan->getSaveAsNewButton().onClick();
    EXPECT_TRUE(zutest::pumpUntil([&] { return openBox(*editor) == nullptr; }));
}

TEST(OverwriteWindow, StaysOpenWhileTheProcessSeemsInTheBackgroundUntilAClickOutside)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    AskingPanel panel;
    editor->addAndMakeVisible(panel);
    panel.setBounds(100, 100, 300, 100);
    panel.openOverWritePresetWndw(panel);
    ASSERT_NE(openBox(*editor), nullptr);

    // No window of this process has the focus here, as for an editor that a
    // host embeds: the question must not go away by itself.
    zutest::pumpFor(600);
    auto* box = openBox(*editor);
    ASSERT_NE(box, nullptr);
    box->inputAttemptWhenModal();
    EXPECT_TRUE(zutest::pumpUntil([&] { return openBox(*editor) == nullptr; }));
    EXPECT_TRUE(panel.answers.empty()) << "dismissed without an answer";
}

TEST(OverwriteWindow, OutsideTheEditorNothingOpens)
{
    AskingPanel panel;
    panel.setSize(100, 100);
    panel.openOverWritePresetWndw(panel);
    EXPECT_EQ(panel.getNumChildComponents(), 0);
    EXPECT_EQ(juce::ModalComponentManager::getInstance()->getNumModalComponents(), 0);
}

TEST(MessageWindow, TheOneLineMessageDrawsItsTextInItsColours)
{
    ZuMeessageWndw message("Saved", juce::Colour(0xff202020), juce::Colour(0xffeeeeee));
    message.setSize(200, 40);
    const auto image = message.createComponentSnapshot(message.getLocalBounds());
    EXPECT_EQ(image.getPixelAt(2, 2), juce::Colour(0xff202020));
    const auto ink = zutest::inkBounds(image, juce::Colour(0xff202020));
    EXPECT_TRUE(juce::Rectangle<int>(20, 10, 160, 20).contains(ink)) << ink.toString();
}
} // namespace
