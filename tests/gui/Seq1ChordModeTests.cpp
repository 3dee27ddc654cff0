// SPDX-License-Identifier: GPL-3.0-or-later
// A single-sequencer step's chord panel: pickers, bindings by family,
// layout, and the chord note editor it opens inside the editor.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "Seq1TestState.h"
#include "WidgetTestHelpers.h"

#include "SEQ1ChordModeEditPanel.h"
#include "SEQ1ChordModePanel.h"
#include "ZuHostType.h"

#include <gtest/gtest.h>

namespace
{
std::vector<zutest::Seq1Parameter> chordNoteParameters()
{
    std::vector<zutest::Seq1Parameter> params;
    for (const char* family : {"sq1_s", "p1_psq1_s"})
        for (int step : {1, 7})
            for (int k = 1; k <= 5; ++k)
                params.push_back({family + juce::String(step) + "_cn" + juce::String(k), 0.0f, 129.0f, 0.0f});
    return params;
}

struct HostAs
{
    explicit HostAs(const juce::String& host) { zu::host::setDescriptionForTesting(host); }
    ~HostAs() { zu::host::setDescriptionForTesting({}); }
};
} // namespace

TEST(Seq1ChordMode, PickersLabelLayoutAndOpacity)
{
    HostAs unknown("SomeHost");
    SEQ1ChordModePanel panel;
    for (int k = 0; k < 5; ++k)
    {
        auto& picker = panel.getNotePicker(k);
        EXPECT_EQ(picker.getSelectedId(), 0) << "nothing chosen";
        EXPECT_EQ(picker.getTextWhenNothingSelected(), "--");
        EXPECT_EQ(picker.getName(), "NoteMenu");
        EXPECT_EQ(picker.getItemText(0), "-");
    }
    EXPECT_EQ(panel.stepLabel.getText(), "1");
    EXPECT_EQ(panel.editButton.getButtonText(), "Edit");

    // Note 60 under an unknown host reads C3 and has id 62.
    panel.getNotePicker(1).setSelectedId(62, juce::dontSendNotification);
    EXPECT_EQ(panel.getNotePicker(1).getText(), "C3");
    for (const auto& [id, text] :
         std::vector<std::pair<int, const char*>>{{2, "-C2"}, {14, "-C1"}, {26, "C0"}, {129, "G8"}})
        EXPECT_EQ(panel.getNotePicker(0).getItemText(panel.getNotePicker(0).indexOfItemId(id)), text) << id;

    panel.setBounds(0, 0, 100, 60);
    const juce::Rectangle<int> expected[] = {
        {3, 4, 31, 23}, {34, 4, 31, 23}, {65, 4, 31, 23}, {3, 33, 31, 23}, {34, 33, 31, 23}};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(panel.getNotePicker(k).getBounds(), expected[k]) << k;
    EXPECT_EQ(panel.editButton.getBounds(), juce::Rectangle<int>(65, 32, 31, 25));
    EXPECT_TRUE(panel.stepLabel.getBounds().isEmpty()) << "the label gets no place";
    panel.setBounds(0, 0, 3, 3);
    for (int k = 0; k < 5; ++k)
        EXPECT_GE(panel.getNotePicker(k).getHeight(), 0);

    panel.setEnabled(false);
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(panel.getNotePicker(k).getAlpha(), 0.5f, 0.01f);
    EXPECT_EQ(panel.editButton.getAlpha(), 1.0f);
    panel.setEnabled(true);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(panel.getNotePicker(k).getAlpha(), 1.0f);
}

TEST(Seq1ChordMode, BindsItsFamilyAndKeepsEarlierBindings)
{
    zutest::Seq1TestState test(chordNoteParameters());
    SEQ1ChordModePanel panel;
    panel.setAttachment(test.state, 6);
    EXPECT_EQ(panel.stepLabel.getText(), "7");
    EXPECT_EQ((int) panel.editButton.getProperties()["stepindex"], 7);
    EXPECT_EQ(panel.getNumBindings(), 5);
    EXPECT_EQ(panel.getBoundNames().joinIntoString(" "), "sq1_s7_cn1 sq1_s7_cn2 sq1_s7_cn3 sq1_s7_cn4 sq1_s7_cn5");
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(test.get("sq1_s7_cn" + juce::String(k)), 0.0f) << "binding changes no parameter";

    panel.setCenterPanelFlag();
    EXPECT_EQ(panel.getNumBindings(), 5) << "the flag rebinds nothing";
    panel.setAttachment(test.state, 0);
    EXPECT_EQ(panel.getNumBindings(), 10);
    EXPECT_EQ(panel.getBoundNames()[5], "p1_psq1_s1_cn1");
    EXPECT_EQ(panel.getBoundNames()[9], "p1_psq1_s1_cn5");
    EXPECT_EQ(panel.stepLabel.getText(), "1");

    // The plug-in's own state has none of these names: nothing binds.
    ZumiraboxAudioProcessor processor;
    SEQ1ChordModePanel plain;
    plain.setAttachment(processor.paramState, 6);
    EXPECT_EQ(plain.getNumBindings(), 0);
    EXPECT_EQ(plain.stepLabel.getText(), "7");
}

