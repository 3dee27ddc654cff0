// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zu::callout
{
// Closes the call-out box that holds content, when there is one. The box
// deletes its content later, on the message loop, so the caller may go on
// using itself until it returns.
inline void dismissEnclosing(juce::Component& content)
{
    if (auto* box = content.findParentComponentOfClass<juce::CallOutBox>())
        box->dismiss();
}

// Launches content in an asynchronous call-out over parent pointing at target
// (in parent's coordinates), filled and outlined with the given colours, as
// the common look-and-feel draws call-outs.
inline juce::CallOutBox& launch(std::unique_ptr<juce::Component> content, juce::Rectangle<int> target,
                                juce::Component& parent, juce::Colour fill, juce::Colour outline)
{
    auto& box = juce::CallOutBox::launchAsynchronously(std::move(content), target, &parent);
    box.setColour(juce::BubbleComponent::backgroundColourId, fill);
    box.setColour(juce::BubbleComponent::outlineColourId, outline);
    box.setAlwaysOnTop(true);
    return box;
}
} // namespace zu::callout
