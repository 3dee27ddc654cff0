// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <functional>
#include <utility>
#include <vector>

// Runs a callback on every change of a widget's value object, whatever made
// it: the user's gesture, or the tree property the widget is bound to
// (snapshot switch, copy, load, host automation). JUCE's own callbacks
// (Slider::onValueChange, Button::onClick) hear only the first, so a display
// that redraws from them alone goes stale when the tree changes underneath.
//
// The followed values belong to widgets: declare the follower after them, so
// it is destroyed first. Message thread only.
class ZuValueFollower : private juce::Value::Listener
{
public:
    ZuValueFollower() = default;
    ~ZuValueFollower() override { stop(); }

    // Adds a widget's value object (Slider::getValueObject,
    // Button::getToggleStateValue ...) whose changes call onChange.
    void follow(juce::Value& value, std::function<void()> onChange)
    {
        value.addListener(this);
        followed.emplace_back(&value, std::move(onChange));
    }

    void stop()
    {
        for (auto& f : followed)
            f.first->removeListener(this);
        followed.clear();
    }

private:
    void valueChanged(juce::Value& value) override
    {
        // JUCE hands listeners a copy of the value: compare sources.
        for (auto& f : followed)
            if (f.first->refersToSameSourceAs(value))
                f.second();
    }

    std::vector<std::pair<juce::Value*, std::function<void()>>> followed;

    JUCE_DECLARE_NON_COPYABLE(ZuValueFollower)
};
