// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterDirButton.h"
#include "CenterSeq_StepUnitBase.h"

#include <utility>

// One step column of the octave-transpose sequencer unit: the step's
// transpose (-12..+12 semitones, snapping to 0 near the centre) on the value
// knob, shown as "+3 st", and the step's octave on a row of octave buttons
// with its own modulation slot. Message thread only.
class CenterOctTpSeq_StepUnit : public CenterSeq_StepUnitBase
{
public:
    CenterOctTpSeq_StepUnit();

    void setStepIndex(int index) override;
    // "+" above 0, the whole semitones rounded down, then " st".
    static juce::String transposeText(double value);
    juce::String valueText() const override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    // Operations no running panel calls.
    void setOutMinMax(std::pair<double, double> range);
    void setAttachment(juce::AudioProcessorValueTreeState&, int, int) {}
    using CenterSeq_StepUnitBase::setAttachment;

    CenterOctButton octaveButtons;
    ZuPairOfModKnobs octavePair{true, 1};

protected:
    juce::NormalisableRange<double> valueRange() const override { return {-12.0, 12.0, 1.0}; }
    const char* valueKey() const override { return "stp"; }
    void bindFirst(juce::ValueTree& unitTree, const juce::String& prefix, int index) override;
    void bindLast(juce::ValueTree&, const juce::String&, int) override { triggerAsyncUpdate(); }
    void colourOwnControls() override;
    void colourOwnRangeState() override;
    bool usesBoxColour() const override { return false; }

private:
    // Always (0, 1) on the running paths, so the value reads unchanged.
    std::pair<double, double> outMinMax{0.0, 1.0};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterOctTpSeq_StepUnit)
};
