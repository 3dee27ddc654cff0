// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MessagePump.h"

#include "PluginProcessor.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zutest
{
// A mouse event on target at pos, pressed since pressedAt.
inline juce::MouseEvent mouseEventOn(juce::Component& target, juce::ModifierKeys mods,
                                     juce::Time pressedAt = juce::Time::getCurrentTime(),
                                     juce::Point<float> pos = {5.0f, 5.0f})
{
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), pos, mods,
                            juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                            juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                            juce::MouseInputSource::defaultTiltY, &target, &target, juce::Time::getCurrentTime(), pos,
                            pressedAt, 1, false);
}

// Clicks button as the user would (its click handlers run) and waits until
// the click has been delivered.
inline bool click(juce::Button& button)
{
    struct Seen : juce::Button::Listener
    {
        bool clicked = false;
        void buttonClicked(juce::Button*) override { clicked = true; }
    } seen;
    button.addListener(&seen);
    button.triggerClick();
    const bool ok = pumpUntil([&] { return seen.clicked; });
    button.removeListener(&seen);
    return ok;
}

// The content of the call-out box that is a child of parent, if any.
template <typename Content> Content* openCallOutContent(juce::Component& parent)
{
    for (auto* child : parent.getChildren())
        if (auto* box = dynamic_cast<juce::CallOutBox*>(child))
            for (auto* inner : box->getChildren())
                if (auto* content = dynamic_cast<Content*>(inner))
                    return content;
    return nullptr;
}
// The index of the lit button of a radio row of count buttons, -1 for none.
template <typename Selector> int litButton(Selector& selector, int count)
{
    for (int i = 0; i < count; ++i)
        if (selector.getButton(i).getToggleState())
            return i;
    return -1;
}

// A host parameter as the host sets and reads it, in its own units.
inline void setHostParameter(ZumiraboxAudioProcessor& p, const juce::String& id, float value)
{
    auto* parameter = p.paramState.getParameter(id);
    parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
}

inline float hostParameter(ZumiraboxAudioProcessor& p, const juce::String& id)
{
    auto* parameter = p.paramState.getParameter(id);
    return parameter->convertFrom0to1(parameter->getValue());
}
} // namespace zutest
