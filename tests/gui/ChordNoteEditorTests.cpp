// SPDX-License-Identifier: GPL-3.0-or-later
// The chord note editor opened from a chord unit: its note operations, the
// octave numbering by host, ".chord" presets, MIDI keyboard entry and its end.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "TempFolder.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"

#include "NoteUnit.h"
#include "SEQ1ChordModeEditPanel.h"
#include "ZuHostType.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace
{
constexpr int N = -1; // no note
using Notes = std::array<int, 5>;

int indexOf(int note)
{
    return note < 0 ? 0 : note + 1;
}

// A custom chord unit (unit 3) in a real editor, and its note editor.
struct NoteEditorFixture : ::testing::Test
{
    NoteEditorFixture()
    {
        editor->addAndMakeVisible(custom);
        custom.setBounds(100, 300, 60, 120);
        custom.setAttachments(processor.paramTree, 2);
    }
    ~NoteEditorFixture() override { closeNoteEditor(); }

    SEQ1ChordModeEditPanel* openNoteEditor()
    {
        custom.editButtonClicked();
        return zutest::openCallOutContent<SEQ1ChordModeEditPanel>(*editor);
    }
    void closeNoteEditor()
    {
        if (auto* box = custom.getEditCallOut())
            box->dismiss();
        zutest::pumpUntil([&] { return custom.getEditCallOut() == nullptr; });
    }
    int stored(int k) const { return (int) processor.paramTree["p9_chord3_cn" + juce::String(k + 1)]; }
    void setNotes(SEQ1ChordModeEditPanel& e, const Notes& notes)
    {
        for (int k = 0; k < 5; ++k)
            e.getNotePicker(k).setSelectedItemIndex(indexOf(notes[(size_t) k]), juce::sendNotification);
    }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor = zutest::makeEditor(processor);
    NoteUnitCumstomPanel custom;
};

struct OperationCase
{
    const char* what;
    Notes before;
    std::function<void(SEQ1ChordModeEditPanel&)> act;
    Notes after;
};

std::function<void(SEQ1ChordModeEditPanel&)> generate(int root, int octave, int type)
{
    return [=](SEQ1ChordModeEditPanel& e)
    {
        e.getRootPicker().setSelectedItemIndex(root);
        e.getOctavePicker().setSelectedItemIndex(octave);
        e.getChordPicker().setSelectedItemIndex(type);
        EXPECT_TRUE(zutest::click(e.generateButton));
    };
}

std::function<void(SEQ1ChordModeEditPanel&)> press(juce::TextButton& (*button)(SEQ1ChordModeEditPanel&) )
{
    return [button](SEQ1ChordModeEditPanel& e) { EXPECT_TRUE(zutest::click(button(e))); };
}

juce::TextButton& minus12(SEQ1ChordModeEditPanel& e)
{
    return e.getTransposeButton(0);
}
juce::TextButton& plus1(SEQ1ChordModeEditPanel& e)
{
    return e.getTransposeButton(2);
}
juce::TextButton& plus12(SEQ1ChordModeEditPanel& e)
{
    return e.getTransposeButton(3);
}
juce::TextButton& rootInv(SEQ1ChordModeEditPanel& e)
{
    return e.rootInvButton;
}
juce::TextButton& sort(SEQ1ChordModeEditPanel& e)
{
    return e.sortButton;
}
juce::TextButton& eraser(SEQ1ChordModeEditPanel& e)
{
    return e.eraserButton;
}
} // namespace

