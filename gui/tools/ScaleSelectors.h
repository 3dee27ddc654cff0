// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuGuiBase.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

// Two radio buttons over a hidden slider that a host parameter (0 or 1) is
// attached to: a click writes the parameter through the slider, and the
// buttons follow a parameter change 100 ms later.
class ScaleTwoWaySelector : public ZuGuiBase
{
    // Shares first: the buttons below go before it.
    ZuShared<ZuCLAF_DirButton> buttonLook;

public:
    static constexpr int followTimer = 0;
    static constexpr int followDelayMs = 100;
    static constexpr int radioGroup = 1000;

    ~ScaleTwoWaySelector() override;

    // Attaches the hidden slider to the parameter (replacing an earlier
    // attachment) and lights the button of its value.
    void setAttachment(juce::AudioProcessorValueTreeState& parameters, juce::String id);
    void buttonClicked(juce::Button* button) override;
    void sliderValueChanged(juce::Slider* slider) override;
    void timerCallback(int id) override;
    // Lights, with notification, the button of index clamp(trunc(value), 0, 1).
    void setValue(float value);
    void colorMapping() override;
    void paint(juce::Graphics& g) override;

    MappableButton& getButton(int i) noexcept { return buttons[(size_t) juce::jlimit(0, 1, i)]; }
    juce::Slider& getSlider() noexcept { return slider; }
    int getCurrentIndex() const noexcept { return currentIndex; }

protected:
    struct Look
    {
        std::array<const char*, 2> texts;
        std::array<const char*, 2> tooltips;
        const char* sliderName;
        std::array<int, 2> connectedEdges;
    };
    explicit ScaleTwoWaySelector(const Look& look);

    int currentIndex = 0;
    juce::Slider slider;
    std::array<MappableButton, 2> buttons;

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ScaleTwoWaySelector)
};

// "Type1" / "Type2" ("p8_scale_type"); the scale section gives it no area.
class ScaleModeButton : public ScaleTwoWaySelector
{
public:
    ScaleModeButton();
    void resized() override;
};

// "TP > Scale" / "Scale > TP" ("p8_scale_order"), stacked.
class TpScaleOrderButton : public ScaleTwoWaySelector
{
public:
    TpScaleOrderButton();
    void resized() override;
};
