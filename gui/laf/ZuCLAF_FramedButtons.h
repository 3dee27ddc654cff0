// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuButtonParts.h"

#include <array>

// Buttons drawn as a filled frame whose corners are square where the button
// joins a neighbour, with a centred label, icon or letter inside.

// Direction, clock-type, mode and dialog buttons: an icon for ">", "<",
// "><1", "><2" (and any text with "svgflag" 1), otherwise the text.
class ZuCLAF_DirButton : public ZuCLAF_BaseBase
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;
};

// The frame body shared by the arrow and snapshot buttons; outlineWidth is
// the width of the "outlinecolor" stroke.
class ZuCLAF_FilledFrameButton : public ZuCLAF_BaseBase
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;

protected:
    void drawFilledFrame(juce::Graphics& g, juce::Button& button, bool highlighted, bool down, float outlineWidth);
};

// Thin arrows "right", "left", "up", "down" and the "dice".
class ZuCLAF_ArrowButton : public ZuCLAF_FilledFrameButton
{
public:
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;
};

// The letters "A" to "H" for the texts "0" to "7".
class ZuCLAF_SnapButton : public ZuCLAF_FilledFrameButton
{
public:
    ZuCLAF_SnapButton();
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;

    static int letterIndex(const juce::String& text);

private:
    std::array<juce::Path, 8> letters;
};

// On/off switches: "onoff" shows "ON" or "OFF".
class ZuCLAF_MwScrlButton : public ZuCLAF_FilledFrameButton
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;
};

// Octave boxes: only the frame.
class ZuCLAF_OctButton : public ZuNoButtonText<ZuCLAF_BaseBase>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};