TEST_F(NoteEditorFixture, NoteOperationsReachTheUnitsPickersAndItsStoredNotes)
{
    const std::vector<OperationCase> cases{
        {"C major, octave 5", {N, N, N, N, N}, generate(0, 5, 0), {60, 64, 67, N, N}},
        {"B major 9th, octave 9, two notes past 127", {N, N, N, N, N}, generate(11, 9, 3), {119, 123, 126, N, N}},
        {"generate clears first", {1, 2, 3, 4, 5}, generate(0, 5, 4), {60, 63, 67, N, N}},
        {"-12 wraps below 0", {5, N, N, N, N}, press(minus12), {121, N, N, N, N}},
        {"+12 wraps above 127", {120, N, N, N, N}, press(plus12), {4, N, N, N, N}},
        {"+1 on 127", {127, N, N, N, N}, press(plus1), {0, N, N, N, N}},
        {"transpose keeps no-note places", {N, 60, N, N, N}, press(plus1), {N, 61, N, N, N}},
        {"root inversion", {64, N, 60, 67, N}, press(rootInv), {64, 67, 72, N, N}},
        {"root inversion of one note", {60, N, N, N, N}, press(rootInv), {60, N, N, N, N}},
        {"root inversion of no notes", {N, N, N, N, N}, press(rootInv), {N, N, N, N, N}},
        {"root inversion above 114", {115, 119, N, N, N}, press(rootInv), {115, 119, N, N, N}},
        {"root inversion at 114", {114, 119, N, N, N}, press(rootInv), {119, 126, N, N, N}},
        {"root inversion of a doubled note", {60, 60, N, N, N}, press(rootInv), {60, 72, N, N, N}},
        {"sort", {67, N, 60, 60, 64}, press(sort), {60, 60, 64, 67, N}},
        {"eraser", {60, 64, 67, 70, 74}, press(eraser), {N, N, N, N, N}},
    };

    auto* noteEditor = openNoteEditor();
    ASSERT_NE(noteEditor, nullptr);
    EXPECT_EQ(noteEditor->unitIndex, 2);
    EXPECT_EQ(noteEditor->getWidth(), editor->getWidth());
    EXPECT_EQ(noteEditor->getHeight(), (int) (0.4f * (float) editor->getHeight()));
    for (const auto& c : cases)
    {
        setNotes(*noteEditor, c.before);
        c.act(*noteEditor);
        for (int k = 0; k < 5; ++k)
        {
            const int expected = indexOf(c.after[(size_t) k]);
            EXPECT_EQ(noteEditor->getNotePicker(k).getSelectedItemIndex(), expected) << c.what << ", note " << k + 1;
            EXPECT_EQ(stored(k), expected + 1) << c.what << ", note " << k + 1;
            EXPECT_TRUE(zutest::pumpUntil([&] { return custom.getNoteBox(k).getSelectedItemIndex() == expected; }))
                << c.what << ", the unit's picker " << k + 1;
        }
    }

    // After generating C major at the default octave the keys C, E and G of
    // the sixth octave light, and only they.
    generate(0, SEQ1ChordModeEditPanel::defaultOctaveIndex, 0)(*noteEditor);
    const std::set<int> lit{35, 37, 39};
    ASSERT_TRUE(zutest::pumpUntil(
        [&]
        {
            for (int i = 0; i < SEQ1ChordModeEditPanel::numWhiteKeys; ++i)
                if (noteEditor->getWhiteKey(i).getToggleState() != (lit.count(i) > 0))
                    return false;
            return true;
        }));
    for (int i = 0; i < SEQ1ChordModeEditPanel::numBlackKeys; ++i)
        EXPECT_FALSE(noteEditor->getBlackKey(i).getToggleState()) << i;
    EXPECT_EQ(noteEditor->getWhiteKey(35).getProperties()["dispnote"].toString(), "C");
}

TEST(NoteEditorHosts, OctaveNumbersFollowTheHost)
{
    struct HostCase
    {
        const char* host;
        const char* note60;
        const char* firstOctave;
        const char* lastOctave;
    };
    for (const auto& h : {HostCase{"FruityLoops", "C5", "0", "+9"}, HostCase{"Reaper", "C4", "-1", "+8"},
                          HostCase{"Some Other Host", "C3", "-2", "+7"}})
    {
        zu::host::setDescriptionForTesting(h.host);
        NoteUnitCumstomPanel owner;
        std::array<juce::Value, 5> notes;
        SEQ1ChordModeEditPanel noteEditor(owner, notes[0], notes[1], notes[2], notes[3], notes[4],
                                          juce::Colours::orange);
        EXPECT_EQ(noteEditor.getNotePicker(0).getItemText(61), h.note60) << h.host;
        EXPECT_EQ(owner.getNoteBox(0).getItemText(61), h.note60) << h.host;
        auto& octave = noteEditor.getOctavePicker();
        ASSERT_EQ(octave.getNumItems(), 10);
        EXPECT_EQ(octave.getItemText(0), h.firstOctave) << h.host;
        EXPECT_EQ(octave.getItemText(9), h.lastOctave) << h.host;
        EXPECT_EQ(octave.getSelectedItemIndex(), 5);
    }
    zu::host::setDescriptionForTesting({});

    // With the usual numbering: -C2, C3, G8, and the octave headings run -2 .. +8.
    NoteUnitCumstomPanel owner;
    auto& box = owner.getNoteBox(0);
    EXPECT_EQ(box.getItemText(0), "-");
    EXPECT_EQ(box.getItemText(1), "-C2");
    EXPECT_EQ(box.getItemText(128), "G8");
    EXPECT_EQ(box.getNumItems(), 129);
    juce::StringArray headings;
    for (juce::PopupMenu::MenuItemIterator it(*box.getRootMenu()); it.next();)
        if (it.getItem().subMenu != nullptr)
            headings.add(it.getItem().text);
    EXPECT_EQ(headings.joinIntoString(" "), "-2 -1 0 +1 +2 +3 +4 +5 +6 +7 +8");
}