TEST(Seq1ChordMode, EditOpensTheNoteEditorOnTheStepsNotesAndEveryCloseEndsEntry)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    auto panel = std::make_unique<SEQ1ChordModePanel>();
    editor->addAndMakeVisible(*panel);
    panel->setBounds(300, 300, 100, 60);
    panel->setSkinMode(1);
    panel->getNotePicker(1).setSelectedId(62, juce::sendNotificationSync);
    panel->getNotePicker(3).setSelectedId(67, juce::sendNotificationSync);

    const auto open = [&]
    {
        panel->editButtonClicked();
        return zutest::openCallOutContent<SEQ1ChordModeEditPanel>(*editor);
    };
    const auto closed = [&] { return zutest::pumpUntil([&] { return panel->getEditCallOut() == nullptr; }); };

    auto* noteEditor = open();
    ASSERT_NE(noteEditor, nullptr);
    EXPECT_EQ(noteEditor->getWidth(), 970);
    EXPECT_EQ(noteEditor->getHeight(), 232);
    EXPECT_EQ(noteEditor->getNotePicker(1).getSelectedId(), 62) << "the step's notes";
    EXPECT_EQ(noteEditor->getNotePicker(3).getSelectedId(), 67);
    EXPECT_EQ(noteEditor->getNotePicker(0).getSelectedId(), 0);
    // Its edits reach the panel's pickers at once.
    noteEditor->getNotePicker(0).setSelectedId(50, juce::sendNotificationSync);
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel->getNotePicker(0).getSelectedId() == 50; }));
    auto* box = panel->getEditCallOut();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->findColour(juce::BubbleComponent::outlineColourId), panel->getEditColour().darker(0.5f));

    // No chord slot: the Key toggle is off and writes nothing.
    EXPECT_FALSE(noteEditor->keyButton.isEnabled());
    processor.chordNoteTarget = 4;
    noteEditor->keyButton.setToggleState(true, juce::sendNotificationSync);
    EXPECT_EQ(processor.chordNoteTarget.load(), 4) << "never captures into a chord slot";

    // Close button.
    ASSERT_TRUE(zutest::click(noteEditor->closeButton));
    ASSERT_TRUE(closed());
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);

    // A click outside.
    processor.chordNoteTarget = 4;
    ASSERT_NE(open(), nullptr);
    panel->getEditCallOut()->inputAttemptWhenModal();
    ASSERT_TRUE(closed());
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);

    // Escape (dismiss).
    processor.chordNoteTarget = 4;
    ASSERT_NE(open(), nullptr);
    panel->getEditCallOut()->dismiss();
    ASSERT_TRUE(closed());
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);

    // The panel deleted with its call-out open: the box closes, nothing
    // reaches the deleted panel.
    ASSERT_NE(open(), nullptr);
    panel.reset();
    zutest::pumpFor(100);
    EXPECT_EQ(zutest::openCallOutContent<SEQ1ChordModeEditPanel>(*editor), nullptr);

    // The editor closed with the call-out open.
    panel = std::make_unique<SEQ1ChordModePanel>();
    editor->addAndMakeVisible(*panel);
    panel->setBounds(300, 300, 100, 60);
    processor.chordNoteTarget = 4;
    ASSERT_NE(open(), nullptr);
    editor.reset();
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);
    zutest::pumpFor(100);
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);
    panel.reset();

    // Outside an editor, Edit opens nothing.
    SEQ1ChordModePanel alone;
    alone.editButtonClicked();
    EXPECT_EQ(alone.getEditCallOut(), nullptr);
    alone.editPanelClosed();
}
