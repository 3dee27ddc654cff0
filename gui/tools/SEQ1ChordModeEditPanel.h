// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChordModePanelBase.h"
#include "EffectUnitPanelBae.h"
#include "KeyboardMenu.h"
#include "ZuCLAF_Combos.h"
#include "ZuCLAF_FramedButtons.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_TargetButtons.h"

#include <array>
#include <vector>

// The chord note editor: the five notes of one custom chord on a 128-key
// piano display, in five pickers that share their values with the owner's
// own pickers (so every change here is at once the owner's and the stored
// chord's), with a chord generator, transposition, root inversion, sorting,
// clearing, MIDI keyboard entry ("Key") and ".chord" note presets.
//
// Its owner creates it for one Edit click and shows it in a call-out box that
// owns it. Apart from the processor's chord note entry target and the custom
// chord preset folder, it changes only its five pickers. Message thread only.
class SEQ1ChordModeEditPanel : public EffectUnitPanelBae
{
    // Shares first: every widget below goes before them.
    ZuShared<ZuCLAF_ScaleKeyButton> keyLook;
    ZuShared<ZuCLAF_SeqStepMenu> pickerLook;
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_DirButton> textButtonLook;
    ZuShared<ZuCLAF_CloseButton> iconLook;
    ZuShared<ZuCLAF_CornerFlatMenu> generatorLook;

public:
    static constexpr int numNotes = 5;
    static constexpr int numWhiteKeys = 75;
    static constexpr int numBlackKeys = 53;
    static constexpr int numTransposeButtons = 4;
    static constexpr int redrawTimer = 0;
    static constexpr int redrawDelayMs = 100;
    // Generator octave picker index of the default base note 60.
    static constexpr int defaultOctaveIndex = 5;

    // The values hold the owner's picker item ids (1 no note, n + 2 note n);
    // colour is the owner's accent colour.
    SEQ1ChordModeEditPanel(ChordModePanelBase& owner, juce::Value note1, juce::Value note2, juce::Value note3,
                           juce::Value note4, juce::Value note5, juce::Colour colour);
    ~SEQ1ChordModeEditPanel() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void timerCallback(int id) override;

    // All five pickers to no note.
    void initialize() override;
    void updateFxStateFromVt(juce::ValueTree tree, juce::String presetName) override;
    void newPresetFolderPathIsSelected() override;
    juce::XmlElement getXmlStateForSaveingPreset(const juce::String& presetName) override;

    // Lights the keys of the pickers' notes.
    void handleNoteDisp();
    // Stops the redraw and closes the enclosing call-out box.
    void exitWndw(juce::Button*);

    // The note operations (item indices: -1 nothing, 0 no note, n + 1 note n).
    void chordGenButtonClicked();
    void chordShiftButtonClicked(int k);
    void rootInvButtonClicked();
    void sortButtonClicked();

    // The tag of a ".chord" file for a preset name: a valid XML name, each
    // character that may not stand there made "_".
    static juce::String tagForPresetName(const juce::String& presetName);

    // The chord slot 0..11 that MIDI keyboard entry fills; any other value
    // means none, and the Key toggle then writes nothing.
    int unitIndex = 0;

    // Widgets, for the owner's tests and the screens.
    KeyboardMenu& getNotePicker(int k) noexcept { return notePickers[(size_t) juce::jlimit(0, numNotes - 1, k)]; }
    juce::TextButton& getWhiteKey(int i) noexcept { return whiteKeys[(size_t) juce::jlimit(0, numWhiteKeys - 1, i)]; }
    juce::TextButton& getBlackKey(int i) noexcept { return blackKeys[(size_t) juce::jlimit(0, numBlackKeys - 1, i)]; }
    juce::ComboBox& getRootPicker() noexcept { return rootPicker; }
    juce::ComboBox& getOctavePicker() noexcept { return octavePicker; }
    juce::ComboBox& getChordPicker() noexcept { return chordPicker; }
    juce::TextButton& getTransposeButton(int k) noexcept
    {
        return transposeButtons[(size_t) juce::jlimit(0, numTransposeButtons - 1, k)];
    }
    juce::TextButton& getMenuButton() noexcept { return presetRow[0]; }
    juce::TextButton& getPresetButton() noexcept { return presetRow[1]; }
    juce::TextButton& getPreviousButton() noexcept { return presetRow[2]; }
    juce::TextButton& getNextButton() noexcept { return presetRow[3]; }
    juce::TextButton closeButton, sortButton, generateButton, eraserButton, keyButton, rootInvButton;

    // The semitone lists of the generator's chord types, in picker order.
    static const std::vector<std::vector<int>>& chordTable();

private:
    std::array<juce::TextButton, numWhiteKeys> whiteKeys;
    std::array<juce::TextButton, numBlackKeys> blackKeys;
    std::array<KeyboardMenu, numNotes> notePickers;
    juce::ComboBox rootPicker, octavePicker, chordPicker;
    std::array<juce::Label, numNotes> noteLabels;
    std::array<juce::TextButton, numTransposeButtons> transposeButtons;
    // Menu, Preset, "<", ">".
    std::array<juce::TextButton, 4> presetRow;

    // Index of each pitch class among the keys of its colour.
    static constexpr std::array<int, 12> keyIndexInColour{0, 0, 1, 1, 2, 3, 2, 4, 3, 5, 4, 6};
    static constexpr std::array<int, numTransposeButtons> transposeAmounts{-12, -1, 1, 12};

    juce::Path separatorPath;
    // The owner may go first (the call-out outlives it for a moment).
    juce::Component::SafePointer<ChordModePanelBase> owner;
    juce::Colour accent;
    const int octaveOffset;

    void styleTextButton(juce::TextButton& b, float fontSize, bool icons);
    void stylePicker(juce::ComboBox& box, const juce::String& name, const juce::String& tooltip);
    void keyButtonClicked();
    void showPresetMenu(bool filesOnly);
    void presetArrow(bool next);
    // The item index of each picker, and writing one back with notification.
    std::array<int, numNotes> pickerIndices() const;
    void setPickerIndex(int k, int index);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SEQ1ChordModeEditPanel)
};
