// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_FramedButtons.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuGuiBase.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The bottom area's "Settings" page: the master MIDI channel ("p0_gch"), two
// per-user defaults for new units (modulation panel shown, pitch unit
// extended), saved in the settings file at each click, and "Edit", which
// opens the MIDI map over the editor. Message thread only.
class SettingPanelMain : public ZuGuiBase
{
public:
    SettingPanelMain(juce::AudioProcessorValueTreeState& state, juce::ValueTree midiMapTree);
    ~SettingPanelMain() override;

    // Sets both toggles from the enclosing editor's settings, without
    // notification (nothing outside an editor).
    void loadSettingStates();
    // Opens the MIDI map panel in a call-out at "Edit" (inside an editor only).
    void mapEditButtonClicked();
    void colorMapping() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    static constexpr int firstLoadDelayMs = 500;

    // The open MIDI map call-out, if any.
    juce::CallOutBox* getMapCallOut() const noexcept { return mapCallOut.getComponent(); }

private:
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_GMidiChBox> channelLook;
    ZuShared<ZuCLAF_MwScrlButton> buttonLook;

public:
    juce::Label channelLabel;
    FxKnob channelBox;
    juce::Label modPanelLabel;
    juce::TextButton modPanelButton;
    juce::Label pitchPanelLabel;
    juce::TextButton pitchPanelButton;
    juce::Label mapLabel;
    juce::TextButton editButton;

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> channelAttachment;
    juce::DrawablePath background, outline;
    juce::ValueTree midiMapTree;
    juce::Colour colourA, colourB;
    juce::Component::SafePointer<juce::CallOutBox> mapCallOut;

    void addLabel(juce::Label& label, const juce::String& text, float fontSize);
    void addButton(juce::TextButton& button, const juce::String& text);
    void toggleClicked(juce::TextButton& button);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SettingPanelMain)
};
