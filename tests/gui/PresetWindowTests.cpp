// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestHelpers.h"
#include "RenameWndw.h"
#include "ScreenWriter.h"
#include "WidgetTestHelpers.h"
#include "ZuOverWritePresetWndw2.h"
#include "ZuSaveAsWndw.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour c1(0xff303030), c2(0xffdddddd), c3(0xff2a2a2a), c4(0xffdddddd), c5(0xffdddddd), c6(0xff303030);

struct EditorFixture : ::testing::Test
{
    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor = zutest::makeEditor(processor);
};

using RenameWindow = EditorFixture;

TEST_F(RenameWindow, RefusesA51stCharacter)
{
    RenameWndw window(*editor, 1, "Pitch 1", c1, c2, c3, c4, c5, c6);
    auto& field = window.getTextField();
    EXPECT_EQ(field.getText(), "Pitch 1");
    field.setText({});
    field.insertTextAtCaret(juce::String::repeatedString("a", 51));
    EXPECT_EQ(field.getText().length(), 50);
    field.insertTextAtCaret("b");
    EXPECT_EQ(field.getText().length(), 50);
}

TEST_F(RenameWindow, ReturnClosesTheCallOutAndEscapeIsPassedOn)
{
    RenameWndw window(*editor, 1, "Pitch 1", c1, c2, c3, c4, c5, c6);
    window.setSize(180, 58);
    juce::CallOutBox box(window, {10, 10, 20, 20}, editor.get());
    ASSERT_TRUE(box.isVisible());

    // The field leaves Escape to the call-out, which closes on it.
    EXPECT_FALSE(window.getTextField().keyPressed(juce::KeyPress(juce::KeyPress::escapeKey)));
    EXPECT_FALSE(window.getTextField().keyPressed(juce::KeyPress(juce::KeyPress::returnKey)));
    EXPECT_TRUE(zutest::pumpUntil([&] { return !box.isVisible(); }));
}

TEST_F(RenameWindow, LaysTheFieldOutInsideItsMargins)
{
    RenameWndw window(*editor, 1, "Pitch 1", c1, c2, c3, c4, c5, c6);
    window.setSize(180, 58);
    EXPECT_EQ(window.getTextField().getBounds(), juce::Rectangle<int>(18, 12, 144, 34));
}

TEST(PresetWindows, OutliveTheirEditorSafely)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    auto rename = std::make_unique<RenameWndw>(*editor, 1, "Pitch 1", c1, c2, c3, c4, c5, c6);
    auto overwrite = std::make_unique<ZuOverWritePresetWndw2>(*editor, "A.zip", c1, c2, c3, c4, c5, c6);
    editor.reset();
    overwrite->exitWndw(&overwrite->getOverwriteButton());
    rename->getTextField().setText("Lead");
    rename.reset(); // commits to no editor: nothing happens
    SUCCEED();
}

using WholePresetOverwriteWindow = EditorFixture;

TEST_F(WholePresetOverwriteWindow, AsksAboutTheFileWithTwoBlanksBeforeTheSuffix)
{
    ZuOverWritePresetWndw2 window(*editor, "A.zip", c1, c2, c3, c4, c5, c6);
    EXPECT_EQ(window.getMessage(), "\"A.zip\"  already exists.");
    EXPECT_EQ(window.getOverwriteButton().getCommandID(), 0);
    EXPECT_EQ(window.getSaveAsNewButton().getCommandID(), 1);

    window.setSize(190, 85);
    // side 12, top 17, text 13; below 31, rem 53; inner 152, bw 66; pad 13, bh0 27, d 2.
    EXPECT_EQ(window.getMessageArea(), juce::Rectangle<int>(12, 17, 166, 13));
    EXPECT_EQ(window.getOverwriteButton().getBounds(), juce::Rectangle<int>(19, 46, 66, 25));
    EXPECT_EQ(window.getSaveAsNewButton().getBounds(), juce::Rectangle<int>(105, 46, 66, 25));
}

