// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// An inner shadow along the inside of a rounded rectangle, laid over the quick
// bar's toolbar. It takes no clicks, so the buttons below stay usable.
class ZuDsLayer : public juce::Component
{
public:
    ZuDsLayer();

    void paint(juce::Graphics& g) override;
};
