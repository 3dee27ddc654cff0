// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterParamSeq_TargetPanel.h"
#include "CenterSeq_CtrlPanel1Base.h"

class ZuMirabox_CenterParamSeqPanel;

// The first control page of a parameter sequencer unit: the pitch units it
// drives ("Target Unit" and four toggles), direction, clock, reset count and
// play window. Recoloured by its owner: the skin written into skinMode, then
// colorMapping(). Message thread only.
class CenterParamSeq_CtrlPanel1 : public CenterSeq_CtrlPanel1Base
{
public:
    CenterParamSeq_CtrlPanel1(int unitIndex, ZuMirabox_CenterParamSeqPanel& owner);
    ~CenterParamSeq_CtrlPanel1() override;

    // Binds the widgets to the unit's data tree (prefix "p2m2" + n + "_").
    void setAttachment(juce::ValueTree unitTree, juce::String prefix) override;
    void colorMapping() override;
    void resized() override;
    void setSkinIndex(int skin) noexcept { skinMode = skin; }

    // Operations no running panel calls.
    void relModeButtonClicked() {}
    void setAttachment(juce::AudioProcessorValueTreeState& state);

    CenterParamSeq_TargetPanel targetPanel;
    juce::Label targetLabel;
    ZuMirabox_CenterParamSeqPanel& ownerPanel;

private:
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> startHostAttachment, sizeHostAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterParamSeq_CtrlPanel1)
};
