// SPDX-License-Identifier: GPL-3.0-or-later
// The whole editor at scale 1.0 and 1.5, written to build/test/screens/.

#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ScreenWriter.h"

#include <gtest/gtest.h>

namespace
{
TEST(EditorScreens, WholeEditorAtScaleOneAndOneAndAHalf)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZuShared<ZuMirabox_ColorTheme> theme;
    for (float scale : {1.0f, 1.5f})
    {
        ZumiraboxAudioProcessor processor;
        processor.scaleFactor = scale;
        processor.paramTree.setProperty("presetname", "Bass line", nullptr);
        auto editor = zutest::makeEditor(processor);
        ASSERT_TRUE(
            zutest::pumpUntil([&] { return !editor->isTimerRunning(ZumiraboxAudioProcessorEditor::skinTimer); }));
        const auto image = editor->createComponentSnapshot(editor->getLocalBounds(), true, 1.0f);
        EXPECT_EQ(image.getWidth(), (int) (1000 * scale));
        EXPECT_EQ(image.getHeight(), (int) (580 * scale));
        EXPECT_TRUE(zutest::writeScreen(image, scale == 1.0f ? "gui-editor-1.0.png" : "gui-editor-1.5.png"));

        // The background shows through the empty center area.
        const auto centre = juce::Point<float>(500.0f, 250.0f) * scale;
        EXPECT_EQ(image.getPixelAt((int) centre.x, (int) centre.y), theme->entry(0, 1));
        EXPECT_EQ(editor->getMainPanel()->menuPanel.presetButton.getButtonText(), "Bass line");
    }
}
} // namespace
