// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Labels.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuGuiBase.h"

#include <juce_audio_utils/juce_audio_utils.h>

#include <array>

// Which 25 keys of an incoming MIDI keyboard drive the keyboard transpose:
// a picture of the whole keyboard (notes 0..127, no mouse, never scrolled)
// with the C keys named, a bracket "Midi Transpose" under the 25 keys from
// the base note, and a selector of the base note (the C notes 0..96). Only a
// user's choice stores "miditpnote", saves the settings and moves the
// processor's live base; opening the panel changes nothing. Message thread
// only.
class ZuMidiMapPanel : public ZuGuiBase
{
public:
    // baseNote: the stored base, 0..127.
    explicit ZuMidiMapPanel(int baseNote);
    ~ZuMidiMapPanel() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    // What a choice in the selector does.
    void selectorChanged();

    static constexpr int numSelectorItems = 9;
    // The base note the selector shows, -1 when it shows none.
    int getSelectedBase() const { return selector.getSelectedId() - 1; }
    const juce::String& noteName(int note) const { return noteNames[(size_t) juce::jlimit(0, 127, note)]; }

private:
    juce::MidiKeyboardState keyboardState;

public:
    juce::MidiKeyboardComponent keyboard{keyboardState, juce::MidiKeyboardComponent::horizontalKeyboard};

private:
    ZuShared<ZuCLAF_Label> headingLook;
    ZuShared<ZuCLAF_CenterNumbBox> selectorLook;

public:
    juce::Label heading;
    juce::ComboBox selector;

private:
    juce::Colour backgroundColour;
    float lineY = 0.0f, lineX = 0.0f, lineWidth = 0.0f;
    float namesTop = 0.0f, namesHeight = 0.0f;
    std::array<juce::String, 128> noteNames;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMidiMapPanel)
};
