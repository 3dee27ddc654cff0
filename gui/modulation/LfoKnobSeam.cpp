// SPDX-License-Identifier: GPL-3.0-or-later
#include "LfoKnobSeam.h"

#include "ZuParamAttacher.h"

LfoKnobSeam::LfoKnobSeam()
{
    mainKnob.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    mainKnob.setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
    addAndMakeVisible(mainKnob);
}

void LfoKnobSeam::setAttachment(juce::ValueTree tree, juce::String id, float defaultValue,
                                juce::NormalisableRange<double> range)
{
    ZuParamAttacher::attachToSlider(tree, id, defaultValue, range, mainKnob);
}

void LfoKnobSeam::setTextColor(juce::Colour c)
{
    mainKnob.setColour(juce::Slider::textBoxTextColourId, c);
}

void LfoKnobSeam::setBgColor(juce::Colour c)
{
    bgColor = c;
    mainKnob.setColour(juce::Slider::backgroundColourId, c);
    repaint();
}

void LfoKnobSeam::resized()
{
    // The main knob above the row where the two modulation slots go.
    const auto b = getLocalBounds();
    const int slotRow = layoutMode == 0 ? (int) ((float) b.getHeight() * modKnobRatio) : 0;
    mainKnob.setBounds(b.withTrimmedBottom(slotRow));
}
