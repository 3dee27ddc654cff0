// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// Shows content in a call-out box over parent, pointing at area (parent's
// coordinates), as juce::CallOutBox::launchAsynchronously does, but without
// its check that closes the box 200 ms after opening while JUCE judges the
// process to be in the background: an editor embedded in a host's window may
// be judged so all along, and its call-outs must stay until the user answers.
// A click outside and Escape still dismiss the box. The box owns content and
// deletes both when it is dismissed. Message thread only.
juce::CallOutBox& launchZuCallOut(std::unique_ptr<juce::Component> content, juce::Rectangle<int> area,
                                  juce::Component& parent);

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

// Launches content in a call-out over parent pointing at target (in parent's
// coordinates), filled and outlined with the given colours, as the common
// look-and-feel draws call-outs; the box stays on top.
inline juce::CallOutBox& launch(std::unique_ptr<juce::Component> content, juce::Rectangle<int> target,
                                juce::Component& parent, juce::Colour fill, juce::Colour outline)
{
    auto& box = launchZuCallOut(std::move(content), target, parent);
    box.setColour(juce::BubbleComponent::backgroundColourId, fill);
    box.setColour(juce::BubbleComponent::outlineColourId, outline);
    box.setAlwaysOnTop(true);
    return box;
}
} // namespace zu::callout
