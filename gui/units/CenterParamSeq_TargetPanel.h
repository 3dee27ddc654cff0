// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_TargetButtons.h"
#include "ZuGuiBase.h"
#include "ZuParamAttacher.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

// The four toggles "1".."4" of a parameter sequencer unit: which pitch
// sequencer units its events drive ("tar1".."tar4" of the unit's data tree,
// any subset, none included). A click asks the editor to refresh what
// depends on the targets (the pitch units' note names, the scale panel).
// Message thread only.
class CenterParamSeq_TargetPanel : public ZuGuiBase
{
public:
    static constexpr int numTargets = 4;

    CenterParamSeq_TargetPanel();
    ~CenterParamSeq_TargetPanel() override;

    // Binds toggle k to prefix + "tar" + k (default on for 1, off for 2..4).
    void setAttachment(juce::ValueTree unitTree, juce::String prefix);
    void colorMapping() override;
    void resized() override;
    // What a click does after storing the toggle: the editor's refresh.
    void targetClicked();

    // An operation no running panel calls: toggle k to host parameter id + k.
    void setAttachment(juce::AudioProcessorValueTreeState& state, juce::String id);

    // The component from which the pitch units' colour is looked up when the
    // panel itself is not inside the editor (its page hidden).
    juce::Component* colourSource = nullptr;
    // How many clicks reached the editor's refresh.
    int refreshCount = 0;

    std::array<MappableButton, numTargets> targetButtons;

private:
    ZuShared<ZuCLAF_SwgTarButton> toggleLook;
    std::array<std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment>, numTargets> hostAttachments;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterParamSeq_TargetPanel)
};
