// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterCcSeq_CtrlPanel1.h"
#include "CenterCcSeq_StepUnit.h"
#include "ZuMirabox_CenterSeqPanelBase.h"

// The editor panel of a CC sequencer unit (four instances): steps that send
// one controller, mapped into the unit's output range. Its running-step
// light stays lit while the unit is off. Message thread only.
class ZuMirabox_CenterCcSeqPanel : public ZuMirabox_CenterSeqPanelBase
{
public:
    ZuMirabox_CenterCcSeqPanel(int unitIndex, juce::ValueTree guiTree, juce::ValueTree unitModTree,
                               juce::Colour unitColour, MirabelGlobalData& globalData, LfoData& lfoData);
    ~ZuMirabox_CenterCcSeqPanel() override;

    CenterCcSeq_StepUnit& getCcStep(int k) { return steps[(size_t) juce::jlimit(0, 31, k)]; }

    // An operation no running panel calls: the output range to every step.
    void minmaxValueChanged();

    // Member order: the page before the steps it labels.
    CenterCcSeq_CtrlPanel1 ctrlPanel1;
    std::array<CenterCcSeq_StepUnit, 32> steps;

protected:
    void bindPageHostControls(juce::AudioProcessorValueTreeState& state) override;
    void afterHostBinding() override;
    void afterTreeBinding() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_CenterCcSeqPanel)
};
