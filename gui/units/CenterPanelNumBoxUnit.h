// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_NumbBoxes.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuModulatableKnob.h"
#include "ZuParamAttacher.h"
#include "ZuShared.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Shapes slider as a unit's number box: dragged up and down (velocity mode
// with this offset, swapped by Ctrl+Alt), rotary, no text box; the look draws
// it as a box with its value text.
void shapeUnitNumberBox(juce::Slider& slider, juce::LookAndFeel& look, double velocityOffset);
// A value rounded toward minus infinity, as a whole number ("100").
juce::String roundedDownText(double value);

// A step's value box for velocity ("V"), gate ("G") or trigger probability
// ("P"), with the value's one modulation slot in a fixed 14-pixel column at
// its right. The box dims while its step lies outside the unit's play
// window. Message thread only.
class CenterPanelNumBoxUnit : public juce::Component
{
public:
    static constexpr int knobColumnWidth = 14;

    CenterPanelNumBoxUnit();
    ~CenterPanelNumBoxUnit() override;

    // Names the value box; "V", "G" and "P" also give it its scale, tooltip
    // and value text.
    void setParamName(juce::String name);
    // Binds the value box to id (writing defaultValue when missing) and the
    // modulation slot to id + "_ms1" and id + "_md1".
    void setAttachment(juce::ValueTree tree, juce::String id, float defaultValue,
                       juce::NormalisableRange<double> range);
    void setSkinMode(int skin);
    void setStepRngState(bool inRange);
    void resized() override;

    bool isInRange() const noexcept { return inRange; }
    juce::Slider& getValueBox() noexcept { return valueBox; }
    ZuPairOfModKnobs& getModKnob() noexcept { return modKnob; }

private:
    juce::Colour entry(int e) const { return colorTheme->entry(e, skinMode); }
    // The colours that follow the in-range flag: text, bar and outline.
    void applyRangeColours();

    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuCLAF_CenterNumbBox> lookAndFeel;
    ZuShared<ZuParamAttacher> attacher;
    bool inRange = true;
    int skinMode = 0;
    juce::Colour baseColor;
    juce::Colour unitColor{0xff000000};
    juce::Slider valueBox;
    ZuPairOfModKnobs modKnob{true, 1};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CenterPanelNumBoxUnit)
};
