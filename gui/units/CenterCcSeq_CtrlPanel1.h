// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterSeq_CtrlPanel1Base.h"
#include "ChPanel.h"
#include "ZuCLAF_NumbBoxes.h"
#include "ZuSmallWidgets.h"

#include <utility>

class ZuMirabox_CenterCcSeqPanel;

// The first control page of a CC sequencer unit: besides direction, clock,
// reset count and play window, the controller the unit sends ("tarcc"), the
// output range Min..Max ("omin", "omax") that its steps' 0..1 values map to,
// and its MIDI channel (a host parameter).
//
// A change of Min or Max, whoever made it, re-labels the unit's 32 steps 50
// ms after the last change of a burst (timer 0); Min above Max is kept as it
// is and maps the steps downwards. Message thread only.
class CenterCcSeq_CtrlPanel1 : public CenterSeq_CtrlPanel1Base
{
public:
    static constexpr int rangeTimer = 0;
    static constexpr int rangeDelayMs = 50;

    CenterCcSeq_CtrlPanel1(int unitIndex, ZuMirabox_CenterCcSeqPanel& owner);
    ~CenterCcSeq_CtrlPanel1() override;

    // Binds the widgets to the unit's data tree (prefix "p3m3" + n + "_").
    void setAttachment(juce::ValueTree unitTree, juce::String prefix) override;
    // Binds the channel box to "p3m3" + n + "_ch" and hands the range over.
    void setAttachment(juce::AudioProcessorValueTreeState& state);
    void setSkinMode(int skin) override;
    void timerCallback(int timerId) override;
    void valueChanged(juce::Value& value) override;
    void resized() override;

    void getOutMinMax(std::pair<double, double>& range) const;

    juce::Label rangeLabel;
    juce::Slider outMinSlider, outMaxSlider;
    juce::Label ccLabel;
    CcBox targetCcBox;
    ChPanel channelPanel;
    ZuMirabox_CenterCcSeqPanel& ownerPanel;

private:
    ZuShared<ZuCLAF_CcNumbBox> ccBoxLook;
    ZuShared<ZuCLAF_CenterNumbBox> rangeBoxLook;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterCcSeq_CtrlPanel1)
};
