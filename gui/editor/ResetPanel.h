// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Labels.h"
#include "ZuCLAF_MenuStripButtons.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuShared.h"
#include "ZuSmallWidgets.h"
#include "ZuUnitTargetPanel.h"

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The thirteen units a restart or resync applies to: "p0_rebtntar1".."13",
// pitch and parameter units in the first row, CC units and the
// octave-transpose unit in the second.
class ResetTargetPanel : public ZuUnitTargetPanel
{
public:
    explicit ResetTargetPanel(juce::AudioProcessorValueTreeState& state);
    void resized() override;

    // The three cells of the second row that no unit takes (after the
    // octave-transpose unit), in the coordinates of a panel of w x h.
    static juce::Rectangle<int> spareCells(int w, int h);
};

// The box "SEQ ReStart/ReSync": two buttons that restart the chosen units or
// put them back in step with the host's song position while they are held
// ("p0_clk_reset", "p0_clk_resync" are 1 on the press and 0 on the release),
// and the grid of targets. Message thread only.
class ResetPanel : public juce::Component
{
public:
    ResetPanel(juce::AudioProcessorValueTreeState& state, MirabelGlobalData& globalData);
    ~ResetPanel() override;

    void setSkinMode(int skin);
    void resized() override;

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuCLAF_Label2> labelLook;
    ZuShared<ZuCLAF_ModOpenButton> buttonLook;
    juce::Colour baseColor;
    int skinMode = 0;

public:
    juce::Label titleLabel, targetsLabel;
    ResetTargetPanel targetPanel;
    MomentaryButton restartButton{0}, resyncButton{1};

private:
    MirabelGlobalData& globalData;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> restartAttachment, resyncAttachment;

    void setUpButton(MomentaryButton& button, const juce::String& text, const juce::String& tooltip);
    void colourButton(MomentaryButton& button);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ResetPanel)
};
