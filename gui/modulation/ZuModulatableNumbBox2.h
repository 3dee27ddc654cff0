// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuKernTables.h"
#include "ZuModulatableNumbBox.h"

// The labelled number box with two modulation slots, whose value may read as
// a dry / wet split: with its curve switch ("expcurve", on host parameter
// id + "_exp") off as linear percentages ("70 / 30"), on as the curves 1
// and 12 of ZuKernTables shape them. No running panel builds it.
// Message thread only.
class ZuModulatableNumbBox2 : public ZuModNumbBoxBase
{
public:
    ZuModulatableNumbBox2(juce::String name, bool vertical, float knobRatio);
    ~ZuModulatableNumbBox2() override;

    void enablementChanged() override {}
    void resized() override;
    void colorMapping() override;
    void resize_guiBounds() override;
    // Also the curve switch's "bgcolor", when it exists.
    void setBgColor(juce::Colour colour) override;

    // Binds the box, the slots and, when it exists, the curve switch.
    void setAttachments(juce::AudioProcessorValueTreeState& state, juce::String id);
    // Adds the curve switch and the dry / wet value text.
    void setCurveButtonFlag();
    void curveButtonClicked();
    // The box's text of value v as the switch says (empty without a switch).
    juce::String valueText(double v) const;

    std::unique_ptr<juce::TextButton> curveButton;
    bool hasCurveButton = false;

private:
    ZuShared<ZuCLAF_Base> switchLook;
    ZuShared<ZuKernTables> kernTables;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> buttonAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuModulatableNumbBox2)
};
