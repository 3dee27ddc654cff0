// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The LFO editor's knob until the modulatable knob is available here: the
// main rotary knob bound to one slot property, with the members the editor
// sets on it. It carries no modulation slots of its own yet; the editor sets
// them through the same members once the modulatable knob replaces this.
class LfoKnobSeam : public juce::Component
{
public:
    LfoKnobSeam();

    void setAttachment(juce::ValueTree tree, juce::String id, float defaultValue,
                       juce::NormalisableRange<double> range);
    void setTextColor(juce::Colour c);
    void setBgColor(juce::Colour c);
    void resized() override;

    juce::Slider mainKnob;
    float modKnobRatio = 0.25f;
    int layoutMode = 0;
    juce::Colour bgColor{0xff202020};
};
