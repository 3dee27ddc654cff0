// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuStyleProps.h"

#include <juce_gui_basics/juce_gui_basics.h>

// A row of radio buttons that mirrors a hidden slider (bound to a host
// parameter or a tree property): each button carries its place in the
// property "index"; a click on a button that is now on selects it and moves
// the slider, a slider change from elsewhere lights the matching button
// without a click. The selectors share these steps.
namespace zu::radiorow
{
// Selects the clicked button's index when the button is on and the index is
// new (and not negative): stores it in current and moves the slider with
// notification. Returns whether it did.
inline bool selectFromClick(juce::Button* button, int& current, juce::Slider& slider)
{
    if (button == nullptr || !button->getToggleState())
        return false;
    const int idx = button->getProperties().getWithDefault(ZuStyle::index, 0).toString().getIntValue();
    if (idx == current || idx < 0)
        return false;
    current = idx;
    slider.setValue(idx, juce::sendNotificationSync);
    return true;
}

// Lights the button the slider names when it is in range and not current.
template <typename Buttons> void followSlider(const juce::Slider& slider, int& current, Buttons& buttons)
{
    const int v = (int) slider.getValue();
    if (v == current || v < 0 || v >= (int) std::size(buttons))
        return;
    current = v;
    buttons[(size_t) v].setToggleState(true, juce::dontSendNotification);
}

// Joins the buttons of a row: the first on its right (or bottom), the last
// on its left (or top), the others on both.
template <typename Buttons> void connectEdges(Buttons& buttons, bool vertical, int extraEdges = 0)
{
    using E = juce::Button::ConnectedEdgeFlags;
    const int before = vertical ? E::ConnectedOnTop : E::ConnectedOnLeft;
    const int after = vertical ? E::ConnectedOnBottom : E::ConnectedOnRight;
    const auto count = std::size(buttons);
    for (size_t i = 0; i < count; ++i)
        buttons[i].setConnectedEdges(extraEdges | (i > 0 ? before : 0) | (i + 1 < count ? after : 0));
}

// Prepares a slider that is never shown: a linear bar without a text box.
inline void prepareHiddenSlider(juce::Slider& slider, const juce::String& name)
{
    slider.setName(name);
    slider.setSliderStyle(juce::Slider::LinearHorizontal);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
}
} // namespace zu::radiorow
