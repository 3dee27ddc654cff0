// SPDX-License-Identifier: GPL-3.0-or-later
// The chord section: power, targets, and the floating chord set window with
// its stored place and size.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "WidgetTestHelpers.h"

#include "ChordPanel.h"
#include "ZuMirabox_BottomPanel.h"
#include "SEQ1ChordModeEditPanel.h"

#include <gtest/gtest.h>

namespace
{
// The chord section of the scale page in a real editor; place() opens the
// editor (again) and takes its section.
struct ChordSection : ::testing::Test
{
    ChordSection() { place(); }

    void place()
    {
        editor.reset();
        editor = zutest::makeEditor(processor);
        section = &editor->getMainPanel()->bottomPanel.mainPagePanel.chordPanel;
        ASSERT_EQ(section->getBounds(), juce::Rectangle<int>(300, 3, 112, 56));
        section->setSkinMode(1);
    }
    bool shown() const { return editor->findChildWithID(ChordPanel::windowId) != nullptr; }
    int countShown() const
    {
        int n = 0;
        for (auto* c : editor->getChildren())
            n += c->getComponentID() == ChordPanel::windowId ? 1 : 0;
        return n;
    }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor;
    ChordPanel* section = nullptr;
};
} // namespace

TEST_F(ChordSection, OpenShowsTheWindowAtItsFreshPlaceAndTheStoredFactorsPlaceIt)
{
    ASSERT_EQ(editor->getWidth(), 1000);
    ASSERT_EQ(editor->getHeight(), 580);
    // A new instance stores a height factor of 0.43.
    ASSERT_TRUE(zutest::click(section->openButton));
    ASSERT_TRUE(zutest::pumpUntil([&] { return shown(); }));
    EXPECT_EQ(section->getWindow().getBounds(), juce::Rectangle<int>(1000 - 468 - 14, 580 - 249 - 14, 468, 249));
    ASSERT_TRUE(zutest::click(section->openButton));
    ASSERT_TRUE(zutest::pumpUntil([&] { return !shown(); }));

    // Without stored geometry: 35 % of the height, 1.88 times as wide, in
    // the lower right corner.
    for (const char* id : {"chord_wndwhfactor", "chord_wndwposfactorx", "chord_wndwposfactory"})
        processor.mainTree.removeProperty(id, nullptr);
    ASSERT_TRUE(zutest::click(section->openButton));
    ASSERT_TRUE(zutest::pumpUntil([&] { return shown(); }));
    EXPECT_TRUE((bool) processor.mainTree["chord_edit"]);
    EXPECT_EQ(section->getWindow().getBounds(), juce::Rectangle<int>(1000 - 382 - 11, 580 - 203 - 12, 382, 203));
    EXPECT_TRUE(section->getWindow().getName().isEmpty());
    EXPECT_EQ(section->getWindow().getTitleBarHeight(), 22);
    EXPECT_EQ(section->getChordEditPanel().getBounds(), juce::Rectangle<int>(1, 23, 380, 179));

    // The window stays while OPEN is on, whoever asks to open it.
    section->openChordFloatWndw();
    section->checkChordEditWndw();
    processor.mainTree.setProperty("chord_edit", true, nullptr);
    zutest::pumpFor(100);
    EXPECT_TRUE(shown());
    EXPECT_EQ(countShown(), 1);

    struct Case
    {
        juce::var height, x, y;
        juce::Rectangle<int> bounds;
    };
    const juce::Rectangle<int> fresh(607, 365, 382, 203);
    const std::vector<Case> cases{
        {0.95, -1.0, -1.0, {1000 - 981 - 29, 580 - 522 - 31, 981, 522}},
        {0.05, -1.0, -1.0, {1000 - 109 - 3, 580 - 58 - 3, 109, 58}},
        {0.35, 0.99, 1.5, {618, 377, 382, 203}},
        {0.35, -0.3, -0.5, {0, 0, 382, 203}},
        {0.35, 0.5, 0.25, {500, 145, 382, 203}},
        {"nan", "nan", "nan", fresh},
        {"inf", "-inf", "inf", fresh},
        {std::numeric_limits<double>::quiet_NaN(), 0.5, std::numeric_limits<double>::infinity(), fresh},
        {"abc", "abc", "abc", {0, 0, 109, 58}},
    };
    for (const auto& c : cases)
    {
        section->closeChordFloatWndw();
        ASSERT_FALSE(shown());
        processor.mainTree.setProperty("chord_wndwhfactor", c.height, nullptr);
        processor.mainTree.setProperty("chord_wndwposfactorx", c.x, nullptr);
        processor.mainTree.setProperty("chord_wndwposfactory", c.y, nullptr);
        section->openChordFloatWndw();
        ASSERT_TRUE(shown());
        EXPECT_EQ(section->getWindow().getBounds(), c.bounds)
            << c.height.toString() << " " << c.x.toString() << " " << c.y.toString();
    }
}

