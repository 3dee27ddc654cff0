// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

class ZuMirabox_CenterParamSeqPanel;

// A two-way switch, "Replace" or "Modulate", over a hidden slider that a
// host parameter may drive: whether a parameter unit's knob value replaces
// or modulates its target's value. No panel builds it; it compiles beside the
// parameter unit's controls. Message thread only.
class ControlModeButton : public juce::Component,
                          public juce::Button::Listener,
                          public juce::Slider::Listener,
                          public juce::MultiTimer
{
public:
    static constexpr int followTimer = 0;
    static constexpr int followDelayMs = 100;

    explicit ControlModeButton(ZuMirabox_CenterParamSeqPanel& owner);
    ~ControlModeButton() override;

    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String id);
    // Turns on the toggle of value (clamped to 0..1), with notification.
    void setValue(float value);
    void setSkinMode(int skin);

    void buttonClicked(juce::Button* button) override;
    void sliderValueChanged(juce::Slider* slider) override;
    void timerCallback(int timerId) override;
    void resized() override;

    int getCurrentIndex() const noexcept { return currentIndex; }

    juce::Slider hiddenSlider;
    std::array<MappableButton, 2> toggles;

private:
    ZuShared<ZuCLAF_DirButton> toggleLook;
    ZuShared<ZuMirabox_ColorTheme> theme;
    ZuMirabox_CenterParamSeqPanel& ownerPanel;
    int currentIndex = 0;
    int skin = 0;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ControlModeButton)
};
