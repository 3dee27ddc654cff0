// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterSeq_CtrlPanel1Base.h"

// The first control page of the octave-transpose unit: direction, clock,
// reset count and the play window, on a filled background.
// Message thread only.
class CenterOctTpSeq_CtrlPanel1 : public CenterSeq_CtrlPanel1Base
{
public:
    explicit CenterOctTpSeq_CtrlPanel1(int unitIndex);

    // Binds the widgets to the unit's data tree (prefix "p4m41_").
    void setAttachment(juce::ValueTree unitTree, juce::String prefix) override;
    void setSkinMode(int skin) override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    juce::Colour getBaseColour() const noexcept { return baseColor; }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterOctTpSeq_CtrlPanel1)
};
