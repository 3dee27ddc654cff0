// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Labels.h"
#include "ZuCLAF_SwingModKnobs.h"
#include "ZuGuiBase.h"
#include "ZuSmallWidgets.h"
#include "OctTpPanel.h"
#include "ZuUnitTargetPanel.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The thirteen units the swing applies to ("p0_swgtar1".."13"): rows of
// pitch, parameter and CC units, the octave-transpose unit alone below.
// It takes the unit colours only when its swing panel maps its colours.
class SwingTargetPanel : public ZuUnitTargetPanel
{
public:
    explicit SwingTargetPanel(juce::AudioProcessorValueTreeState& state);
    void resized() override;
};

// The global swing depth ("p0_swing", -100 % .. +100 %) and its targets.
// Message thread only.
class SwingPanel : public ZuGuiBase
{
public:
    explicit SwingPanel(juce::AudioProcessorValueTreeState& state);
    ~SwingPanel() override;

    void colorMapping() override;
    void parentHierarchyChanged() override;
    void resized() override;

private:
    ZuShared<ZuCLAF_SwingKnob> knobLook;
    ZuShared<ZuCLAF_Label2> labelLook;

public:
    juce::Label targetsLabel;
    GlobalKnob swingKnob;
    SwingTargetPanel targetPanel;

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> swingAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SwingPanel)
};
