// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuCLAF_Labels.h"
#include "ZuGuiBase.h"
#include "ZuSmallWidgets.h"

#include <array>

// The octave selector of the note pickers: a caption "Octave" over eleven
// connected radio buttons, one per octave of the MIDI note range (note n lies
// in octave n / 12). The captions number the octaves the way the host names
// notes. Clicking an octave makes it current and has the enclosing picker
// rewrite its note in that octave.
class KeyboardMenu_OctButton : public ZuGuiBase
{
public:
    static constexpr int numOctaves = 11;
    static constexpr int maxOctave = numOctaves - 1;

    explicit KeyboardMenu_OctButton(juce::Colour colour);
    ~KeyboardMenu_OctButton() override;

    void buttonClicked(juce::Button* button) override;
    void sliderValueChanged(juce::Slider* slider) override;
    void timerCallback(int timerID) override;
    // One octave up or down through the buttons; nothing at the range ends.
    void setOctShift(bool up);
    // Sets the octave (clamped to 0..10) without notifications.
    void setValue(float value);
    void setTrkIndex(int);
    void resize_guiBounds() override;
    void resized() override { resize_guiBounds(); }
    void paint(juce::Graphics& g) override;

    int getCurrentOctave() const noexcept { return currentOctave; }
    MappableButton& getOctaveButton(int i) noexcept { return buttons[(size_t) juce::jlimit(0, maxOctave, i)]; }
    juce::Label& getCaption() noexcept { return caption; }
    juce::Slider& getSlider() noexcept { return slider; }

private:
    ZuShared<ZuCLAF_DirButton> buttonLookAndFeel;
    ZuShared<ZuCLAF_Label> labelLookAndFeel;
    int currentOctave = 0;
    juce::Label caption;
    juce::Slider slider;
    std::array<MappableButton, numOctaves> buttons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(KeyboardMenu_OctButton)
};
