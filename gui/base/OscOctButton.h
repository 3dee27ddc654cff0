// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuGuiBase.h"
#include "ZuShared.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

// Octave selectors for an oscillator, bound to a host parameter through a
// hidden slider: OscOctButton offers "-2" to "+2", OscOctButton2 "0" down to
// "-2" (or a master oscillator "---", "Osc1", "Osc2"). No panel builds them.
class OscOctButton : public juce::Component,
                     public juce::Slider::Listener,
                     public juce::Button::Listener,
                     public juce::MultiTimer
{
public:
    static constexpr int numButtons = 5;

    OscOctButton();
    ~OscOctButton() override;

    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String parameterID);
    void buttonClicked(juce::Button* button) override;
    void sliderValueChanged(juce::Slider* slider) override;
    void timerCallback(int timerID) override;
    void setValue(float value);
    void setSkinMode(int skin);
    void paint(juce::Graphics& g) override;
    void resized() override;

    int getCurrentIndex() const noexcept { return currentIndex; }
    MappableButton& getButton(int i) noexcept { return buttons[(size_t) juce::jlimit(0, numButtons - 1, i)]; }
    juce::Slider& getHiddenSlider() noexcept { return hiddenSlider; }

private:
    ZuShared<ZuCLAF_Base> lookAndFeel;
    int currentIndex = 0;
    int skin = 0;
    juce::Slider hiddenSlider;
    std::array<MappableButton, numButtons> buttons;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(OscOctButton)
};

class OscOctButton2 : public ZuGuiBase
{
public:
    static constexpr int numButtons = 3;

    OscOctButton2();
    ~OscOctButton2() override;

    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String parameterID);
    void buttonClicked(juce::Button* button) override;
    void sliderValueChanged(juce::Slider* slider) override;
    void timerCallback(int timerID) override;
    void setValue(float value);
    void colorMapping() override { repaint(); }
    void paint(juce::Graphics& g) override;
    void resized() override;

    void setMasterButtonFlag();
    void setFontSize(float size);
    void setBgColor(juce::Colour colour);
    void setOutlineColor(juce::Colour colour);
    void setFocusColor(juce::Colour colour);
    void setButtonOffColor(juce::Colour colour);
    void setButtonOnColor(juce::Colour colour);
    void setTextOffColor(juce::Colour colour);
    void setTextOnColor(juce::Colour colour);

    int getCurrentIndex() const noexcept { return currentIndex; }
    MappableButton& getButton(int i) noexcept { return buttons[(size_t) juce::jlimit(0, numButtons - 1, i)]; }
    juce::Slider& getHiddenSlider() noexcept { return hiddenSlider; }

private:
    void setButtonColour(int colourId, juce::Colour colour);

    ZuShared<ZuCLAF_Base> lookAndFeel;
    int currentIndex = 0;
    juce::Slider hiddenSlider;
    std::array<MappableButton, numButtons> buttons;
    juce::Colour bgColour{0xff202020};
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(OscOctButton2)
};