TEST_F(NoteEditorFixture, KeyEntryTakesTheNextChordFromTheMidiInputAndEveryCloseEndsIt)
{
    processor.prepareToPlay(48000.0, 256);
    auto* noteEditor = openNoteEditor();
    ASSERT_NE(noteEditor, nullptr);
    EXPECT_EQ(
        noteEditor->keyButton.getTooltip(),
        "You can set the chord notes via midi keyboard,  1, Turn on this button, 2, Press your midi keyboard keys");
    ASSERT_TRUE(zutest::click(noteEditor->keyButton));
    EXPECT_EQ(processor.chordNoteTarget.load(), 2);

    juce::MidiBuffer midi;
    for (const auto& [note, position] : std::vector<std::pair<int, int>>{{67, 0}, {60, 10}, {64, 20}, {60, 30}})
        midi.addEvent(juce::MidiMessage::noteOn(1, note, (juce::uint8) 100), position);
    juce::AudioBuffer<float> audio(2, 256);
    processor.processBlock(audio, midi);

    // The notes sorted, each once; the processor stores id 0 in the places
    // left over, which the pickers show as no selection.
    const std::array<int, 5> expected{61, 65, 68, -1, -1};
    ASSERT_TRUE(zutest::pumpUntil(
        [&]
        {
            for (int k = 0; k < 5; ++k)
                if (noteEditor->getNotePicker(k).getSelectedItemIndex() != expected[(size_t) k] ||
                    custom.getNoteBox(k).getSelectedItemIndex() != expected[(size_t) k])
                    return false;
            return true;
        }));
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(stored(k), expected[(size_t) k] + 1);

    // Close ends entry.
    ASSERT_TRUE(zutest::click(noteEditor->closeButton));
    ASSERT_TRUE(zutest::pumpUntil([&] { return custom.getEditCallOut() == nullptr; }));
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);

    // So does a click outside the box.
    noteEditor = openNoteEditor();
    ASSERT_NE(noteEditor, nullptr);
    ASSERT_TRUE(zutest::click(noteEditor->keyButton));
    EXPECT_EQ(processor.chordNoteTarget.load(), 2);
    custom.getEditCallOut()->inputAttemptWhenModal();
    ASSERT_TRUE(zutest::pumpUntil([&] { return custom.getEditCallOut() == nullptr; }));
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);

    // And switching Key off.
    noteEditor = openNoteEditor();
    ASSERT_TRUE(zutest::click(noteEditor->keyButton));
    ASSERT_TRUE(zutest::click(noteEditor->keyButton));
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);
}

TEST_F(NoteEditorFixture, DeletingTheEditorWithANoteEditorOpenEndsEntryAndCrashesNothing)
{
    auto* noteEditor = openNoteEditor();
    ASSERT_NE(noteEditor, nullptr);
    ASSERT_TRUE(zutest::click(noteEditor->keyButton));
    ASSERT_EQ(processor.chordNoteTarget.load(), 2);
    editor.reset();
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);
    zutest::pumpFor(300);
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);
}

TEST(NoteEditorOwner, AnOwnerDeletedFirstIsNeverReachedAgain)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    auto custom = std::make_unique<NoteUnitCumstomPanel>();
    editor->addAndMakeVisible(*custom);
    custom->setBounds(10, 10, 60, 120);
    custom->setAttachments(processor.paramTree, 0);
    custom->editButtonClicked();
    juce::Component::SafePointer<juce::CallOutBox> box(custom->getEditCallOut());
    ASSERT_NE(box.getComponent(), nullptr);
    custom.reset();
    // The box goes with its note editor; nothing reaches the deleted owner.
    EXPECT_TRUE(zutest::pumpUntil([&] { return box.getComponent() == nullptr; }));
}

// ---------------------------------------------------------------------------

namespace
{
struct NotePresets : NoteEditorFixture
{
    NotePresets()
    {
        folder = zutest::uniqueTempFolder("zu-custom-chords");
        processor.customChordPresetFolder = folder.getFullPathName();
        noteEditor = openNoteEditor();
    }
    ~NotePresets() override { folder.deleteRecursively(); }

