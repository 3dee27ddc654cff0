// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_TargetButtons.h"
#include "ZuGuiBase.h"
#include "ZuParamAttacher.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

// The waveform selector of a modulation slot: eight radio toggles in two rows
// of four over a hidden slider bound to the slot's "bwf". The toggles mirror
// the stored value asynchronously, and each change asks the enclosing LFO
// editor to redraw its wave.
class LFO_WaveformButton : public ZuGuiBase
{
public:
    static constexpr int numWaveforms = 8;

    explicit LFO_WaveformButton(int unused = 0);
    ~LFO_WaveformButton() override;

    void setAttachment(juce::ValueTree tree, juce::String prefix);
    void buttonClicked(juce::Button* button) override;
    void sliderValueChanged(juce::Slider* slider) override;
    void valueChanged(juce::Value& value) override;
    void handleAsyncUpdate() override;
    void resized() override;

    int getCurWaveformIndex() const noexcept { return curIndex; }
    void setBaseColor(const juce::Colour& c);
    void setBaseColor(juce::Colour& c) override { setBaseColor(static_cast<const juce::Colour&>(c)); }

    MappableButton& getToggle(int k) { return toggles[(size_t) k]; }
    juce::Slider& getHiddenSlider() noexcept { return slider; }

    // Kept for a host-parameter binding; the editor binds to the slot's tree.
    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String paramId);
    void setWaveform(int index);

private:
    void selectStored();

    ZuShared<ZuCLAF_WaveformButton> waveLook;
    ZuShared<ZuParamAttacher> attacher;
    int curIndex = 0;
    int unusedArg = 0;
    std::array<MappableButton, numWaveforms> toggles;
    juce::Slider slider;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> hostAttachment;
};