TEST_F(ChordSection, PowerOffClosesTheWindowAndDisablesOpenAndTheTargets)
{
    ASSERT_TRUE(zutest::click(section->openButton));
    ASSERT_TRUE(zutest::pumpUntil([&] { return shown(); }));
    processor.chordNoteTarget = 4;

    zutest::setHostParameter(processor, "p9_chord_pwr", 0.0f);
    EXPECT_FALSE(shown());
    EXPECT_FALSE(section->openButton.getToggleState());
    EXPECT_FALSE((bool) processor.mainTree["chord_edit"]);
    EXPECT_FALSE(section->openButton.isEnabled());
    EXPECT_FALSE(section->targetPanel.isEnabled());
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);

    zutest::setHostParameter(processor, "p9_chord_pwr", 1.0f);
    EXPECT_TRUE(section->openButton.isEnabled());
    EXPECT_TRUE(section->targetPanel.isEnabled());
    zutest::pumpFor(100);
    EXPECT_FALSE(shown());

    // A section built with power off starts with both disabled; "chord_edit" stays.
    zutest::setHostParameter(processor, "p9_chord_pwr", 0.0f);
    processor.mainTree.setProperty("chord_edit", 1, nullptr);
    place();
    EXPECT_FALSE(section->openButton.isEnabled());
    EXPECT_FALSE(section->targetPanel.isEnabled());
    EXPECT_TRUE((bool) processor.mainTree["chord_edit"]);
}

TEST_F(ChordSection, ASectionBuiltWithChordEditOnShowsTheWindowOnceHalfASecondLater)
{
    processor.mainTree.setProperty("chord_edit", 1, nullptr);
    processor.mainTree.setProperty("chord_wndwhfactor", 0.5, nullptr);
    processor.mainTree.setProperty("chord_wndwposfactorx", 0.1, nullptr);
    processor.mainTree.setProperty("chord_wndwposfactory", 0.2, nullptr);
    const auto start = juce::Time::getMillisecondCounterHiRes();
    place();
    EXPECT_FALSE(shown());
    ASSERT_TRUE(zutest::pumpUntil([&] { return shown(); }));
    EXPECT_GE(zutest::millisecondsSince(start), 450.0);
    EXPECT_EQ(section->getWindow().getBounds(), juce::Rectangle<int>(100, 116, 545, 290));
    zutest::pumpFor(700);
    EXPECT_EQ(countShown(), 1);

    // A loaded state with "chord_edit" off closes it, and every close ends
    // chord note entry.
    processor.chordNoteTarget = 7;
    processor.mainTree.setProperty("chord_edit", 0, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return !shown(); }));
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);
    processor.chordNoteTarget = 7;
    section->closeChordFloatWndw();
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);
}

TEST_F(ChordSection, TheCloseButtonStoresThePlaceAndSwitchesOpenOffThroughTheEditor)
{
    ASSERT_TRUE(zutest::click(section->openButton));
    ASSERT_TRUE(zutest::pumpUntil([&] { return shown(); }));
    auto& window = section->getWindow();
    window.setBounds(100, 58, 301, 160);
    processor.chordNoteTarget = 3;
    window.closeButtonPressed();
    EXPECT_FALSE(shown());
    EXPECT_FALSE(section->openButton.getToggleState());
    EXPECT_FALSE((bool) processor.mainTree["chord_edit"]);
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);
    EXPECT_DOUBLE_EQ((double) processor.mainTree["chord_wndwhfactor"], (double) (160.0f / 580.0f));
    EXPECT_DOUBLE_EQ((double) processor.mainTree["chord_wndwposfactorx"], (double) (100.0f / 1000.0f));
    EXPECT_DOUBLE_EQ((double) processor.mainTree["chord_wndwposfactory"], (double) (58.0f / 580.0f));

    // Backspace closes it the same way; OPEN brings it back where it was.
    ASSERT_TRUE(zutest::click(section->openButton));
    ASSERT_TRUE(zutest::pumpUntil([&] { return shown(); }));
    EXPECT_EQ(window.getBounds(), juce::Rectangle<int>(100, 58, 301, 160));
    window.keyPressed(juce::KeyPress(juce::KeyPress::backspaceKey), &window);
    EXPECT_FALSE(shown());
    EXPECT_FALSE(section->openButton.getToggleState());
}

TEST_F(ChordSection, AStateLoadedWithTheWindowOpenShowsItOnce)
{
    processor.mainTree.setProperty("chord_edit", 1, nullptr);
    juce::MemoryBlock withWindow;
    processor.getStateInformation(withWindow);
    ASSERT_TRUE(zutest::pumpUntil([&] { return shown(); }));
    ASSERT_TRUE(zutest::click(section->openButton));
    ASSERT_TRUE(zutest::pumpUntil([&] { return !shown(); }));

    processor.setStateInformation(withWindow.getData(), (int) withWindow.getSize());
    EXPECT_TRUE(zutest::pumpUntil([&] { return shown(); }));
    zutest::pumpFor(400);
    EXPECT_TRUE(shown());
    EXPECT_EQ(countShown(), 1);
    EXPECT_TRUE(section->openButton.getToggleState());
}

