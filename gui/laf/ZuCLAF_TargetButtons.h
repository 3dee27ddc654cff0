// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LfoWavePath.h"
#include "ZuButtonParts.h"
#include "ZuShared.h"

// Toggle buttons whose meaning lies in their text, a style property or a
// shared icon: unit-target switches, piano keys, the chainer's track-bank
// switch, the LFO's option switches and its waveform selector.

// Dark plate; a coloured inner plate when on, a coloured outline when off.
class ZuCLAF_SwgTarButton : public ZuCLAF_BaseBase
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;
};

// A piano key with "dispnote" in a square band at its foot.
class ZuCLAF_ScaleKeyButton : public ZuNoButtonText<ZuCLAF_BaseBase>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;

    // The caption's square band at the foot of the key inside bounds.
    static juce::Rectangle<float> captionArea(juce::Rectangle<float> bounds);
};

// One switch drawn as two halves, "Trk 1-4" and "Trk 5-8", the chosen one lit.
class ZuCLAF_ChainerTrkButton : public ZuNoButtonText<ZuCLAF_Base>
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
};

// Small rounded switch: "Bi" as "+/-", "Sync", "Phi", "Exp", "Sat" and "SC"
// as icons; "----" is an unassigned switch.
class ZuCLAF_LfoButton : public ZuCLAF_BaseBase
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;
};

// One segment of the joined waveform block, showing the waveform its text
// names (the sine arch for a text it does not know).
class ZuCLAF_WaveformButton : public ZuCLAF_BaseBase
{
public:
    ZuCLAF_WaveformButton();
    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& background, bool highlighted,
                              bool down) override;
    void drawButtonText(juce::Graphics& g, juce::TextButton& button, bool highlighted, bool down) override;

    // Set by each background pass from the button's height, used by the text
    // pass of the same paint.
    float getStrokeWidth() const { return strokeWidth; }
    // The wave index of a button text: its place in waveNames, 0 if absent.
    int waveIndex(const juce::String& text) const;

private:
    ZuShared<LfoWavePath> waves;
    float strokeWidth = 1.0f;
    juce::StringArray waveNames{"Sin", "Tri", "ExpLog", "Up", "UpC1", "UpDown", "RectUp", "Rnd"};
};
