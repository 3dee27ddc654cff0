// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_SwingModKnobs.h"
#include "ZuGuiBase.h"
#include "ZuSmallWidgets.h"
#include "ZuUnitTargetPanel.h"

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The knob of the global panels, an FxKnob whose snap window is judged at the
// precision of the float parameters it drives.
class GlobalKnob : public FxKnob
{
public:
    double snapValue(double value, juce::Slider::DragMode mode) override;
};

// The four pitch units the global octave and transpose apply to
// ("p0_gocttptar1".."4"), in a 2 x 2 grid.
class OctTpTargetPanel : public ZuUnitTargetPanel
{
public:
    explicit OctTpTargetPanel(juce::AudioProcessorValueTreeState& state);
    void resized() override;
};

// The global octave ("OCT", "p0_goct") and transpose ("TP", "p0_gtp") of the
// chosen pitch units, and the MIDI keyboard transpose switch ("p0_miditp")
// with the 25 keys it listens to. While the octave-transpose unit runs, it
// owns octave and transpose, and the two knobs are disabled. Message thread
// only.
class OctTpPanel : public ZuGuiBase
{
public:
    OctTpPanel(juce::AudioProcessorValueTreeState& state, MirabelGlobalData& globalData);
    ~OctTpPanel() override;

    void colorMapping() override;
    void resized() override;
    void timerCallback(int timerId) override;
    void parentHierarchyChanged() override;
    // The key range text from the keyboard-transpose base note of the
    // enclosing editor's processor; nothing changes outside an editor.
    void updateMidiTpLabel();

    // The knob of the global panels: a centre-zero knob named "OCT", "TP" or
    // "Swing" (the look-and-feel shows its value by that name) whose drags
    // snap to 0 within -0.02 <= v < 0.02, over 0..1 until an attachment
    // gives it the parameter's range.
    static void shapeGlobalKnob(juce::Component& owner, FxKnob& knob, juce::LookAndFeel& look, const juce::String& name,
                                const juce::String& tooltip, juce::Colour background, juce::Colour thumb,
                                double velocityOffset);

    static constexpr int octTpPollTimer = 0;
    static constexpr int octTpPollMs = 600;

private:
    ZuShared<ZuCLAF_SwingKnob> knobLook;
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_SvgButton> keyLook;

public:
    juce::Label targetsLabel;
    GlobalKnob octKnob, tpKnob;
    juce::TextButton keyButton;
    juce::Label keyRangeLabel;
    OctTpTargetPanel targetPanel;

private:
    MirabelGlobalData& globalData;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> octAttachment, tpAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> keyAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(OctTpPanel)
};
