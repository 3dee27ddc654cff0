// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterSeq_StepUnitBase.h"

#include <utility>

// One step column of a CC sequencer unit: the common step controls, with the
// value shown as the controller value it sends, 0..127, inside the unit's
// output range (Min, Max), which the unit's control page hands over.
// Message thread only.
class CenterCcSeq_StepUnit : public CenterSeq_StepUnitBase
{
public:
    CenterCcSeq_StepUnit();

    void setStepIndex(int index) override;
    // Takes the unit's output range and asks for a new value text.
    void setOutMinMax(std::pair<double, double> range);
    std::pair<double, double> getOutMinMax() const noexcept { return outMinMax; }

    // round(min + (max - min) x value), clamped to 0..127.
    static juce::String ccText(double value, std::pair<double, double> range);
    juce::String valueText() const override;
    void resized() override;

    // An operation no running panel calls.
    void setAttachment(juce::AudioProcessorValueTreeState& state, int unitIndex, int stepIndex);
    using CenterSeq_StepUnitBase::setAttachment;

private:
    std::pair<double, double> outMinMax{0.0, 1.0};
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> knobHostAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> powerHostAttachment, lockHostAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterCcSeq_StepUnit)
};