TEST_F(ChordSection, DeletingTheEditorWithANoteEditorOpenEndsChordEntryAndCrashesNothing)
{
    processor.paramTree.setProperty("p9_chord_custom3", 1, nullptr);
    ASSERT_TRUE(zutest::click(section->openButton));
    ASSERT_TRUE(zutest::pumpUntil([&] { return shown(); }));
    auto& custom = section->getChordEditPanel().getUnitsPanel().getUnit(2).customPanel;
    ASSERT_TRUE(zutest::pumpUntil([&] { return custom.isVisible(); }));
    ASSERT_TRUE(zutest::click(custom.editButton));
    auto* noteEditor = zutest::openCallOutContent<SEQ1ChordModeEditPanel>(*editor);
    ASSERT_NE(noteEditor, nullptr);
    ASSERT_TRUE(zutest::click(noteEditor->keyButton));
    ASSERT_EQ(processor.chordNoteTarget.load(), 2);

    section = nullptr;
    editor.reset();
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);
    zutest::pumpFor(300);
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);

    // A new editor with the window open in its state shows it again.
    place();
    EXPECT_TRUE(zutest::pumpUntil([&] { return shown(); }));
}

TEST_F(ChordSection, TargetsFollowTheirParametersAndLightInThePitchUnitColour)
{
    auto& targets = section->targetPanel;
    for (int k = 0; k < 4; ++k)
    {
        EXPECT_EQ(targets.getButton(k).getButtonText(), juce::String(k + 1));
        EXPECT_EQ(targets.getButton(k).findColour(juce::TextButton::buttonOnColourId),
                  processor.unitColors[PluginSettingState::pitchColor]);
        EXPECT_EQ(targets.getButton(k).getTooltip(), "Selects the target units");
    }
    zutest::setHostParameter(processor, "p9_chordtar3", 1.0f);
    EXPECT_TRUE(targets.getButton(2).getToggleState());
    ASSERT_TRUE(zutest::click(targets.getButton(1)));
    EXPECT_EQ(zutest::hostParameter(processor, "p9_chordtar2"), 1.0f);
    EXPECT_EQ(section->titleLabel.getText(), "Chord");
    EXPECT_EQ(section->powerButton.getTooltip(), "Toggles the chord trigger on/off");
    EXPECT_EQ(section->openButton.getTooltip(), "Open/close the chord edit panel");
}

TEST_F(ChordSection, Screens)
{
    // The section as the scale page gives it room, on the page's colour.
    ZuShared<ZuMirabox_ColorTheme> theme;
    const auto page = theme->panelBgColor[1];
    const auto sectionImage = section->createComponentSnapshot(section->getLocalBounds(), true, 4.0f);
    juce::Image sheet(juce::Image::ARGB, sectionImage.getWidth() + 20, sectionImage.getHeight() + 20, true);
    {
        juce::Graphics g(sheet);
        g.fillAll(page);
        g.drawImageAt(sectionImage, 10, 10);
    }
    EXPECT_TRUE(zutest::writeScreen(sheet, "tools-chord-section.png"));

    // The chord set editor window where the editor shows it.
    section->openChordFloatWndw();
    auto& window = section->getWindow();
    const auto windowImage = window.createComponentSnapshot(window.getLocalBounds(), true, 2.0f);
    const auto content = section->getChordEditPanel().getBoundsInParent();
    const auto units = section->getChordEditPanel().getUnitsPanel().getBounds() + content.getPosition();
    EXPECT_EQ(windowImage.getPixelAt(2 * (units.getX() + 2), 2 * (units.getBottom() - 2)), theme->chordBgColor);
    EXPECT_TRUE(zutest::writeScreen(windowImage, "tools-chord-set-window.png"));
    const auto whole = editor->createComponentSnapshot(editor->getLocalBounds());
    EXPECT_TRUE(zutest::writeScreen(whole, "tools-chord-set-window-in-editor.png"));

    // The note editor of unit 5 as its call-out shows it.
    auto& custom = section->getChordEditPanel().getUnitsPanel().getUnit(4).customPanel;
    custom.getNoteBox(0).setSelectedId(62, juce::sendNotification);
    custom.getNoteBox(1).setSelectedId(66, juce::sendNotification);
    custom.getNoteBox(2).setSelectedId(69, juce::sendNotification);
    custom.editButtonClicked();
    auto* noteEditor = zutest::openCallOutContent<SEQ1ChordModeEditPanel>(*editor);
    ASSERT_NE(noteEditor, nullptr);
    EXPECT_EQ(noteEditor->getBounds().getWidth(), 1000);
    EXPECT_EQ(noteEditor->getHeight(), 232);
    ASSERT_TRUE(zutest::pumpUntil([&] { return noteEditor->getWhiteKey(35).getToggleState(); }));
    const auto noteImage = noteEditor->createComponentSnapshot(noteEditor->getLocalBounds(), true, 2.0f);
    EXPECT_EQ(noteImage.getPixelAt(2, 2), theme->popupBgColor[0]);
    EXPECT_TRUE(zutest::writeScreen(noteImage, "tools-chord-note-editor.png"));
    custom.getEditCallOut()->dismiss();
    EXPECT_TRUE(zutest::pumpUntil([&] { return custom.getEditCallOut() == nullptr; }));
}
