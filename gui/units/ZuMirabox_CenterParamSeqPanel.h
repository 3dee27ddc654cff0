// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterParamSeq_CtrlPanel1.h"
#include "CenterParamSeq_StepUnit.h"
#include "ZuMirabox_CenterSeqPanelBase.h"

// The editor panel of a parameter sequencer unit (four instances): steps
// whose events steer the pitch units the unit targets. Message thread only.
class ZuMirabox_CenterParamSeqPanel : public ZuMirabox_CenterSeqPanelBase
{
public:
    ZuMirabox_CenterParamSeqPanel(int unitIndex, juce::ValueTree guiTree, juce::ValueTree unitModTree,
                                  juce::Colour unitColour, MirabelGlobalData& globalData, LfoData& lfoData);
    ~ZuMirabox_CenterParamSeqPanel() override;

    // Showing "Ctrl2" also shows the set-all value box of its target.
    void ctrlPageButtonClicked() override;
    // An operation no running panel calls.
    void repModModeButtonClicked() {}

    CenterParamSeq_StepUnit& getParamStep(int k) { return steps[(size_t) juce::jlimit(0, 31, k)]; }

    CenterParamSeq_CtrlPanel1 ctrlPanel1;
    std::array<CenterParamSeq_StepUnit, 32> steps;

protected:
    void afterHostBinding() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_CenterParamSeqPanel)
};
