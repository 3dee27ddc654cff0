// SPDX-License-Identifier: GPL-3.0-or-later
// The whole editor at scale 1.0 and 1.5, empty and with four pitch units, and
// a pitch unit at the sizes the editor gives it, written to build/test/screens/.

#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "ZuMirabox_CenterContent.h"

#include <gtest/gtest.h>

namespace
{
const char* scaleName(float scale)
{
    return scale == 1.0f ? "1.0" : "1.5";
}

// An editor on a processor at that window scale, with its first build, its
// unit column and its visible skin done.
std::unique_ptr<ZumiraboxAudioProcessorEditor> settledEditor(ZumiraboxAudioProcessor& processor, float scale, int units)
{
    processor.scaleFactor = scale;
    auto editor = zutest::makeEditor(processor);
    auto& content = *editor->getMainPanel()->centerContainer.getCenterContent();
    EXPECT_TRUE(zutest::pumpUntil(
        [&]
        {
            return !editor->isTimerRunning(ZumiraboxAudioProcessorEditor::skinTimer) &&
                   content.getNumUnitPanels() == units && !content.isTimerRunning(ZuMirabox_CenterContent::colourTimer);
        }));
    zutest::pumpFor(100);
    return editor;
}

TEST(EditorScreens, WholeEditorAtScaleOneAndOneAndAHalf)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZuShared<ZuMirabox_ColorTheme> theme;
    for (float scale : {1.0f, 1.5f})
    {
        ZumiraboxAudioProcessor processor;
        processor.paramTree.setProperty("presetname", "Bass line", nullptr);
        auto editor = settledEditor(processor, scale, 0);
        const auto image = editor->createComponentSnapshot(editor->getLocalBounds(), true, 1.0f);
        EXPECT_EQ(image.getWidth(), (int) (1000 * scale));
        EXPECT_EQ(image.getHeight(), (int) (580 * scale));
        EXPECT_TRUE(zutest::writeScreen(image, juce::String("gui-editor-") + scaleName(scale) + ".png"));

        // The background shows through the empty center area.
        const auto centre = juce::Point<float>(500.0f, 250.0f) * scale;
        EXPECT_EQ(image.getPixelAt((int) centre.x, (int) centre.y), theme->entry(0, 1));
        EXPECT_EQ(editor->getMainPanel()->menuPanel.presetButton.getButtonText(), "Bass line");
    }
}

// What a user sees with four pitch units, and the normal and expanded pitch
// unit cut out of the same window at the pixel size it has there.
TEST(EditorScreens, FourPitchUnitsAndAPitchUnitNormalAndExpanded)
{
    zutest::DefaultScaleAfterwards defaultScale;
    for (float scale : {1.0f, 1.5f})
    {
        SCOPED_TRACE(scale);
        const juce::String suffix = juce::String("-") + scaleName(scale) + ".png";
        ZumiraboxAudioProcessor processor;
        processor.mainTree.setProperty("ctstate", "CT:100 200 300 400 ", nullptr);
        // Steps with notes and a window, as a song would have them.
        auto seqmain = processor.paramTree.getChildWithName("seqmain");
        for (int u = 0; u < 4; ++u)
        {
            const auto prefix = "p1m1" + juce::String(u + 1) + "_";
            auto unit = seqmain.getChildWithName("ptchsq" + juce::String(u + 1));
            for (int s = 1; s <= 16; ++s)
                unit.setProperty(prefix + "pch" + juce::String(s), (s * (u + 3)) % 13, nullptr);
        }
        auto editor = settledEditor(processor, scale, 4);
        auto& content = *editor->getMainPanel()->centerContainer.getCenterContent();
        EXPECT_TRUE(zutest::writeScreen(editor->createComponentSnapshot(editor->getLocalBounds(), true, 1.0f),
                                        "gui-editor-4pitch" + suffix));

        // The first unit as the window shows it: about 0.2085 of the column.
        auto* unit = content.getUnitPanel(0);
        const auto area = editor->getLocalArea(unit, unit->getLocalBounds());
        EXPECT_NEAR((double) area.getHeight() / (double) editor->getHeight(), 0.2085 * 0.75, 0.05);
        EXPECT_TRUE(
            zutest::writeScreen(editor->createComponentSnapshot(area, true, 1.0f), "gui-pitch-unit-normal" + suffix));

        // Expanded, it takes about 0.448 of the column.
        unit->expandButton.setToggleState(true, juce::sendNotification);
        zutest::pumpFor(100);
        const auto expanded = editor->getLocalArea(unit, unit->getLocalBounds());
        EXPECT_GT(expanded.getHeight(), 2 * area.getHeight());
        EXPECT_TRUE(zutest::writeScreen(editor->createComponentSnapshot(expanded, true, 1.0f),
                                        "gui-pitch-unit-expanded" + suffix));
    }
}
} // namespace