TEST_F(WholePresetOverwriteWindow, AButtonAnswersAndClosesTheCallOut)
{
    ZuOverWritePresetWndw2 window(*editor, "A.zip", c1, c2, c3, c4, c5, c6);
    window.setSize(190, 85);
    juce::CallOutBox box(window, {10, 10, 20, 20}, editor.get());
    processor.curPresetPath = "/presets/old.zip";
    ASSERT_TRUE(zutest::click(window.getSaveAsNewButton()));
    EXPECT_TRUE(zutest::pumpUntil([&] { return !box.isVisible(); }));
    EXPECT_EQ(processor.curPresetPath, "/presets/old.zip");

    // "Overwrite" with no save as waiting for it changes nothing.
    ZuOverWritePresetWndw2 again(*editor, "A.zip", c1, c2, c3, c4, c5, c6);
    juce::CallOutBox box2(again, {10, 10, 20, 20}, editor.get());
    ASSERT_TRUE(zutest::click(again.getOverwriteButton()));
    EXPECT_TRUE(zutest::pumpUntil([&] { return !box2.isVisible(); }));
    // No save as is waiting for the answer: nothing is overwritten.
    EXPECT_EQ(processor.curPresetPath, "/presets/old.zip");
}

using SaveAsWindow = EditorFixture;

TEST_F(SaveAsWindow, ShowsTheDescriptionAndWritesItBack)
{
    juce::ValueTree info("PresetInfo");
    info.setProperty("preset_name", "Preset", nullptr);
    info.setProperty("preset_cate", 100005, nullptr);
    ZuSaveAsWndw window(*editor, info, {}, "Me", c1, c2, c3, c4, c5, c6);

    EXPECT_TRUE(window.getNameField().getText().isEmpty());
    EXPECT_FALSE(window.getSaveButton().isEnabled());
    EXPECT_EQ(window.getAuthorField().getText(), "Me");
    EXPECT_EQ(window.getCategoryBox().getNumItems(), 17);
    EXPECT_EQ(window.getCategoryBox().getText(), "Guitars");
    EXPECT_EQ(window.getRatingBox().getNumItems(), 6);
    EXPECT_EQ(window.getRatingBox().getText(), "3");

    window.getNameField().insertTextAtCaret("My: <Lead>?");
    EXPECT_TRUE(zutest::pumpUntil([&] { return window.getSaveButton().isEnabled(); }));
    window.getRatingBox().setSelectedItemIndex(0, juce::dontSendNotification);
    ASSERT_TRUE(zutest::click(window.getSaveButton()));
    EXPECT_EQ(info.getProperty("preset_name").toString(), "My Lead");
    EXPECT_EQ(info.getProperty("preset_author").toString(), "Me");
    EXPECT_EQ((int) info.getProperty("preset_cate"), 100005);
    EXPECT_EQ((int) info.getProperty("preset_rating"), 400001);
}

TEST_F(SaveAsWindow, KeepsStoredIndicesInRange)
{
    const std::tuple<juce::var, juce::var, int, int> cases[] = {
        {100050, 400010, 16, 5}, {5, 7, 0, 2}, {juce::var(), juce::var(), 0, 2}, {100016, 400005, 16, 4}};
    for (const auto& [cate, rating, category, ratingIndex] : cases)
    {
        juce::ValueTree info("PresetInfo");
        if (!cate.isVoid())
            info.setProperty("preset_cate", cate, nullptr);
        if (!rating.isVoid())
            info.setProperty("preset_rating", rating, nullptr);
        info.setProperty("preset_author", "Someone", nullptr);
        ZuSaveAsWndw window(*editor, info, {}, "Me", c1, c2, c3, c4, c5, c6);
        EXPECT_EQ(window.getCategoryBox().getSelectedItemIndex(), category);
        EXPECT_EQ(window.getRatingBox().getSelectedItemIndex(), ratingIndex);
        EXPECT_EQ(window.getAuthorField().getText(), "Someone");
    }
}

TEST(Screens, RenameAndOverwrite)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    RenameWndw rename(*editor, 1, "Pitch SEQ 1", c1, c2, c3, c4, c5, c6);
    rename.setSize(180, 58);
    EXPECT_TRUE(zutest::writeScreen(rename.createComponentSnapshot(rename.getLocalBounds()), "gui-rename.png"));

    const juce::Colour popup(0xff262626);
    ZuOverWritePresetWndw2 overwrite(*editor, "My Preset.zip", popup, juce::Colour(0xffdddddd), popup,
                                     juce::Colour(0xffdddddd), juce::Colour(0xffdddddd), popup);
    overwrite.setSize(190, 85);
    EXPECT_TRUE(
        zutest::writeScreen(overwrite.createComponentSnapshot(overwrite.getLocalBounds()), "gui-overwrite2.png"));
}
} // namespace
