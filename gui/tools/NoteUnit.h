// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChordModePanelBase.h"
#include "KeyboardMenu.h"
#include "ZuToolsCommon.h"
#include "ZuCLAF_Combos.h"
#include "ZuCLAF_FramedButtons.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_Switches.h"

#include "DispShareData.h"

#include <array>

// A chord unit's normal chord: a chord type, a root and an inversion, bound
// to "p9_chord_type" + n, "p9_chord_root" + n and "p9_chord_inv" + n.
class NoteUnitNormPanel : public ZuGuiBase
{
    // Shares first: the widgets below go before them.
    ZuShared<ZuCLAF_SeqStepMenu> boxLook;
    ZuShared<ZuCLAF_Label2> labelLook;
    juce::SharedResourcePointer<DispShareData> tables;

public:
    // Item ids of the type box: 1..20 chord types, 21..32 disabled "--".
    static constexpr int numTypeItems = 32;

    NoteUnitNormPanel();
    ~NoteUnitNormPanel() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void colorMapping() override;
    void comboBoxChanged(juce::ComboBox* box) override;

    // Binds the boxes of unit index 0..11 (the root defaults to its own pitch class).
    void setAttachments(juce::ValueTree tree, int index);
    void getCurState(juce::ValueTree chordTree);
    void updateStateFromVt(juce::ValueTree chordTree);
    void initialize();
    // Selects a chord type id with notification.
    void setChordFromId(int id);

    juce::Label typeLabel, rootLabel, invLabel;
    juce::ComboBox rootBox, typeBox, invBox;

private:
    juce::Identifier typeId, rootId, invId;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(NoteUnitNormPanel)
};

// A chord unit's custom chord: five note pickers bound to "p9_chord" + n +
// "_cn1" .. "_cn5" and an Edit button that opens the chord note editor for
// the unit in a call-out over the editor.
class NoteUnitCumstomPanel : public ChordModePanelBase, public juce::ComponentListener
{
    // Shares first: the widgets below go before them.
    ZuShared<ZuCLAF_ChordNoteMenu> noteLook;
    ZuShared<ZuCLAF_EditModeButton> editLook;

public:
    static constexpr int numNotes = 5;

    NoteUnitCumstomPanel();
    ~NoteUnitCumstomPanel() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void colorMapping() override;
    // Ends MIDI keyboard entry.
    void editPanelClosed() override;
    void componentBeingDeleted(juce::Component& component) override;

    void setAttachments(juce::ValueTree tree, int index);
    void getCurState(juce::ValueTree chordTree);
    void updateStateFromVt(juce::ValueTree chordTree);
    void initialize();
    void editButtonClicked();

    KeyboardMenu& getNoteBox(int k) noexcept { return noteBoxes[(size_t) juce::jlimit(0, numNotes - 1, k)]; }
    // The call-out of the note editor while it is open.
    juce::CallOutBox* getEditCallOut() const noexcept { return editCallOut.get(); }

    juce::TextButton editButton;

private:
    juce::Colour editColour;
    int unitIndex = 0;
    std::array<KeyboardMenu, numNotes> noteBoxes;
    // Last, so that it stops listening before anything else goes.
    zu::tools::WatchedCallOut editCallOut{*this};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(NoteUnitCumstomPanel)
};

// One of the twelve chord units of the chord set editor: the chord that the
// pitch units add to the notes of one pitch class, normal or custom as its
// "Custom" toggle ("p9_chord_custom" + n) says. A chord type dragged from
// the chord pool and dropped here becomes its type.
class NoteUnit : public ZuGuiBase, public juce::DragAndDropTarget
{
    // Shares first: the widgets below go before them.
    ZuShared<ZuCLAF_DirButton> buttonLook;

public:
    NoteUnit();
    ~NoteUnit() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    // The mode switch, on every change of the toggle's value.
    void valueChanged(juce::Value& value) override;
    void colorMapping() override;

    bool isInterestedInDragSource(const SourceDetails& details) override;
    void itemDropped(const SourceDetails& details) override;
    void itemDragEnter(const SourceDetails&) override {}
    void itemDragExit(const SourceDetails&) override {}
    bool shouldDrawDragImageWhenOver() override { return true; }

    void setUnitIndexAndNoteStr(int index, juce::String noteName, bool whiteKey);
    void setAttachments(juce::ValueTree paramTree);
    void customButtonClicked();
    void getCurState(juce::ValueTree chordTree);
    void updateStateFromVt(juce::ValueTree chordTree);
    void initialize();
    void updateDrawpath();

    int getUnitIndex() const noexcept { return unitIndex; }

    NoteUnitNormPanel normPanel;
    NoteUnitCumstomPanel customPanel;
    juce::TextButton customButton;

private:
    int unitIndex = 0;
    juce::String noteName;
    bool whiteKey = true;
    juce::Path numberOutline;
    juce::DrawablePath headerFill, number, bottomLine, headerOutline;
    juce::Rectangle<float> headerArea, bottomLineArea;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(NoteUnit)
};
