// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A modulation slot's displays on screen: the model, a stand-in for the LFO
// editor's shape settings, and a window on the desktop so that the displays
// are showing and poll.

#include "LfoData.h"
#include "LfoDrawParams.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace zutest
{
struct FixedDrawParams : LfoDrawParamSource
{
    LfoDrawParams params;
    LfoDrawParams getPramStatesForDrawPath() const override { return params; }
};

// A plain window on the desktop; children added to it are showing.
struct ShowingHost : juce::Component
{
    explicit ShowingHost(int w = 400, int h = 200)
    {
        setSize(w, h);
        addToDesktop(0);
        setVisible(true);
    }
    ~ShowingHost() override { removeFromDesktop(); }
};

// The points of a path, in order.
inline std::vector<juce::Point<float>> pathPoints(const juce::Path& path)
{
    std::vector<juce::Point<float>> points;
    juce::Path::Iterator it(path);
    while (it.next())
        if (it.elementType == juce::Path::Iterator::startNewSubPath || it.elementType == juce::Path::Iterator::lineTo)
            points.emplace_back(it.x1, it.y1);
    return points;
}
} // namespace zutest
