// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModHandleSeam.h"

ModHandleSeam::ModHandleSeam(juce::String t, juce::Colour icon) : text(std::move(t)), iconColour(icon) {}

void ModHandleSeam::paint(juce::Graphics& g)
{
    const auto b = getLocalBounds().toFloat().reduced(0.5f);
    g.setColour(bgColor);
    g.fillRoundedRectangle(b, 2.0f);
    // Grip: three short bars.
    g.setColour(iconColour);
    const float w = b.getWidth() * 0.4f, x = b.getCentreX() - w * 0.5f;
    for (int i = -1; i <= 1; ++i)
        g.fillRect(x, b.getCentreY() + (float) i * b.getHeight() * 0.2f - 0.5f, w, 1.0f);
}
