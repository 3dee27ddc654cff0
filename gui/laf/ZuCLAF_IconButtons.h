// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuButtonParts.h"

// Buttons drawn as a single icon, chosen by a property, the text or the
// component name; a name their member does not know shows an empty face.

// Icon by "svgname", scaled by "scale" about the icon area's centre; grey
// hover frame.
class ZuCLAF_SvgButton : public ZuNoButtonText<ZuCLAF_BaseBase>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

// Lock, sync, chord and relative-mode toggles: icon by text, on-colour face
// when toggled, outlined icon when disabled.
class ZuCLAF_SEQ1SvgButton : public ZuNoButtonText<ZuCLAF_BaseBase>
{
public:
    ZuCLAF_SEQ1SvgButton();
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;

private:
    juce::Path chord, lockClose, lockOpen, metronome, plusMinus;
};

// "Close", "Sort", "Eraser", "Key".
class ZuCLAF_CloseButton : public ZuNoButtonText<ZuCLAF_BaseBase>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

// Grab (component name 0) or scroll (1) icon.
class ZuCLAF_EditButton : public ZuNoButtonText<ZuCLAF_BaseBase>
{
public:
    ZuCLAF_EditButton();
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;

private:
    juce::Path grab, scroll;
};

// "power", "close" (lower case), "menu".
class ZuCLAF_ModIconButton : public ZuNoButtonText<ZuCLAF_Base>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};
