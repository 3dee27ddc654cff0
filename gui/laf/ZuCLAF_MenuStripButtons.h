// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuButtonParts.h"

// Buttons of the menu strip, of a few small panels and of the add-unit menu.
// "<", ">", "Menu" (and in the strip "Undo", "Redo") show icons.

// Cells of the menu strip: joined into one bar where connected.
class ZuCLAF_PresetButton : public ZuCLAF_Base
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;

    // The band an icon text is fitted into: the full width, less v above and below.
    static juce::Rectangle<int> iconBand(const juce::String& text, juce::Rectangle<int> bounds);
};

// A thin outline that fills while pressed or toggled.
class ZuCLAF_ModOpenButton : public ZuCLAF_BaseBase
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;
};

// A key-like block of the add-unit menu.
class ZuCLAF_CenterUnitAddButton : public ZuCLAF_BaseBase
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;
};
