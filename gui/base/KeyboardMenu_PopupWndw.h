// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeyboardMenu_OctButton.h"
#include "ZuCLAF_Base.h"
#include "ZuCLAF_FramedButtons.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_TargetButtons.h"
#include "ZuGuiBase.h"

#include <array>

// The note pickers that the note picker combo boxes open in a call-out: one
// octave of piano keys, the octave selector, transpose buttons and a close
// button. Every change is written at once into the combo box that opened the
// picker, as its selected item index (asynchronous notification).
//
// Two twins differ in how item indices map to notes:
//   first pair (KeyboardMenu):   index k = note k - 1 (1..128), 0 = no note, "Clear" offered;
//   second pair (KeyboardMenu2): index k = note k (0..127), no way to clear.
// The second classes derive from the first and only switch that mapping.

// One octave of keys, white keys C D E F G A B then black keys C# D# F# G# A#,
// in one radio group; at most one key is lit.
class KeyboardMenu_PopupWndw_KeyPanel : public ZuGuiBase
{
public:
    static constexpr int numKeys = 12;
    static constexpr int numWhiteKeys = 7;
    // Pitch class (0 = C .. 11 = B) of key j, white keys first.
    static constexpr std::array<int, numKeys> keyOrder{0, 2, 4, 5, 7, 9, 11, 1, 3, 6, 8, 10};

    explicit KeyboardMenu_PopupWndw_KeyPanel(juce::Colour colour);
    ~KeyboardMenu_PopupWndw_KeyPanel() override;

    // Lights the key of the index's pitch class (an index without a note
    // switches every key off).
    void setCurSelectedMenuIndex(int index, bool notify);
    void updateKeyButtonDisp();
    // The pitch class of the lit key, -1 when none is lit.
    int getCurNoteIndex() const;
    void setCurNote(int index) { setCurSelectedMenuIndex(index, true); }

    void paint(juce::Graphics& g) override;
    void resized() override;

    juce::TextButton& getKey(int j) noexcept { return keys[(size_t) juce::jlimit(0, numKeys - 1, j)]; }
    // The key that stands for the pitch class.
    juce::TextButton& getKeyForPitchClass(int pitchClass) noexcept;

protected:
    KeyboardMenu_PopupWndw_KeyPanel(juce::Colour colour, int firstNoteIndex);

    // Item index of pitch class 0 in the owner's numbering: 1 or 0.
    const int noteIndexOffset;

private:
    void keyClicked();

    ZuShared<ZuCLAF_ScaleKeyButton> keyLookAndFeel;
    // White keys 0..6, then black keys 7..11 (they lie above the white ones).
    std::array<juce::TextButton, numKeys> keys;
    const juce::StringArray names{"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

public:
    int selectedMenuIndex = 0;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(KeyboardMenu_PopupWndw_KeyPanel)
};

class KeyboardMenu_PopupWndw_KeyPanel2 : public KeyboardMenu_PopupWndw_KeyPanel
{
public:
    explicit KeyboardMenu_PopupWndw_KeyPanel2(juce::Colour colour);
    // Stores the colour and lights keys with it.
    void setBaseColor(const juce::Colour& colour);
    void setBaseColor(juce::Colour& colour) override { setBaseColor(static_cast<const juce::Colour&>(colour)); }

    juce::Colour keyBaseColour{0xffffffff};
};

class KeyboardMenu_PopupWndw : public ZuGuiBase
{
public:
    static constexpr int numTransposeButtons = 5;
    static constexpr int clearButton = 2;

    // owner is the combo box that opened the picker (a KeyboardMenu).
    KeyboardMenu_PopupWndw(juce::ComboBox& owner, int openingIndex, juce::Colour colour);
    ~KeyboardMenu_PopupWndw() override;

    // Writes the note that the keys and the octave show into the owner.
    void updateMenuSelectedIndex();
    // Moves the lit key a semitone, carrying into the octave.
    void tpButtonClicked(bool up);

    void paint(juce::Graphics& g) override;
    void resized() override;

    KeyboardMenu_PopupWndw_KeyPanel& getKeyPanel() noexcept { return *keyPanel; }
    KeyboardMenu_OctButton& getOctaveSelector() noexcept { return octaveSelector; }
    juce::TextButton& getTransposeButton(int i) noexcept
    {
        return transposeButtons[(size_t) juce::jlimit(0, numTransposeButtons - 1, i)];
    }
    juce::TextButton& getCloseButton() noexcept { return closeButton; }

protected:
    KeyboardMenu_PopupWndw(juce::ComboBox& owner, int openingIndex, juce::Colour colour, bool secondPair);

private:
    void octaveDown();
    void octaveUp();
    void clear();

    ZuShared<ZuCLAF_DirButton> transposeLookAndFeel;
    ZuShared<ZuCLAF_CloseButton> closeLookAndFeel;
    std::unique_ptr<KeyboardMenu_PopupWndw_KeyPanel> keyPanel;
    KeyboardMenu_OctButton octaveSelector;
    // The combo box may be deleted while its picker is still open.
    juce::Component::SafePointer<juce::ComboBox> owner;
    std::array<juce::TextButton, numTransposeButtons> transposeButtons;
    juce::TextButton closeButton;
    int openingIndex;
    const bool secondPair;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(KeyboardMenu_PopupWndw)
};

class KeyboardMenu_PopupWndw2 : public KeyboardMenu_PopupWndw
{
public:
    // owner is a KeyboardMenu2.
    KeyboardMenu_PopupWndw2(juce::ComboBox& owner, int openingIndex, juce::Colour colour);
};
