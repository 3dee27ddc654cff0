// SPDX-License-Identifier: GPL-3.0-or-later
// Screens of the unit frame, the message overlay and the overwrite question.
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "UnitFrameFixture.h"
#include "ZuMessageWindows.h"

#include <gtest/gtest.h>

namespace
{
// A pitch unit frame in the visible skin's colours.
std::unique_ptr<zutest::TestUnitPanel> skinnedFrame()
{
    ZuShared<ZuMirabox_ColorTheme> theme;
    auto frame = std::make_unique<zutest::TestUnitPanel>(0, 0, true);
    frame->headerColor = theme->pitchUnitColor[1];
    frame->minimizedHeaderColor = theme->pitchUnitDarkColor;
    frame->colorMappingGlobalStuff();
    return frame;
}

TEST(Screens, UnitFrameNormalMinimisedAndWithTheModulationArea)
{
    const int width = 1000;
    const std::array<int, 3> heights{121, 17, 256};
    juce::Image sheet(juce::Image::ARGB, width + 20, 121 + 17 + 256 + 40, true);
    juce::Graphics g(sheet);
    g.fillAll(juce::Colour(0xff101010));
    int y = 10;
    for (int variant = 0; variant < 3; ++variant)
    {
        auto frame = skinnedFrame();
        if (variant == 1)
            frame->minimizeButton.setToggleState(true, juce::dontSendNotification);
        if (variant == 2)
        {
            frame->modButton.setToggleState(true, juce::dontSendNotification);
            frame->expandButton.setToggleState(true, juce::dontSendNotification);
        }
        frame->colorMappingGlobalStuff();
        frame->setBounds(0, 0, width, heights[(size_t) variant]);
        const auto image = frame->createComponentSnapshot(frame->getLocalBounds());
        if (variant == 0)
        {
            EXPECT_EQ(image.getPixelAt(1, 60), frame->headerColor) << "the strip in the unit's colour";
        }
        if (variant == 2)
        {
            EXPECT_EQ(image.getPixelAt(frame->modArea.getCentreX(), frame->modArea.getCentreY()),
                      juce::Colour(0xff2a2a2a));
        }
        g.drawImageAt(image, 10, y);
        y += heights[(size_t) variant] + 10;
    }
    EXPECT_TRUE(zutest::writeScreen(sheet, "gui-unit-frame.png"));
}

TEST(Screens, MessageWindow)
{
    const juce::Colour black(0xff000000);
    ZuMessageWindow window("Folder permission denied.", "Please check the folder permissions.", 0.21f,
                           juce::Colour(0xff505050), juce::Colour(0xffdddddd), black, black, black, black);
    window.setBounds(0, 0, 1000, 580);
    EXPECT_TRUE(zutest::writeScreen(window.createComponentSnapshot(window.getLocalBounds()), "gui-message-window.png"));
}

TEST(Screens, OverwriteQuestionInItsCallOut)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    zutest::TestUnitPanel frame(0, 0, true);
    editor->addAndMakeVisible(frame);
    frame.setBounds(0, 100, 1000, 121);
    frame.openOverWritePresetWndw(frame.menuButton);
    juce::CallOutBox* box = nullptr;
    for (auto* child : editor->getChildren())
        if (auto* b = dynamic_cast<juce::CallOutBox*>(child))
            box = b;
    ASSERT_NE(box, nullptr);
    const auto image = box->createComponentSnapshot(box->getLocalBounds());
    EXPECT_TRUE(zutest::writeScreen(image, "gui-overwrite.png"));
    box->dismiss();
    zutest::pumpUntil([&] { return editor->getNumChildComponents() <= 2; });
}
} // namespace
