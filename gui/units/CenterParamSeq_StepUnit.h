// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterSeq_StepUnitBase.h"
#include "DispShareData.h"
#include "ZuCLAF_Combos.h"

#include <array>

// One step column of a parameter sequencer unit: besides the common step
// controls, the event menu that chooses what the step's value drives in its
// target pitch units (direction, window, octave, transpose, step values,
// restart). The event sets the knob's grid (seven positions for "Octave",
// two for the switches, continuous for "None") and how the value reads.
//
// The event's grid is applied as soon as the stored event changes, before the
// knob sees a value arriving with it, so a snapshot switch or a load never
// snaps a stored value to the previous event's grid. Message thread only.
class CenterParamSeq_StepUnit : public CenterSeq_StepUnitBase, private juce::ValueTree::Listener
{
public:
    static constexpr int numEvents = 24;
    // The knob's grid per event item index (0 continuous); "Start" and "Size"
    // use 0.034, so that the top position reads 32.
    static const std::array<double, numEvents> eventIntervals;
    static const std::array<const char*, numEvents> eventNames;

    CenterParamSeq_StepUnit();
    ~CenterParamSeq_StepUnit() override;

    // Gives the knob and the drag area the grid of the stored event.
    void eventMenuChanged();
    // Writes the step's value text into label.
    void getLabelValue(juce::Label& label);
    void handleAsyncUpdate() override;
    juce::String valueText() const override;
    void resized() override;

    // The event item index the tree holds (-1 for none), as the menu will
    // show it.
    int storedEventIndex() const;

    // Operations no running panel calls.
    void setRelMode(bool relative);
    void modeButtonClicked();
    void setAttachment(juce::AudioProcessorValueTreeState& state, int unitIndex, int stepIndex);
    using CenterSeq_StepUnitBase::setAttachment;

    juce::ComboBox eventMenu;

protected:
    void bindLast(juce::ValueTree& unitTree, const juce::String& prefix, int index) override;
    void colourOwnControls() override;
    void colourOwnRangeState() override;

private:
    void valueTreePropertyChanged(juce::ValueTree& tree, const juce::Identifier& property) override;

    ZuShared<ZuCLAF_EventMenu> menuLook;
    ZuShared<DispShareData> dispShare;
    juce::ValueTree boundTree;
    juce::Identifier eventKey;
    bool relativeMode = false;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> knobHostAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> powerHostAttachment, lockHostAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ComboBoxAttachment> eventHostAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> probHostAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterParamSeq_StepUnit)
};