    void saveAs(const juce::String& name)
    {
        // As the Menu button does before it shows the menu.
        noteEditor->presetFolder = processor.customChordPresetFolder;
        noteEditor->menuHandler(EffectUnitPanelBae::saveAsId, noteEditor->getMenuButton(), nullptr);
        ASSERT_FALSE(desktop.launches.empty());
        desktop.launches.back().done(folder.getChildFile(name));
    }
    // Lists the folder as the Preset button does, and loads the file named so.
    void load(const juce::String& fileName)
    {
        noteEditor->presetFolder = folder.getFullPathName();
        juce::PopupMenu list = noteEditor->getMyMenu(true, false);
        const int index = noteEditor->presetFiles.indexOf(folder.getChildFile(fileName).getFullPathName());
        ASSERT_GE(index, 0) << fileName;
        noteEditor->menuHandler(EffectUnitPanelBae::firstFileId + index, noteEditor->getPresetButton(), nullptr);
    }

    zutest::DesktopRecorder desktop;
    juce::File folder;
    SEQ1ChordModeEditPanel* noteEditor = nullptr;
};
} // namespace

TEST_F(NotePresets, ChordPresetsRoundTripAndANameWithABlankLoadsAgain)
{
    ASSERT_NE(noteEditor, nullptr);
    // The arrows find nothing before the folder was looked at.
    noteEditor->getNextButton().triggerClick();
    zutest::pumpFor(50);
    EXPECT_TRUE(noteEditor->currentPresetPath.isEmpty());

    setNotes(*noteEditor, {60, 64, N, 67, 127});
    saveAs("My Chord");
    const auto file = folder.getChildFile("My Chord.chord");
    ASSERT_TRUE(file.existsAsFile());
    const auto xml = juce::parseXML(file);
    ASSERT_NE(xml, nullptr);
    EXPECT_EQ(xml->getTagName(), "My_Chord");
    EXPECT_EQ(xml->getStringAttribute("presetname"), "My Chord");
    const juce::StringArray order{"presetname", "chordnote1", "chordnote2", "chordnote3", "chordnote4", "chordnote5"};
    ASSERT_EQ(xml->getNumAttributes(), order.size());
    for (int i = 0; i < order.size(); ++i)
        EXPECT_EQ(xml->getAttributeName(i), order[i]);
    EXPECT_EQ(xml->getIntAttribute("chordnote2"), 65);
    EXPECT_EQ(xml->getIntAttribute("chordnote3"), 0);
    EXPECT_EQ(noteEditor->getPresetButton().getButtonText(), "My Chord");

    noteEditor->initialize();
    EXPECT_EQ(stored(0), 1);
    load("My Chord.chord");
    const Notes expected{60, 64, N, 67, 127};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(stored(k), indexOf(expected[(size_t) k]) + 1) << k;
    EXPECT_EQ(noteEditor->getPresetButton().getButtonText(), "My Chord");
    EXPECT_EQ(noteEditor->currentPresetPath, file.getFullPathName());

    EXPECT_EQ(SEQ1ChordModeEditPanel::tagForPresetName(juce::String(juce::CharPointer_UTF8("9 lives/\xc3\xa9"))),
              "__lives__");
    EXPECT_EQ(SEQ1ChordModeEditPanel::tagForPresetName(""), "Preset");
}

TEST_F(NotePresets, MissingNotesLoadAsNoNoteAndADamagedFileChangesNothing)
{
    ASSERT_NE(noteEditor, nullptr);
    folder.getChildFile("Short.chord")
        .replaceWithText("<Short presetname=\"Short\" chordnote1=\"61\" chordnote2=\"x\" "
                         "chordnote3=\"300\"/>");
    folder.getChildFile("Broken.chord").replaceWithText("<Broken chordnote1=\"7\"><Inner></Broken>");
    setNotes(*noteEditor, {1, 2, 3, 4, 5});

    load("Broken.chord");
    EXPECT_EQ(stored(0), indexOf(1) + 1);
    EXPECT_TRUE(noteEditor->currentPresetPath.isEmpty());

    load("Short.chord");
    EXPECT_EQ(stored(0), 62);
    EXPECT_EQ(stored(1), 1) << "a note that is no number reads as no note";
    EXPECT_EQ(stored(2), 0) << "an index outside the list selects nothing";
    EXPECT_EQ(stored(3), 1);
    EXPECT_EQ(stored(4), 1);
    EXPECT_EQ(noteEditor->getNotePicker(2).getSelectedItemIndex(), -1);
}
