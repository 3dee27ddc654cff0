// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuGuiBase.h"
#include "ZuParamAttacher.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The MIDI output channel of a unit or of a CC rack knob: a "CH" label over a
// number box running 0 to 16, where 0 reads "M" (the unit follows the global
// channel). Bound either to a tree property or to a host parameter.
class ChPanel : public ZuGuiBase
{
public:
    ChPanel();
    ~ChPanel() override;

    void setAttachment(juce::ValueTree tree, juce::String propertyID);
    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String parameterID);
    void setCenterPanelFlag();

    void colorMapping() override;
    void resized() override;

    // "M" for 0, otherwise the channel number.
    static juce::String channelText(double value);

    juce::Label& getLabel() noexcept { return label; }
    juce::Slider& getNumberBox() noexcept { return numberBox; }

private:
    void setTextFromValue();

    ZuShared<ZuCLAF_SEQ1Label> labelLookAndFeel;
    ZuShared<ZuCLAF_ChNumbBox> numberBoxLookAndFeel;
    ZuShared<ZuParamAttacher> attacher;
    bool centerPanelFlag = false;
    juce::Label label;
    juce::Slider numberBox;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChPanel)
};
