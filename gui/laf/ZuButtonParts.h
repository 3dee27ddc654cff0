// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"

// What the button members share: the four text-button colours, fitting an
// icon into an area, the connected-edge frame and the text operation that
// draws nothing (the members draw everything in the background pass).
namespace ZuButtonParts
{
struct Colours
{
    juce::Colour button, on, textOff, textOn;
};

inline Colours coloursOf(const juce::Component& b)
{
    return {b.findColour(juce::TextButton::buttonColourId), b.findColour(juce::TextButton::buttonOnColourId),
            b.findColour(juce::TextButton::textColourOffId), b.findColour(juce::TextButton::textColourOnId)};
}

// r with d taken off every side, width and height not below 0.
inline juce::Rectangle<float> inset(juce::Rectangle<float> r, float d)
{
    return {r.getX() + d, r.getY() + d, juce::jmax(r.getWidth() - 2.0f * d, 0.0f),
            juce::jmax(r.getHeight() - 2.0f * d, 0.0f)};
}

inline juce::Rectangle<float> insetXY(juce::Rectangle<float> r, float dx, float dy)
{
    return {r.getX() + dx, r.getY() + dy, juce::jmax(r.getWidth() - 2.0f * dx, 0.0f),
            juce::jmax(r.getHeight() - 2.0f * dy, 0.0f)};
}

// The path scaled and moved to fill area as far as its proportions allow.
inline juce::Path fitted(juce::Path p, juce::Rectangle<float> area)
{
    if (!p.isEmpty())
        p.scaleToFit(area.getX(), area.getY(), area.getWidth(), area.getHeight(), true);
    return p;
}

// A rounded frame inside the button's bounds whose corners are square where
// the button joins a neighbour.
inline juce::Path connectedFrame(const juce::Button& b, float x, float width, float corner)
{
    const int flags = b.getConnectedEdgeFlags();
    const bool l = (flags & juce::Button::ConnectedOnLeft) != 0, r = (flags & juce::Button::ConnectedOnRight) != 0,
               t = (flags & juce::Button::ConnectedOnTop) != 0, bo = (flags & juce::Button::ConnectedOnBottom) != 0;
    juce::Path p;
    p.addRoundedRectangle(x, 0.5f, width, (float) b.getHeight() - 1.0f, corner, corner, !(l || t), !(r || t),
                          !(l || bo), !(r || bo));
    return p;
}

inline juce::Path connectedFrame(const juce::Button& b, float corner)
{
    return connectedFrame(b, 0.5f, (float) b.getWidth() - 1.0f, corner);
}

inline bool tooSmall(const juce::Component& c)
{
    return c.getWidth() <= 1 || c.getHeight() <= 1;
}
} // namespace ZuButtonParts

// The button text is never drawn as text: members that show a text or an
// icon draw it in their background pass.
template <typename Base> class ZuNoButtonText : public Base
{
public:
    void drawButtonText(juce::Graphics&, juce::TextButton&, bool, bool) override {}
};
