// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterOctTpSeq_CtrlPanel1.h"
#include "CenterOctTpSeq_StepUnit.h"
#include "ZuMirabox_CenterSeqPanelBase.h"

// The editor panel of the one octave-transpose sequencer unit: steps that
// transpose and shift the octave of everything the pitch units play.
// Message thread only.
class ZuMirabox_CenterOctTpSeqPanel : public ZuMirabox_CenterSeqPanelBase
{
public:
    ZuMirabox_CenterOctTpSeqPanel(int unitIndex, juce::ValueTree guiTree, juce::ValueTree unitModTree,
                                  juce::Colour unitColour, MirabelGlobalData& globalData, LfoData& lfoData);
    ~ZuMirabox_CenterOctTpSeqPanel() override;

    CenterOctTpSeq_StepUnit& getOctTpStep(int k) { return steps[(size_t) juce::jlimit(0, 31, k)]; }

    CenterOctTpSeq_CtrlPanel1 ctrlPanel1;
    std::array<CenterOctTpSeq_StepUnit, 32> steps;

protected:
    void afterHostBinding() override;
    void afterTreeBinding() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_CenterOctTpSeqPanel)
};
