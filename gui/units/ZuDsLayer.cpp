// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuDsLayer.h"

ZuDsLayer::ZuDsLayer()
{
    setInterceptsMouseClicks(false, false);
}

void ZuDsLayer::paint(juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    const juce::Rectangle<float> r(bounds.getX() + 0.5f, bounds.getY() + 0.5f,
                                   juce::jmax(0.0f, bounds.getWidth() - 1.0f),
                                   juce::jmax(0.0f, bounds.getHeight() - 1.0f));
    juce::Path inside;
    inside.addRoundedRectangle(r, 2.0f);

    // Everything around the rounded rectangle: its shadow falls inwards.
    juce::Path around(inside);
    around.addRectangle(inside.getBounds().expanded(10.0f));
    around.setUsingNonZeroWinding(false);

    juce::Graphics::ScopedSaveState saved(g);
    g.reduceClipRegion(inside);
    const int radius = (int) (1.5f * juce::jmax(0.0f, bounds.getHeight() - 1.0f));
    juce::DropShadow(juce::Colours::black, radius, {0, 0}).drawForPath(g, around);
}
