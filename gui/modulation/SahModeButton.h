// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuGuiBase.h"
#include "ZuParamAttacher.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

// The sample-and-hold mode selector of a modulation slot: "Mode1" holds each
// value, "Mode2" glides between them. Two radio toggles over a hidden slider
// bound to the slot's "bsahm"; a change of the property reaches the toggles
// 100 ms later.
class SahModeButton : public ZuGuiBase
{
public:
    SahModeButton();
    ~SahModeButton() override;

    void setAttachment(juce::ValueTree tree, juce::String prefix);
    void buttonClicked(juce::Button* button) override;
    void sliderValueChanged(juce::Slider* slider) override;
    void timerCallback(int id) override;
    void resized() override;

    void setBaseColor(const juce::Colour& c);
    void setBaseColor(juce::Colour& c) override { setBaseColor(static_cast<const juce::Colour&>(c)); }

    int getCurIndex() const noexcept { return curIndex; }
    MappableButton& getToggle(int k) { return toggles[(size_t) k]; }
    juce::Slider& getHiddenSlider() noexcept { return slider; }

    // Kept for a host-parameter binding; the editor binds to the slot's tree.
    virtual void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String paramId);
    void setValue(float value);

protected:
    struct Style
    {
        const char* texts[2];
        const char* tooltips[2];
        float fontSize;
        juce::Colour off, on, textOff, textOn;
    };
    explicit SahModeButton(const Style& style);

    ZuShared<ZuCLAF_DirButton> dirLook;
    ZuShared<ZuParamAttacher> attacher;
    int curIndex = 0;
    juce::Colour offColour;
    juce::Slider slider;
    std::array<MappableButton, 2> toggles;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> hostAttachment;

private:
    static Style sahStyle();
};

// An engine selector "LFO"/"S&H" with the same behaviour; it binds only to a
// host parameter and re-applies the enclosing slot editor's mode on a click.
class LfoSahButton : public SahModeButton
{
public:
    LfoSahButton();
    void buttonClicked(juce::Button* button) override;
    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String paramId) override;
};
