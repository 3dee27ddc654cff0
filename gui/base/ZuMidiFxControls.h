// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuCenterUnitPanelBase.h"
#include "ZuGuiBase.h"
#include "ZuSmallWidgets.h"

#include "Scurve.h"

#include <juce_audio_processors/juce_audio_processors.h>

// A MIDI-effect knob and a MIDI-effect number box bound to host parameters.
// No panel builds them.
class ZuMidiFxKnob : public ZuCenterUnitPanelBase
{
public:
    ZuMidiFxKnob();
    ~ZuMidiFxKnob() override;

    using ZuCenterUnitPanelBase::setAttachments;
    void setAttachments(juce::AudioProcessorValueTreeState& state, juce::String parameterID);
    // Writes a modulation slot's shaped depth and track colour onto the knob.
    void setModValProp(int slot, double depth);
    void setModTrackColor(int slot, juce::Colour colour, int polarity);
    void setKnobVal(int which, float value);
    void initKnobUnit(float value);
    void setTextColor(juce::Colour colour);
    void setBgColor(juce::Colour colour);
    void setTrkBgColor(juce::Colour colour);

    void resize_guiBounds() override;
    void resized() override;
    void enablementChanged() override {}

    FxKnob& getKnob() noexcept { return knob; }
    const juce::String& getParameterID() const noexcept { return parameterID; }

private:
    ZuShared<ZuCLAF_Base> knobLookAndFeel, labelLookAndFeel;
    ZuShared<Scurve> depthCurve;
    juce::Label label;
    FxKnob knob;
    juce::Colour bgColour{0xff202020};
    juce::String parameterID;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;
    juce::Rectangle<int> knobArea;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMidiFxKnob)
};

class ZuMidiFxNumbBox : public ZuGuiBase
{
public:
    ZuMidiFxNumbBox(juce::String name, bool flag, float);
    ~ZuMidiFxNumbBox() override;

    void setAttachments(juce::AudioProcessorValueTreeState& state, juce::String parameterID);
    // Returns to the double-click value, notifying asynchronously.
    void reset();
    void setValue(int which, float value);
    void initKnobUnit(float value);
    void changeLnf(int which);
    void setNumbBoxOutlineColor(juce::Colour colour);
    void setTextColor(juce::Colour colour);
    void setBgColor(juce::Colour colour);
    void setBoxBgColor(juce::Colour colour);

    void resize_guiBounds() override;
    void resized() override { resize_guiBounds(); }

    FxKnob& getNumberBox() noexcept { return numberBox; }
    juce::Label& getLabel() noexcept { return label; }

private:
    ZuShared<ZuCLAF_Base> lookAndFeel1, lookAndFeel2, labelLookAndFeel;
    juce::Label label;
    FxKnob numberBox;
    bool flag;
    juce::String name;
    juce::Colour bgColour{0xff202020};
    juce::String parameterID;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMidiFxNumbBox)
};
