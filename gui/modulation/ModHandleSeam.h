// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The slot's drag handle until the modulation drag handles are available
// here: it shows the handle's text on its background colour and offers the
// members the slot header sets on a handle, so the two can be swapped.
class ModHandleSeam : public juce::Component
{
public:
    ModHandleSeam(juce::String text, juce::Colour iconColour);

    void paint(juce::Graphics& g) override;
    void setText(const juce::String& t) { text = t; }
    const juce::String& getText() const noexcept { return text; }

    juce::Colour bgColor{0xffa0a0a0};

private:
    juce::String text;
    juce::Colour iconColour;
};
